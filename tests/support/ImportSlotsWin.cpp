#include "tests/support/ImportSlotsWin.h"

#include <windows.h>

namespace zqhost {

void ForEachImportSlot(const void* image,
                       const std::function<void(const char* library, const char* name, void** slot)>& visit)
{
  auto base = static_cast<const unsigned char*>(image);
  auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& im = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!im.Size)
    return;
  for (auto d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + im.VirtualAddress); d->Name; ++d)
  {
    if (!d->OriginalFirstThunk)
      continue;
    const char* library = reinterpret_cast<const char*>(base + d->Name);
    auto names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
    auto slots = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots)
    {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
        continue;
      auto byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      visit(library, reinterpret_cast<const char*>(byName->Name),
            reinterpret_cast<void**>(const_cast<IMAGE_THUNK_DATA*>(slots)));
    }
  }
}

bool WriteImportSlot(void** slot, void* value)
{
  DWORD old = 0;
  if (!VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old))
    return false;
  *slot = value;
  VirtualProtect(slot, sizeof(void*), old, &old);
  return true;
}

} // namespace zqhost
