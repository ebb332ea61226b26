#include "AaxModule.h"

namespace aaxhost {

std::unique_ptr<AaxModule> AaxModule::Linked ()
{
	std::unique_ptr<AaxModule> module (new AaxModule);
	module->mEntries.mStartup = ACFStartup;
	module->mEntries.mShutdown = ACFShutdown;
	module->mEntries.mRegisterPlugin = ACFRegisterPlugin;
	module->mEntries.mRegisterComponent = ACFRegisterComponent;
	module->mEntries.mGetClassFactory = ACFGetClassFactory;
	module->mEntries.mGetSDKVersion = ACFGetSDKVersion;
	module->mEntries.mCanUnloadNow = ACFCanUnloadNow;
	return module;
}

} // namespace aaxhost
