#include "FakeAaxHost.h"

namespace aaxhost {

FakeHostUnknown::FakeHostUnknown (FakeAaxHost& host)
	: HostObject (host.Log (), "HostUnknown")
	, mHost (host)
{
}

AaxResult ACF_CALL FakeHostUnknown::QueryInterface (AcfRefIID iid, void** out)
{
	if (!out)
		return kAaxErrNullArgument;
	*out = nullptr;
	const HostConfig& config = mHost.mConfig;
	if (iid == IID_IACFComponentFactory)
	{
		if (!config.mFactory)
			return kAcfNoInterface;
		if (config.mNullFactory)
			return kAaxSuccess;
		return mHost.Factory ().QueryInterface (iid, out);
	}
	if (iid == IID_AAX_IACFController || iid == IID_AAX_IACFController_V2)
		return mHost.Controller ().QueryInterface (iid, out);
	if (iid == IID_AAX_IACFAutomationDelegate)
		return config.mAutomation ? mHost.Automation ().QueryInterface (iid, out) : kAcfNoInterface;
	if (iid == IID_AAX_IACFTransport || iid == IID_AAX_IACFTransport_V2)
		return mHost.Transport ().QueryInterface (iid, out);
	if (iid == IID_AAX_IACFEffectParameters || iid == IID_AAX_IACFEffectParameters_V2)
	{
		IACFUnknown* effect = mHost.OfferedEffectParameters ();
		return effect ? effect->QueryInterface (iid, out) : kAcfNoInterface;
	}
	return HostObject::QueryInterface (iid, out);
}

FakeFactory::FakeFactory (FakeAaxHost& host)
	: HostObject (host.Log (), "Factory")
	, mHost (host)
{
}

AaxResult ACF_CALL FakeFactory::CreateInstance (AcfRefIID classId, IACFUnknown* outer, AcfRefIID iid, void** out)
{
	if (!out)
		return kAaxErrNullArgument;
	*out = nullptr;
	if (outer)
		return kAcfNoInterface;
	IACFUnknown* object = mHost.Create (classId);
	if (!object)
		return kAcfNoInterface;
	return object->QueryInterface (iid, out);
}

FakeAaxHost::FakeAaxHost (HostConfig config)
	: mConfig (config)
{
	mUnknown = Keep (new FakeHostUnknown (*this));
	mFactory = Keep (new FakeFactory (*this));
	mController = Keep (new FakeController (mLog, mConfig));
	mAutomation = Keep (new FakeAutomationDelegate (mLog));
	mTransport = Keep (new FakeTransport (mLog, mConfig));
}

FakeAaxHost::~FakeAaxHost () = default;

template <class T>
T* FakeAaxHost::Keep (T* object)
{
	mObjects.emplace_back (object);
	return object;
}

FakeViewContainer& FakeAaxHost::ViewContainer ()
{
	if (!mViewContainer)
		mViewContainer = Keep (new FakeViewContainer (mLog, mConfig));
	return *mViewContainer;
}

IACFUnknown* FakeAaxHost::Create (AcfRefIID classId)
{
	if (classId == CLSID_AAX_HostServices)
	{
		mHostServices.push_back (Keep (new FakeHostServices (mLog)));
		mLog.Record ("Factory.Create(HostServices)");
		return mHostServices.back ()->Unknown ();
	}
	if (classId == CLSID_AAX_Collection)
	{
		mCollections.push_back (Keep (new FakeCollection (mLog, mConfig)));
		mLog.Record ("Factory.Create(Collection)");
		return mCollections.back ()->Unknown ();
	}
	if (classId == CLSID_AAX_EffectDescriptor)
	{
		mEffects.push_back (Keep (new FakeEffectDescriptor (mLog, mConfig)));
		mLog.Record ("Factory.Create(Effect)");
		return mEffects.back ()->Unknown ();
	}
	if (classId == CLSID_AAX_ComponentDescriptor)
	{
		mComponents.push_back (Keep (new FakeComponentDescriptor (mLog, mConfig)));
		mLog.Record ("Factory.Create(Component)");
		return mComponents.back ()->Unknown ();
	}
	if (classId == CLSID_AAX_PropertyMap)
	{
		mPropertyMaps.push_back (Keep (new FakePropertyMap (mLog, mConfig)));
		mLog.Record ("Factory.Create(PropertyMap)");
		return mPropertyMaps.back ()->Unknown ();
	}
	mLog.Record ("Factory.Create(unknown class)");
	return nullptr;
}

int32_t FakeAaxHost::PluginReferences () const
{
	int32_t total = 0;
	for (const auto& object : mObjects)
		total += object->PluginReferences ();
	return total;
}

size_t FakeAaxHost::OverReleases () const
{
	size_t count = 0;
	const std::string suffix = ".OverRelease";
	for (const std::string& call : mLog.Calls ())
		if (call.size () >= suffix.size () && call.compare (call.size () - suffix.size (), suffix.size (), suffix) == 0)
			++count;
	return count;
}

} // namespace aaxhost
