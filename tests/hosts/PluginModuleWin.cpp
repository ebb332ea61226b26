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

std::unique_ptr<PluginModule> PluginModule::load (const std::string& path, std::string& error)
{
	HMODULE library = LoadLibraryA (path.c_str ());
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
