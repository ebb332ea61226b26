#include "aax-support/AAX_VController.h"

#define FORWARD1(call) return mController ? mController->call : kAaxErrMissingInterface
#define FORWARD2(call) return mControllerV2 ? mControllerV2->call : kAaxErrNotImplemented

AAX_VController::AAX_VController (IACFUnknown* hostUnknown)
{
	AcfQuery (hostUnknown, IID_AAX_IACFController, mController);
	AcfQuery (hostUnknown, IID_AAX_IACFController_V2, mControllerV2);
}

// The second version is declared last, so it is released first.
AAX_VController::~AAX_VController () = default;

AaxResult AAX_VController::Slot3 (AaxWord a) const { FORWARD1 (Slot3 (a)); }
AaxResult AAX_VController::SampleRate (float* rate) const { FORWARD1 (SampleRate (rate)); }
AaxResult AAX_VController::InputStemFormat (AaxStemFormat* format) const { FORWARD1 (InputStemFormat (format)); }
AaxResult AAX_VController::OutputStemFormat (AaxStemFormat* format) const { FORWARD1 (OutputStemFormat (format)); }
AaxResult AAX_VController::Slot7 (AaxWord a) const { FORWARD1 (Slot7 (a)); }
AaxResult AAX_VController::Slot8 (AaxWord a, AaxWord b) const { FORWARD1 (Slot8 (a, b)); }
AaxResult AAX_VController::Slot9 (AaxWord a) const { FORWARD1 (Slot9 (a)); }
AaxResult AAX_VController::SetSignalLatency (int32_t samples) const { FORWARD1 (SetSignalLatency (samples)); }
AaxResult AAX_VController::Slot11 (AaxWord a, AaxWord b, AaxWord c) const { FORWARD1 (Slot11 (a, b, c)); }
AaxResult AAX_VController::PostPacket (int32_t field, const void* data, int32_t size) const { FORWARD1 (PostPacket (field, data, size)); }
AaxResult AAX_VController::Slot20 (AaxWord a, AaxWord b, AaxWord c) const { FORWARD2 (Slot20 (a, b, c)); }
AaxResult AAX_VController::Slot13 (AaxWord a, AaxWord b) const { FORWARD1 (Slot13 (a, b)); }
AaxResult AAX_VController::Slot14 (AaxWord a, AaxWord b) const { FORWARD1 (Slot14 (a, b)); }
AaxResult AAX_VController::Slot15 (AaxWord a) const { FORWARD1 (Slot15 (a)); }
AaxResult AAX_VController::Slot18 (AaxWord a) const { FORWARD1 (Slot18 (a)); }
AaxResult AAX_VController::Slot16 (AaxWord a, AaxWord b) const { FORWARD1 (Slot16 (a, b)); }
AaxResult AAX_VController::Slot17 (AaxWord a) const { FORWARD1 (Slot17 (a)); }
AaxResult AAX_VController::Slot19 (AaxWord a, AaxWord b) const { FORWARD1 (Slot19 (a, b)); }
AaxResult AAX_VController::Slot21 (AaxWord a) const { FORWARD2 (Slot21 (a)); }

AaxResult AAX_VController::Slot22 (uint64_t* out) const
{
	if (!mControllerV2)
	{
		if (out)
			*out = 0;
		return kAaxErrNotImplemented;
	}
	return mControllerV2->Slot22 (out);
}

AaxResult AAX_VController::Slot23 (AaxWord a) const { FORWARD2 (Slot23 (a)); }
