#pragma once

// Drives an ACF module the way an AAX host does: start-up, registration (the
// description lands in the fake host), creation of the plug-in's objects
// through the procedures it registered, and shut-down.

#include "AaxModule.h"
#include "FakeAaxHost.h"

#include "aax-support/interfaces/AaxPluginInterfaces.h"

#include <ostream>

namespace aaxhost {

class AaxHostSession
{
public:
	AaxHostSession (std::unique_ptr<AaxModule> module, HostConfig config = HostConfig ());
	~AaxHostSession ();

	FakeAaxHost& Host () { return mHost; }
	const AcfEntries& Entries () const { return mModule->Entries (); }

	AaxResult Startup ();
	AaxResult Shutdown ();
	// ACFRegisterPlugin; on success the plug-in definition is kept until the session ends.
	AaxResult Register ();
	IACFUnknown* PluginDefinition () const { return mPluginDefinition; }
	AaxResult CanUnloadNow ();

	// The collection the last registration filled, and its first effect.
	FakeCollection* Collection () const;
	FakeEffectDescriptor* FirstEffect () const;
	// Calls the create procedure registered with procId and queries the new
	// object for iid; the caller owns the one reference returned. Null when
	// there is no such procedure or the object does not answer iid.
	void* CreateObject (uint32_t procId, AcfRefIID iid);
	AAX_IACFEffectParameters* CreateEffectParameters ();
	AAX_IACFEffectGUI* CreateEffectGUI ();

	// A readable summary of the registered description.
	void PrintDescription (std::ostream& out) const;

private:
	FakeAaxHost mHost;
	std::unique_ptr<AaxModule> mModule;
	IACFUnknown* mPluginDefinition = nullptr;
	bool mStarted = false;
};

} // namespace aaxhost
