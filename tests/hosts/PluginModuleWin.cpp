#include "tests/hosts/PluginModule.h"

#include "tests/hosts/BundlePathWin.h"

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

// The folder of a VST3 bundle that holds this architecture's library.
#ifdef _WIN64
static const char kBundleArchFolder[] = "x86_64-win";
#else
static const char kBundleArchFolder[] = "x86-win";
#endif

std::unique_ptr<PluginModule> PluginModule::load (const std::string& path, std::string& error)
{
	std::string libraryPath;
	bool bundle = false;
	if (!BundledLibraryPath (path, kBundleArchFolder, libraryPath, bundle, error))
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
