#pragma once

// A fake AAX host: the unknown handed to the ACF entry points and to the
// plug-in's objects, its object factory, the run-time objects behind it and
// everything the plug-in created through the factory. All objects live until
// the host goes away; PluginReferences() tells what the plug-in still holds.

#include "HostCallLog.h"
#include "HostConfig.h"
#include "HostDescribeObjects.h"
#include "HostRuntimeObjects.h"

#include <memory>
#include <vector>

namespace aaxhost {

class FakeAaxHost;

class FakeHostUnknown : public HostObject<IACFUnknown>
{
public:
	explicit FakeHostUnknown (FakeAaxHost& host);
	AaxResult ACF_CALL QueryInterface (AcfRefIID iid, void** out) override;

protected:
	bool Answers (AcfRefIID) const override { return false; }

private:
	FakeAaxHost& mHost;
};

class FakeFactory : public HostObject<IACFComponentFactory>
{
public:
	explicit FakeFactory (FakeAaxHost& host);
	AaxResult ACF_CALL CreateInstance (AcfRefIID classId, IACFUnknown* outer, AcfRefIID iid, void** out) override;

protected:
	bool Answers (AcfRefIID iid) const override { return iid == IID_IACFComponentFactory; }

private:
	FakeAaxHost& mHost;
};

class FakeAaxHost
{
public:
	explicit FakeAaxHost (HostConfig config = HostConfig ());
	~FakeAaxHost ();

	HostConfig mConfig;

	// What the host hands to ACFStartup, ACFRegisterPlugin, InitializeEffect and InitializeGUI.
	IACFUnknown* Unknown () { return mUnknown->Unknown (); }
	// Lets Unknown() answer the effect-parameters interfaces by forwarding to
	// effect (not counted), as a host does for the GUI object of an instance.
	void OfferEffectParameters (IACFUnknown* effect) { mOfferedEffect = effect; }
	IACFUnknown* OfferedEffectParameters () const { return mOfferedEffect; }
	// The unknown of the view container (made, with its window, on first use).
	IACFUnknown* ViewContainerUnknown () { return ViewContainer ().Unknown (); }

	HostCallLog& Log () { return mLog; }
	FakeController& Controller () { return *mController; }
	FakeAutomationDelegate& Automation () { return *mAutomation; }
	FakeTransport& Transport () { return *mTransport; }
	FakeViewContainer& ViewContainer ();
	FakeFactory& Factory () { return *mFactory; }

	// Made by the factory, in creation order.
	const std::vector<FakeHostServices*>& HostServices () const { return mHostServices; }
	const std::vector<FakeCollection*>& Collections () const { return mCollections; }
	const std::vector<FakeEffectDescriptor*>& EffectDescriptors () const { return mEffects; }
	const std::vector<FakeComponentDescriptor*>& ComponentDescriptors () const { return mComponents; }
	const std::vector<FakePropertyMap*>& PropertyMaps () const { return mPropertyMaps; }

	// References the plug-in holds on all host objects together.
	int32_t PluginReferences () const;
	// Objects the plug-in released more often than it took them.
	size_t OverReleases () const;

	// Used by the factory.
	IACFUnknown* Create (AcfRefIID classId);

private:
	template <class T>
	T* Keep (T* object);

	HostCallLog mLog;
	std::vector<std::unique_ptr<HostObjectBase>> mObjects;
	FakeHostUnknown* mUnknown;
	FakeFactory* mFactory;
	FakeController* mController;
	FakeAutomationDelegate* mAutomation;
	FakeTransport* mTransport;
	FakeViewContainer* mViewContainer = nullptr;
	IACFUnknown* mOfferedEffect = nullptr;
	std::vector<FakeHostServices*> mHostServices;
	std::vector<FakeCollection*> mCollections;
	std::vector<FakeEffectDescriptor*> mEffects;
	std::vector<FakeComponentDescriptor*> mComponents;
	std::vector<FakePropertyMap*> mPropertyMaps;
};

} // namespace aaxhost
