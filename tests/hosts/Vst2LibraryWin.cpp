#include "tests/hosts/Vst2Library.h"

#include <windows.h>

namespace zqhost {

std::unique_ptr<Vst2Library> Vst2Library::load(const std::string& path, std::string& error)
{
  HMODULE library = LoadLibraryA(path.c_str());
  if (!library)
  {
    error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return nullptr;
  }
  // Through the generic function type, which any export may be cast from.
  auto entry = reinterpret_cast<Vst2Entry>(
    reinterpret_cast<void (*)()>(GetProcAddress(library, "VSTPluginMain")));
  if (!entry)
  {
    error = path + " lacks VSTPluginMain";
    FreeLibrary(library);
    return nullptr;
  }
  std::unique_ptr<Vst2Library> lib(new Vst2Library);
  lib->mLibrary = library;
  lib->mEntry = entry;
  return lib;
}

Vst2Library::~Vst2Library()
{
  if (mLibrary)
    FreeLibrary(static_cast<HMODULE>(mLibrary));
}

void* Vst2Library::symbol(const char* name) const
{
  return mLibrary ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(mLibrary), name))
                  : nullptr;
}

void runEditorLoop(Vst2Host& host, int ms)
{
  for (DWORD start = GetTickCount(); GetTickCount() - start < static_cast<DWORD>(ms);)
  {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    host.dispatch(kEffEditIdle);
    Sleep(5);
  }
}

} // namespace zqhost
