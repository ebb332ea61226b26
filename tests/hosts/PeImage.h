#pragma once

// What a loaded Windows library exports and imports, read from its PE image:
// the checks every plug-in library's tests make on its public face.

#include <cstdint>
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

// True for the Windows system libraries a plug-in may import (upper case).
bool IsSystemLibrary(const std::string& name);

} // namespace zqhost
