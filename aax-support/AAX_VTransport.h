#pragma once

// Host transport wrapper: first and second host interface versions.

#include "aax-support/AAX_ITransport.h"
#include "aax-support/AcfPtr.h"
#include "aax-support/interfaces/AaxHostInterfaces.h"

class AAX_VTransport final : public AAX_ITransport
{
public:
	explicit AAX_VTransport (IACFUnknown* hostUnknown);
	~AAX_VTransport ();

	AAX_DESTRUCTOR_SLOT

	AaxResult CurrentTempo (double* bpm) const override;
	AaxResult CurrentMeter (int32_t* numerator, int32_t* denominator) const override;
	AaxResult IsTransportPlaying (bool* playing) const override;
	AaxResult CurrentTickPosition (int64_t* ticks) const override;
	AaxResult CurrentLoopPosition (bool* looping, int64_t* startTicks, int64_t* endTicks) const override;
	AaxResult CurrentNativeSampleLocation (int64_t* samples) const override;
	AaxResult Slot9 (AaxWord, AaxWord, AaxWord) const override;
	AaxResult Slot10 (AaxWord, AaxWord, AaxWord, AaxWord, AaxWord) const override;
	AaxResult Slot11 (AaxWord) const override;
	AaxResult Slot12 (AaxWord) const override;
	AaxResult Slot13 (AaxWord) const override;
	AaxResult Slot14 (AaxWord, AaxWord) const override;
	AaxResult Slot15 (AaxWord, AaxWord) const override;
	AaxResult Slot16 (AaxWord) const override;

	AAX_IACFTransport* HostTransport () const { return mTransport.Get (); }
	AAX_IACFTransport_V2* HostTransportV2 () const { return mTransportV2.Get (); }

private:
	AcfPtr<AAX_IACFTransport> mTransport;
	AcfPtr<AAX_IACFTransport_V2> mTransportV2;
};
