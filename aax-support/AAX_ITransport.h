#pragma once

// The library's view of the host transport (wrapped by AAX_VTransport), in host order.

#include "aax-support/interfaces/AaxTypes.h"
#include "aax-support/interfaces/AcfBase.h"
#include "aax-support/AaxDestructorSlot.h"

class AAX_ITransport
{
public:
	virtual void* ScalarDeletingDestructor (uint32_t flags) = 0;
	virtual AaxResult CurrentTempo (double* bpm) const = 0;
	virtual AaxResult CurrentMeter (int32_t* numerator, int32_t* denominator) const = 0;
	virtual AaxResult IsTransportPlaying (bool* playing) const = 0;
	virtual AaxResult CurrentTickPosition (int64_t* ticks) const = 0;
	virtual AaxResult CurrentLoopPosition (bool* looping, int64_t* startTicks, int64_t* endTicks) const = 0;
	virtual AaxResult CurrentNativeSampleLocation (int64_t* samples) const = 0;
	virtual AaxResult Slot9 (AaxWord, AaxWord, AaxWord) const = 0;
	virtual AaxResult Slot10 (AaxWord, AaxWord, AaxWord, AaxWord, AaxWord) const = 0;
	virtual AaxResult Slot11 (AaxWord) const = 0;
	virtual AaxResult Slot12 (AaxWord) const = 0;
	virtual AaxResult Slot13 (AaxWord) const = 0;
	virtual AaxResult Slot14 (AaxWord, AaxWord) const = 0;
	virtual AaxResult Slot15 (AaxWord, AaxWord) const = 0;
	virtual AaxResult Slot16 (AaxWord) const = 0;

protected:
	~AAX_ITransport () = default;
};
