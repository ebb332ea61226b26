#pragma once

// Run-time host interfaces, in the host's slot order. Slot numbers count from 0,
// where 0-2 are IACFUnknown. Slots the plug-in never calls are named after their
// position; their argument words are all the plug-in knows of them.

#include "AcfBase.h"
#include "AcfIds.h"
#include "AaxTypes.h"

class AAX_IACFController : public IACFUnknown
{
public:
	virtual AaxResult ACF_CALL Slot3 (AaxWord) = 0;
	virtual AaxResult ACF_CALL SampleRate (float* rate) = 0;                           // 4
	virtual AaxResult ACF_CALL InputStemFormat (AaxStemFormat* format) = 0;            // 5
	virtual AaxResult ACF_CALL OutputStemFormat (AaxStemFormat* format) = 0;           // 6
	virtual AaxResult ACF_CALL Slot7 (AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot8 (AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot9 (AaxWord) = 0;
	virtual AaxResult ACF_CALL SetSignalLatency (int32_t samples) = 0;                    // 10
	virtual AaxResult ACF_CALL Slot11 (AaxWord, AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL PostPacket (int32_t field, const void* data, int32_t size) = 0; // 12
	virtual AaxResult ACF_CALL Slot13 (AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot14 (AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot15 (AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot16 (AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot17 (AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot18 (AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot19 (AaxWord, AaxWord) = 0;
};

class AAX_IACFController_V2 : public AAX_IACFController
{
public:
	virtual AaxResult ACF_CALL Slot20 (AaxWord, AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot21 (AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot22 (uint64_t* out) = 0;
	virtual AaxResult ACF_CALL Slot23 (AaxWord) = 0;
};

class AAX_IACFAutomationDelegate : public IACFUnknown
{
public:
	virtual AaxResult ACF_CALL RegisterParameter (AaxParamID id) = 0;                     // 3
	virtual AaxResult ACF_CALL UnregisterParameter (AaxParamID id) = 0;                   // 4
	virtual AaxResult ACF_CALL PostSetValueRequest (AaxParamID id, double normalized) = 0; // 5
	virtual AaxResult ACF_CALL PostCurrentValue (AaxParamID id, double normalized) = 0;   // 6
	virtual AaxResult ACF_CALL PostTouchRequest (AaxParamID id) = 0;                      // 7
	virtual AaxResult ACF_CALL PostReleaseRequest (AaxParamID id) = 0;                    // 8
	virtual AaxResult ACF_CALL Slot9 (AaxWord, AaxWord) = 0;
};

class AAX_IACFTransport : public IACFUnknown
{
public:
	virtual AaxResult ACF_CALL CurrentTempo (double* bpm) = 0;                          // 3
	virtual AaxResult ACF_CALL CurrentMeter (int32_t* numerator, int32_t* denominator) = 0; // 4
	virtual AaxResult ACF_CALL IsTransportPlaying (bool* playing) = 0;                     // 5
	virtual AaxResult ACF_CALL CurrentTickPosition (int64_t* ticks) = 0;                // 6
	virtual AaxResult ACF_CALL CurrentLoopPosition (bool* looping, int64_t* startTicks, int64_t* endTicks) = 0; // 7
	virtual AaxResult ACF_CALL CurrentNativeSampleLocation (int64_t* samples) = 0;     // 8
	virtual AaxResult ACF_CALL Slot9 (AaxWord, AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot10 (AaxWord, AaxWord, AaxWord, AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot11 (AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot12 (AaxWord) = 0;
};

class AAX_IACFTransport_V2 : public AAX_IACFTransport
{
public:
	virtual AaxResult ACF_CALL Slot13 (AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot14 (AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot15 (AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot16 (AaxWord) = 0;
};

class AAX_IACFViewContainer : public IACFUnknown
{
public:
	virtual intptr_t ACF_CALL Slot3 () = 0;
	virtual void* ACF_CALL NativeParent () = 0;                                         // 4
	virtual AaxResult ACF_CALL ModifierKeys (uint32_t* modifiers) = 0;                  // 5
	virtual AaxResult ACF_CALL SetViewSize (const AaxViewSize* size) = 0;                  // 6
	virtual AaxResult ACF_CALL OfferParameterMouseDown (AaxParamID id, uint32_t modifiers) = 0; // 7
	virtual AaxResult ACF_CALL Slot8 (AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot9 (AaxWord, AaxWord) = 0;
};

class AAX_IACFHostServices : public IACFUnknown
{
public:
	virtual AaxResult ACF_CALL Slot3 (AaxWord, AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL TraceMessage (int32_t priority, const char* message) = 0;         // 4
};
