// Natively there is no library to load: the "module" is the factory linked
// into the test program itself, so the same host code runs in-process (and
// under the sanitizers).

#include "tests/hosts/PluginModule.h"

namespace zqhost {

std::unique_ptr<PluginModule> PluginModule::load (const std::string& /*path*/, std::string& error)
{
	Steinberg::IPluginFactory* factory = GetPluginFactory ();
	if (!factory)
	{
		error = "GetPluginFactory returned no factory";
		return nullptr;
	}
	std::unique_ptr<PluginModule> module (new PluginModule);
	module->mFactory = factory;
	return module;
}

PluginModule::~PluginModule ()
{
	if (mFactory)
		mFactory->release ();
}

void* PluginModule::entry (const char* /*name*/) const
{
	return nullptr;
}

} // namespace zqhost
