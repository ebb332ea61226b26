#pragma once

// Host view-container wrapper. Its missing-interface answers differ per
// operation. It holds the reference its query took and gives it back when it is
// deleted, so the owner deletes it when the host replaces or removes the container.

#include "aax-support/AAX_IViewContainer.h"
#include "aax-support/AcfPtr.h"
#include "aax-support/interfaces/AaxHostInterfaces.h"

class AAX_VViewContainer : public AAX_IViewContainer
{
public:
	explicit AAX_VViewContainer (IACFUnknown* containerUnknown);
	~AAX_VViewContainer () override;

	intptr_t Slot3 () const override;
	void* NativeParent () const override;
	AaxResult ModifierKeys (uint32_t* modifiers) const override;
	AaxResult SetViewSize (const AaxViewSize* size) const override;
	AaxResult OfferParameterMouseDown (AaxParamID id, uint32_t modifiers) const override;
	AaxResult Slot8 (AaxWord, AaxWord) const override;
	AaxResult Slot9 (AaxWord, AaxWord) const override;

	AAX_IACFViewContainer* HostViewContainer () const { return mContainer.Get (); }

private:
	AcfPtr<AAX_IACFViewContainer> mContainer;
};
