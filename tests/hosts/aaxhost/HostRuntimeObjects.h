#pragma once

// The fake host's run-time objects: controller, automation delegate, transport,
// view container and host services. Each records its calls and answers from
// public fields that tests set.

#include "HostConfig.h"
#include "HostObject.h"

#include "aax-support/interfaces/AaxHostInterfaces.h"

#include <string>
#include <vector>

namespace aaxhost {

class FakeController : public HostObject<AAX_IACFController_V2>
{
public:
	FakeController (HostCallLog& log, const HostConfig& config) : HostObject (log, "Controller"), mConfig (config) {}

	float mSampleRate = 44100.0f;
	AaxStemFormat mInputStem = 0x00010002;
	AaxStemFormat mOutputStem = 0x00010002;
	uint64_t mSlot22Value = 0x1122334455667788ull;
	AaxResult mResult = kAaxSuccess;      // what every operation returns
	int32_t mLatency = 0;
	std::vector<std::vector<uint8_t>> mPackets;

	AaxResult ACF_CALL Slot3 (AaxWord a) override;
	AaxResult ACF_CALL SampleRate (float* rate) override;
	AaxResult ACF_CALL InputStemFormat (AaxStemFormat* format) override;
	AaxResult ACF_CALL OutputStemFormat (AaxStemFormat* format) override;
	AaxResult ACF_CALL Slot7 (AaxWord a) override;
	AaxResult ACF_CALL Slot8 (AaxWord a, AaxWord b) override;
	AaxResult ACF_CALL Slot9 (AaxWord a) override;
	AaxResult ACF_CALL SetSignalLatency (int32_t samples) override;
	AaxResult ACF_CALL Slot11 (AaxWord a, AaxWord b, AaxWord c) override;
	AaxResult ACF_CALL PostPacket (int32_t field, const void* data, int32_t size) override;
	AaxResult ACF_CALL Slot13 (AaxWord a, AaxWord b) override;
	AaxResult ACF_CALL Slot14 (AaxWord a, AaxWord b) override;
	AaxResult ACF_CALL Slot15 (AaxWord a) override;
	AaxResult ACF_CALL Slot16 (AaxWord a, AaxWord b) override;
	AaxResult ACF_CALL Slot17 (AaxWord a) override;
	AaxResult ACF_CALL Slot18 (AaxWord a) override;
	AaxResult ACF_CALL Slot19 (AaxWord a, AaxWord b) override;
	AaxResult ACF_CALL Slot20 (AaxWord a, AaxWord b, AaxWord c) override;
	AaxResult ACF_CALL Slot21 (AaxWord a) override;
	AaxResult ACF_CALL Slot22 (uint64_t* out) override;
	AaxResult ACF_CALL Slot23 (AaxWord a) override;

protected:
	bool Answers (AcfRefIID iid) const override;

private:
	const HostConfig& mConfig;
};

class FakeAutomationDelegate : public HostObject<AAX_IACFAutomationDelegate>
{
public:
	explicit FakeAutomationDelegate (HostCallLog& log) : HostObject (log, "Automation") {}

	AaxResult mResult = kAaxSuccess;

	AaxResult ACF_CALL RegisterParameter (AaxParamID id) override;
	AaxResult ACF_CALL UnregisterParameter (AaxParamID id) override;
	AaxResult ACF_CALL PostSetValueRequest (AaxParamID id, double normalized) override;
	AaxResult ACF_CALL PostCurrentValue (AaxParamID id, double normalized) override;
	AaxResult ACF_CALL PostTouchRequest (AaxParamID id) override;
	AaxResult ACF_CALL PostReleaseRequest (AaxParamID id) override;
	AaxResult ACF_CALL Slot9 (AaxWord a, AaxWord b) override;

protected:
	bool Answers (AcfRefIID iid) const override;
};

class FakeTransport : public HostObject<AAX_IACFTransport_V2>
{
public:
	FakeTransport (HostCallLog& log, const HostConfig& config) : HostObject (log, "Transport"), mConfig (config) {}

	double mTempo = 120.0;
	int32_t mNumerator = 4;
	int32_t mDenominator = 4;
	bool mPlaying = false;
	int64_t mTicks = 0;
	bool mLooping = false;
	int64_t mLoopStart = 0;
	int64_t mLoopEnd = 0;
	int64_t mSampleLocation = 0;
	// What every operation returns; on failure the outs are not written.
	AaxResult mResult = kAaxSuccess;

	AaxResult ACF_CALL CurrentTempo (double* bpm) override;
	AaxResult ACF_CALL CurrentMeter (int32_t* numerator, int32_t* denominator) override;
	AaxResult ACF_CALL IsTransportPlaying (bool* playing) override;
	AaxResult ACF_CALL CurrentTickPosition (int64_t* ticks) override;
	AaxResult ACF_CALL CurrentLoopPosition (bool* looping, int64_t* startTicks, int64_t* endTicks) override;
	AaxResult ACF_CALL CurrentNativeSampleLocation (int64_t* samples) override;
	AaxResult ACF_CALL Slot9 (AaxWord a, AaxWord b, AaxWord c) override;
	AaxResult ACF_CALL Slot10 (AaxWord a, AaxWord b, AaxWord c, AaxWord d, AaxWord e) override;
	AaxResult ACF_CALL Slot11 (AaxWord a) override;
	AaxResult ACF_CALL Slot12 (AaxWord a) override;
	AaxResult ACF_CALL Slot13 (AaxWord a) override;
	AaxResult ACF_CALL Slot14 (AaxWord a, AaxWord b) override;
	AaxResult ACF_CALL Slot15 (AaxWord a, AaxWord b) override;
	AaxResult ACF_CALL Slot16 (AaxWord a) override;

protected:
	bool Answers (AcfRefIID iid) const override;

private:
	const HostConfig& mConfig;
};

class FakeViewContainer : public HostObject<AAX_IACFViewContainer>
{
public:
	FakeViewContainer (HostCallLog& log, const HostConfig& config);
	~FakeViewContainer () override;

	// A real top-level window in the Windows builds, a placeholder natively.
	void* mParentWindow = nullptr;
	uint32_t mModifiers = 0;
	AaxResult mMouseDownResult = kAaxErrNotImplemented;  // not taken by the host
	AaxViewSize mLastSize = { 0.0f, 0.0f };

	intptr_t ACF_CALL Slot3 () override;
	void* ACF_CALL NativeParent () override;
	AaxResult ACF_CALL ModifierKeys (uint32_t* modifiers) override;
	AaxResult ACF_CALL SetViewSize (const AaxViewSize* size) override;
	AaxResult ACF_CALL OfferParameterMouseDown (AaxParamID id, uint32_t modifiers) override;
	AaxResult ACF_CALL Slot8 (AaxWord a, AaxWord b) override;
	AaxResult ACF_CALL Slot9 (AaxWord a, AaxWord b) override;

protected:
	bool Answers (AcfRefIID iid) const override;

private:
	const HostConfig& mConfig;
};

class FakeHostServices : public HostObject<AAX_IACFHostServices>
{
public:
	explicit FakeHostServices (HostCallLog& log) : HostObject (log, "HostServices") {}

	std::vector<std::string> mTraces;

	AaxResult ACF_CALL Slot3 (AaxWord a, AaxWord b, AaxWord c) override;
	AaxResult ACF_CALL TraceMessage (int32_t priority, const char* message) override;

protected:
	bool Answers (AcfRefIID iid) const override;
};

} // namespace aaxhost
