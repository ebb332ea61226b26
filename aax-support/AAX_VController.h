#pragma once

// Host controller wrapper: forwards to the first or second host interface
// version and answers a fixed code when that version is missing.

#include "aax-support/AAX_IController.h"
#include "aax-support/AcfPtr.h"
#include "aax-support/interfaces/AaxHostInterfaces.h"

class AAX_VController : public AAX_IController
{
public:
	explicit AAX_VController (IACFUnknown* hostUnknown);
	~AAX_VController () override;

	AaxResult Slot3 (AaxWord) const override;
	AaxResult SampleRate (float* rate) const override;
	AaxResult InputStemFormat (AaxStemFormat* format) const override;
	AaxResult OutputStemFormat (AaxStemFormat* format) const override;
	AaxResult Slot7 (AaxWord) const override;
	AaxResult Slot8 (AaxWord, AaxWord) const override;
	AaxResult Slot9 (AaxWord) const override;
	AaxResult SetSignalLatency (int32_t samples) const override;
	AaxResult Slot11 (AaxWord, AaxWord, AaxWord) const override;
	AaxResult PostPacket (int32_t field, const void* data, int32_t size) const override;
	AaxResult Slot20 (AaxWord, AaxWord, AaxWord) const override;
	AaxResult Slot13 (AaxWord, AaxWord) const override;
	AaxResult Slot14 (AaxWord, AaxWord) const override;
	AaxResult Slot15 (AaxWord) const override;
	AaxResult Slot18 (AaxWord) const override;
	AaxResult Slot16 (AaxWord, AaxWord) const override;
	AaxResult Slot17 (AaxWord) const override;
	AaxResult Slot19 (AaxWord, AaxWord) const override;
	AaxResult Slot21 (AaxWord) const override;
	AaxResult Slot22 (uint64_t* out) const override;
	AaxResult Slot23 (AaxWord) const override;

	AAX_IACFController* HostController () const { return mController.Get (); }
	AAX_IACFController_V2* HostControllerV2 () const { return mControllerV2.Get (); }

private:
	AcfPtr<AAX_IACFController> mController;
	AcfPtr<AAX_IACFController_V2> mControllerV2;
};
