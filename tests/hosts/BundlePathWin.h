#pragma once

// Where a host finds the library of a plug-in bundle: a bundle is a folder
// X that holds Contents\<architecture folder>\X. Windows only.

#include <windows.h>

#include <string>

namespace zqhost {

// For a folder, the library path inside it for the architecture folder given
// (false with error set when it holds none); any other path is taken as the
// library itself. bundle tells which of the two it was.
inline bool BundledLibraryPath (const std::string& path, const char* archFolder, std::string& library,
                                bool& bundle, std::string& error)
{
	const DWORD attributes = GetFileAttributesA (path.c_str ());
	bundle = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
	library = path;
	if (!bundle)
		return true;
	std::string folder = path;
	while (!folder.empty () && (folder.back () == '\\' || folder.back () == '/'))
		folder.pop_back ();
	const size_t slash = folder.find_last_of ("\\/");
	const std::string name = slash == std::string::npos ? folder : folder.substr (slash + 1);
	const std::string inner = std::string ("Contents\\") + archFolder + "\\" + name;
	library = folder + "\\" + inner;
	const DWORD found = GetFileAttributesA (library.c_str ());
	if (found == INVALID_FILE_ATTRIBUTES || (found & FILE_ATTRIBUTE_DIRECTORY))
	{
		error = "invalid bundle structure: " + path + " holds no " + inner;
		return false;
	}
	return true;
}

} // namespace zqhost
