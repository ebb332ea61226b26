#include "tests/hosts/PluginModule.h"

#include <windows.h>

namespace zqhost {

using Steinberg::IPluginFactory;

using GetFactoryFunc = IPluginFactory* (PLUGIN_API*) ();
using ModuleFunc = bool (*) ();

template <class F>
static F procAs (HMODULE library, const char* name)
{
	// Through the generic function type, which any export may be cast from.
	return reinterpret_cast<F> (reinterpret_cast<void (*) ()> (GetProcAddress (library, name)));
}

#ifdef _WIN64
static const char kBundleArchFolder[] = "x86_64-win";
#else
static const char kBundleArchFolder[] = "x86-win";
#endif

// The library a bundle folder holds for this architecture: a host looks in
// Contents/<arch>-win/ for a file named as the bundle itself.
static bool bundledLibraryOf (const std::string& bundle, std::string& library, std::string& error)
{
	std::string folder = bundle;
	while (!folder.empty () && (folder.back () == '\\' || folder.back () == '/'))
		folder.pop_back ();
	const size_t slash = folder.find_last_of ("\\/");
	const std::string name = slash == std::string::npos ? folder : folder.substr (slash + 1);
	library = folder + "\\Contents\\" + kBundleArchFolder + "\\" + name;
	const DWORD attributes = GetFileAttributesA (library.c_str ());
	if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
	{
		error = "invalid bundle structure: " + bundle + " holds no Contents\\" + kBundleArchFolder +
		        "\\" + name;
		return false;
	}
	return true;
}

std::unique_ptr<PluginModule> PluginModule::load (const std::string& path, std::string& error)
{
	std::string libraryPath = path;
	const DWORD attributes = GetFileAttributesA (path.c_str ());
	const bool bundle = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
	if (bundle && !bundledLibraryOf (path, libraryPath, error))
		return nullptr;
	HMODULE library = LoadLibraryA (libraryPath.c_str ());
	if (!library)
	{
		error = "cannot load " + path + " (error " + std::to_string (GetLastError ()) + ")";
		return nullptr;
	}
	auto initDll = procAs<ModuleFunc> (library, "InitDll");
	auto getFactory = procAs<GetFactoryFunc> (library, "GetPluginFactory");
	if (!initDll || !getFactory || !GetProcAddress (library, "ExitDll"))
	{
		error = path + " lacks InitDll, ExitDll or GetPluginFactory";
		FreeLibrary (library);
		return nullptr;
	}
	if (!initDll ())
	{
		error = "InitDll of " + path + " failed";
		FreeLibrary (library);
		return nullptr;
	}
	IPluginFactory* factory = getFactory ();
	if (!factory)
	{
		error = "GetPluginFactory of " + path + " returned no factory";
		procAs<ModuleFunc> (library, "ExitDll") ();
		FreeLibrary (library);
		return nullptr;
	}
	std::unique_ptr<PluginModule> module (new PluginModule);
	module->mLibrary = library;
	module->mFactory = factory;
	if (bundle)
		module->mBundledLibrary = libraryPath;
	return module;
}

PluginModule::~PluginModule ()
{
	if (mFactory)
		mFactory->release ();
	if (mLibrary)
	{
		HMODULE library = static_cast<HMODULE> (mLibrary);
		if (auto exitDll = procAs<ModuleFunc> (library, "ExitDll"))
			exitDll ();
		FreeLibrary (library);
	}
}

void* PluginModule::entry (const char* name) const
{
	return mLibrary ? reinterpret_cast<void*> (GetProcAddress (static_cast<HMODULE> (mLibrary), name))
	                : nullptr;
}

} // namespace zqhost
