#pragma once

// Host automation wrapper (one host interface version).

#include "aax-support/AAX_IAutomationDelegate.h"
#include "aax-support/AcfPtr.h"
#include "aax-support/interfaces/AaxHostInterfaces.h"

class AAX_VAutomationDelegate final : public AAX_IAutomationDelegate
{
public:
	explicit AAX_VAutomationDelegate (IACFUnknown* hostUnknown);
	~AAX_VAutomationDelegate ();

	AAX_DESTRUCTOR_SLOT

	AaxResult RegisterParameter (AaxParamID id) const override;
	AaxResult UnregisterParameter (AaxParamID id) const override;
	AaxResult PostSetValueRequest (AaxParamID id, double normalized) const override;
	AaxResult PostCurrentValue (AaxParamID id, double normalized) const override;
	AaxResult PostTouchRequest (AaxParamID id) const override;
	AaxResult PostReleaseRequest (AaxParamID id) const override;
	AaxResult Slot9 (AaxWord, AaxWord) const override;

	AAX_IACFAutomationDelegate* HostAutomation () const { return mAutomation.Get (); }

private:
	AcfPtr<AAX_IACFAutomationDelegate> mAutomation;
};
