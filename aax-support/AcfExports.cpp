// The ACF entry points. Every body runs under AcfGuarded: no exception reaches
// the host.

#include "aax-support/AcfExports.h"

#include "aax-support/AAX_VCollection.h"
#include "aax-support/AAX_VHostServices.h"
#include "aax-support/AaxError.h"
#include "aax-support/CACFUnknown.h"

AaxResult RegisterPluginImpl (IACFUnknown* hostUnknown, IACFUnknown** pluginDefinition)
{
	if (!pluginDefinition)
		return kAaxErrNullArgument;
	AAX_VCollection collection (hostUnknown);
	AaxResult result = DescribeEffects (&collection);
	if (result == kAaxSuccess)
	{
		*pluginDefinition = nullptr;
		AAX_IACFCollection* host = collection.HostCollection ();
		if (!host || host->QueryInterface (IID_IACFPluginDefinition, reinterpret_cast<void**> (pluginDefinition)) != kAaxSuccess)
			result = kAaxErrMissingInterface;
	}
	return result;
}

extern "C" {

AaxResult ACF_CALL ACFStartup (IACFUnknown* hostUnknown)
{
	return AcfGuarded ([&] {
		SetHostServices (hostUnknown);
		return kAaxSuccess;
	});
}

AaxResult ACF_CALL ACFShutdown (IACFUnknown*)
{
	return AcfGuarded ([&] {
		SetHostServices (nullptr);
		return kAaxSuccess;
	});
}

AaxResult ACF_CALL ACFRegisterPlugin (IACFUnknown* hostUnknown, IACFUnknown** pluginDefinition)
{
	return AcfGuarded ([&] { return RegisterPluginImpl (hostUnknown, pluginDefinition); });
}

AaxResult ACF_CALL ACFRegisterComponent (IACFUnknown*, uint32_t, IACFUnknown** component)
{
	return AcfGuarded ([&] {
		if (component)
			*component = nullptr;
		return kAaxSuccess;
	});
}

AaxResult ACF_CALL ACFGetClassFactory (IACFUnknown*, AcfRefIID, AcfRefIID, void** factory)
{
	return AcfGuarded ([&] {
		if (factory)
			*factory = nullptr;
		return kAaxErrNotImplemented;
	});
}

AaxResult ACF_CALL ACFGetSDKVersion (uint64_t* version)
{
	return AcfGuarded ([&] {
		if (!version)
			return kAaxErrNullArgument;
		*version = kAcfSDKVersion;
		return kAaxSuccess;
	});
}

AaxResult ACF_CALL ACFCanUnloadNow (IACFUnknown*)
{
	return AcfGuarded ([&] { return static_cast<AaxResult> (CACFUnknown::LiveObjectCount ()); });
}

} // extern "C"
