#include "aax-support/AAX_VTransport.h"

#define FORWARD1(call) return mTransport ? mTransport->call : kAaxErrMissingInterface
#define FORWARD2(call) return mTransportV2 ? mTransportV2->call : kAaxErrNotImplemented

AAX_VTransport::AAX_VTransport (IACFUnknown* hostUnknown)
{
	AcfQuery (hostUnknown, IID_AAX_IACFTransport, mTransport);
	AcfQuery (hostUnknown, IID_AAX_IACFTransport_V2, mTransportV2);
}

// The second version is declared last, so it is released first.
AAX_VTransport::~AAX_VTransport () = default;

AaxResult AAX_VTransport::CurrentTempo (double* bpm) const { FORWARD1 (CurrentTempo (bpm)); }
AaxResult AAX_VTransport::CurrentMeter (int32_t* n, int32_t* d) const { FORWARD1 (CurrentMeter (n, d)); }
AaxResult AAX_VTransport::IsTransportPlaying (bool* playing) const { FORWARD1 (IsTransportPlaying (playing)); }
AaxResult AAX_VTransport::CurrentTickPosition (int64_t* ticks) const { FORWARD1 (CurrentTickPosition (ticks)); }
AaxResult AAX_VTransport::CurrentLoopPosition (bool* looping, int64_t* s, int64_t* e) const { FORWARD1 (CurrentLoopPosition (looping, s, e)); }
AaxResult AAX_VTransport::CurrentNativeSampleLocation (int64_t* samples) const { FORWARD1 (CurrentNativeSampleLocation (samples)); }
AaxResult AAX_VTransport::Slot9 (AaxWord a, AaxWord b, AaxWord c) const { FORWARD1 (Slot9 (a, b, c)); }
AaxResult AAX_VTransport::Slot10 (AaxWord a, AaxWord b, AaxWord c, AaxWord d, AaxWord e) const { FORWARD1 (Slot10 (a, b, c, d, e)); }
AaxResult AAX_VTransport::Slot11 (AaxWord a) const { FORWARD1 (Slot11 (a)); }
AaxResult AAX_VTransport::Slot12 (AaxWord a) const { FORWARD1 (Slot12 (a)); }
AaxResult AAX_VTransport::Slot13 (AaxWord a) const { FORWARD2 (Slot13 (a)); }
AaxResult AAX_VTransport::Slot14 (AaxWord a, AaxWord b) const { FORWARD2 (Slot14 (a, b)); }
AaxResult AAX_VTransport::Slot15 (AaxWord a, AaxWord b) const { FORWARD2 (Slot15 (a, b)); }
AaxResult AAX_VTransport::Slot16 (AaxWord a) const { FORWARD2 (Slot16 (a)); }
