#pragma once

// The library's view of the host controller (wrapped by AAX_VController). The
// order is fixed; it is not the host's slot order.

#include "aax-support/interfaces/AaxTypes.h"
#include "aax-support/interfaces/AcfBase.h"

class AAX_IController
{
public:
	virtual ~AAX_IController () = default;
	virtual AaxResult Slot3 (AaxWord) const = 0;
	virtual AaxResult SampleRate (float* rate) const = 0;
	virtual AaxResult InputStemFormat (AaxStemFormat* format) const = 0;
	virtual AaxResult OutputStemFormat (AaxStemFormat* format) const = 0;
	virtual AaxResult Slot7 (AaxWord) const = 0;
	virtual AaxResult Slot8 (AaxWord, AaxWord) const = 0;
	virtual AaxResult Slot9 (AaxWord) const = 0;
	virtual AaxResult SetSignalLatency (int32_t samples) const = 0;
	virtual AaxResult Slot11 (AaxWord, AaxWord, AaxWord) const = 0;
	virtual AaxResult PostPacket (int32_t field, const void* data, int32_t size) const = 0;
	virtual AaxResult Slot20 (AaxWord, AaxWord, AaxWord) const = 0;
	virtual AaxResult Slot13 (AaxWord, AaxWord) const = 0;
	virtual AaxResult Slot14 (AaxWord, AaxWord) const = 0;
	virtual AaxResult Slot15 (AaxWord) const = 0;
	virtual AaxResult Slot18 (AaxWord) const = 0;
	virtual AaxResult Slot16 (AaxWord, AaxWord) const = 0;
	virtual AaxResult Slot17 (AaxWord) const = 0;
	virtual AaxResult Slot19 (AaxWord, AaxWord) const = 0;
	virtual AaxResult Slot21 (AaxWord) const = 0;
	virtual AaxResult Slot22 (uint64_t* out) const = 0;
	virtual AaxResult Slot23 (AaxWord) const = 0;
};
