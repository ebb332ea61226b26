#pragma once

// The library's view of the host's automation (wrapped by AAX_VAutomationDelegate).

#include "aax-support/interfaces/AaxTypes.h"
#include "aax-support/interfaces/AcfBase.h"
#include "aax-support/AaxDestructorSlot.h"

class AAX_IAutomationDelegate
{
public:
	virtual void* ScalarDeletingDestructor (uint32_t flags) = 0;
	virtual AaxResult RegisterParameter (AaxParamID id) const = 0;
	virtual AaxResult UnregisterParameter (AaxParamID id) const = 0;
	virtual AaxResult PostSetValueRequest (AaxParamID id, double normalized) const = 0;
	virtual AaxResult PostCurrentValue (AaxParamID id, double normalized) const = 0;
	virtual AaxResult PostTouchRequest (AaxParamID id) const = 0;
	virtual AaxResult PostReleaseRequest (AaxParamID id) const = 0;
	virtual AaxResult Slot9 (AaxWord, AaxWord) const = 0;

protected:
	~AAX_IAutomationDelegate () = default;
};
