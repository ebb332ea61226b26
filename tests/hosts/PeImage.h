#pragma once

// What a loaded Windows library exports and imports, read from its PE image:
// the checks every plug-in library's tests make on its public face.

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>

namespace zqhost {

struct PeDirectories
{
  std::map<std::string, uint32_t> exports;   // name to the function's address (RVA)
  std::set<std::string> imports;             // library names, upper case
  bool unnamedExports = false;               // some function reachable by ordinal only
};

// `image` is the module handle of a loaded library.
PeDirectories ReadPeDirectories(const void* image);

// Calls `visit` with every import slot of the loaded library that is bound by
// name: the library it comes from, the function's name and the slot itself.
void ForEachImportSlot(const void* image,
                       const std::function<void(const char* library, const char* name, void** slot)>& visit);
// Points an import slot elsewhere; false when its page cannot be written.
bool WriteImportSlot(void** slot, void* value);

// True for the Windows system libraries a plug-in may import (upper case).
bool IsSystemLibrary(const std::string& name);

} // namespace zqhost
