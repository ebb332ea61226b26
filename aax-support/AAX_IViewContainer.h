#pragma once

// The library's view of the host's view container (wrapped by AAX_VViewContainer).

#include "aax-support/interfaces/AaxTypes.h"
#include "aax-support/interfaces/AcfBase.h"

class AAX_IViewContainer
{
public:
	virtual ~AAX_IViewContainer () = default;
	virtual intptr_t Slot3 () const = 0;
	virtual void* NativeParent () const = 0;
	virtual AaxResult ModifierKeys (uint32_t* modifiers) const = 0;
	virtual AaxResult SetViewSize (const AaxViewSize* size) const = 0;
	virtual AaxResult OfferParameterMouseDown (AaxParamID id, uint32_t modifiers) const = 0;
	virtual AaxResult Slot8 (AaxWord, AaxWord) const = 0;
	virtual AaxResult Slot9 (AaxWord, AaxWord) const = 0;
};
