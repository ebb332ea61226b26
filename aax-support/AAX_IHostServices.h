#pragma once

// The library's view of the host services (wrapped by AAX_VHostServices).

#include "aax-support/interfaces/AaxTypes.h"
#include "aax-support/interfaces/AcfBase.h"

class AAX_IHostServices
{
public:
	virtual ~AAX_IHostServices () = default;
	virtual AaxResult Slot3 (AaxWord, AaxWord, AaxWord) const = 0;
	virtual AaxResult TraceMessage (int32_t priority, const char* message) const = 0;
};
