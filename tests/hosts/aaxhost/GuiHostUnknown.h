#pragma once

// The unknown a host hands to a GUI object: the fake host's own unknown, which
// also answers the effect-parameters interface of the GUI's instance.

#include "FakeAaxHost.h"

#include "aax-support/interfaces/AcfIds.h"

namespace aaxhost {

class GuiHostUnknown : public HostObject<IACFUnknown>
{
public:
	// effect may be null: the host then has no effect-parameters object to offer.
	GuiHostUnknown (FakeAaxHost& host, IACFUnknown* effect)
		: HostObject (host.Log (), "GuiHostUnknown")
		, mHost (host)
		, mEffect (effect)
	{
	}

	AaxResult ACF_CALL QueryInterface (AcfRefIID iid, void** out) override
	{
		if (!out)
			return kAaxErrNullArgument;
		*out = nullptr;
		if (iid == IID_AAX_IACFEffectParameters || iid == IID_AAX_IACFEffectParameters_V2)
			return mEffect ? mEffect->QueryInterface (iid, out) : kAcfNoInterface;
		return mHost.Unknown ()->QueryInterface (iid, out);
	}

protected:
	bool Answers (AcfRefIID) const override { return false; }

private:
	FakeAaxHost& mHost;
	IACFUnknown* mEffect;
};

} // namespace aaxhost
