#include "tests/hosts/PeImage.h"

#include <windows.h>

#include <cctype>

namespace zqhost {

PeDirectories ReadPeDirectories(const void* image)
{
  PeDirectories out;
  auto base = static_cast<const unsigned char*>(image);
  auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& ex = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (ex.Size)
  {
    auto dir = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + ex.VirtualAddress);
    auto names = reinterpret_cast<const DWORD*>(base + dir->AddressOfNames);
    auto ordinals = reinterpret_cast<const WORD*>(base + dir->AddressOfNameOrdinals);
    auto functions = reinterpret_cast<const DWORD*>(base + dir->AddressOfFunctions);
    for (DWORD i = 0; i < dir->NumberOfNames; ++i)
      out.exports[reinterpret_cast<const char*>(base + names[i])] = functions[ordinals[i]];
    out.unnamedExports = dir->NumberOfFunctions != dir->NumberOfNames;
  }
  const IMAGE_DATA_DIRECTORY& im = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (im.Size)
    for (auto d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + im.VirtualAddress); d->Name; ++d)
    {
      std::string name = reinterpret_cast<const char*>(base + d->Name);
      for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      out.imports.insert(name);
    }
  return out;
}

bool IsSystemLibrary(const std::string& name)
{
  static const std::set<std::string> system = {
    "KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "MSVCRT.DLL", "OLE32.DLL", "OLEAUT32.DLL",
    "ADVAPI32.DLL", "SHELL32.DLL", "COMCTL32.DLL", "COMDLG32.DLL", "WININET.DLL", "MSIMG32.DLL",
    "UCRTBASE.DLL", "SHLWAPI.DLL", "UUID.DLL"};
  return system.count(name) || name.rfind("API-MS-WIN-", 0) == 0;
}

} // namespace zqhost
