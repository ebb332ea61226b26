#include "HostRuntimeObjects.h"

#include "HostWindow.h"

namespace aaxhost {

namespace {
const char* Text (const char* s)
{
	return s ? s : "(null)";
}
} // namespace

// Controller

bool FakeController::Answers (AcfRefIID iid) const
{
	return (iid == IID_AAX_IACFController && mConfig.mControllerV1)
	       || (iid == IID_AAX_IACFController_V2 && mConfig.mControllerV2);
}

AaxResult ACF_CALL FakeController::Slot3 (AaxWord a) { mLog.Recordf ("Controller.Slot3(%u)", a); return mResult; }

AaxResult ACF_CALL FakeController::SampleRate (float* rate)
{
	mLog.Record ("Controller.SampleRate");
	if (mResult == kAaxSuccess && rate)
		*rate = mSampleRate;
	return mResult;
}

AaxResult ACF_CALL FakeController::InputStemFormat (AaxStemFormat* format)
{
	mLog.Record ("Controller.InputStemFormat");
	if (mResult == kAaxSuccess && format)
		*format = mInputStem;
	return mResult;
}

AaxResult ACF_CALL FakeController::OutputStemFormat (AaxStemFormat* format)
{
	mLog.Record ("Controller.OutputStemFormat");
	if (mResult == kAaxSuccess && format)
		*format = mOutputStem;
	return mResult;
}

AaxResult ACF_CALL FakeController::Slot7 (AaxWord a) { mLog.Recordf ("Controller.Slot7(%u)", a); return mResult; }
AaxResult ACF_CALL FakeController::Slot8 (AaxWord a, AaxWord b) { mLog.Recordf ("Controller.Slot8(%u,%u)", a, b); return mResult; }
AaxResult ACF_CALL FakeController::Slot9 (AaxWord a) { mLog.Recordf ("Controller.Slot9(%u)", a); return mResult; }

AaxResult ACF_CALL FakeController::SetSignalLatency (int32_t samples)
{
	mLog.Recordf ("Controller.SetSignalLatency(%d)", samples);
	mLatency = samples;
	return mResult;
}

AaxResult ACF_CALL FakeController::Slot11 (AaxWord a, AaxWord b, AaxWord c) { mLog.Recordf ("Controller.Slot11(%u,%u,%u)", a, b, c); return mResult; }

AaxResult ACF_CALL FakeController::PostPacket (int32_t field, const void* data, int32_t size)
{
	mLog.Recordf ("Controller.PostPacket(%d,%d)", field, size);
	if (data && size > 0)
	{
		const uint8_t* bytes = static_cast<const uint8_t*> (data);
		mPackets.emplace_back (bytes, bytes + size);
	}
	return mResult;
}

AaxResult ACF_CALL FakeController::Slot13 (AaxWord a, AaxWord b) { mLog.Recordf ("Controller.Slot13(%u,%u)", a, b); return mResult; }
AaxResult ACF_CALL FakeController::Slot14 (AaxWord a, AaxWord b) { mLog.Recordf ("Controller.Slot14(%u,%u)", a, b); return mResult; }
AaxResult ACF_CALL FakeController::Slot15 (AaxWord a) { mLog.Recordf ("Controller.Slot15(%u)", a); return mResult; }
AaxResult ACF_CALL FakeController::Slot16 (AaxWord a, AaxWord b) { mLog.Recordf ("Controller.Slot16(%u,%u)", a, b); return mResult; }
AaxResult ACF_CALL FakeController::Slot17 (AaxWord a) { mLog.Recordf ("Controller.Slot17(%u)", a); return mResult; }
AaxResult ACF_CALL FakeController::Slot18 (AaxWord a) { mLog.Recordf ("Controller.Slot18(%u)", a); return mResult; }
AaxResult ACF_CALL FakeController::Slot19 (AaxWord a, AaxWord b) { mLog.Recordf ("Controller.Slot19(%u,%u)", a, b); return mResult; }
AaxResult ACF_CALL FakeController::Slot20 (AaxWord a, AaxWord b, AaxWord c) { mLog.Recordf ("Controller.Slot20(%u,%u,%u)", a, b, c); return mResult; }
AaxResult ACF_CALL FakeController::Slot21 (AaxWord a) { mLog.Recordf ("Controller.Slot21(%u)", a); return mResult; }

AaxResult ACF_CALL FakeController::Slot22 (uint64_t* out)
{
	mLog.Record ("Controller.Slot22");
	if (mResult == kAaxSuccess && out)
		*out = mSlot22Value;
	return mResult;
}

AaxResult ACF_CALL FakeController::Slot23 (AaxWord a) { mLog.Recordf ("Controller.Slot23(%u)", a); return mResult; }

// Automation delegate

bool FakeAutomationDelegate::Answers (AcfRefIID iid) const
{
	return iid == IID_AAX_IACFAutomationDelegate;
}

AaxResult ACF_CALL FakeAutomationDelegate::RegisterParameter (AaxParamID id) { mLog.Recordf ("Automation.RegisterParameter(%s)", Text (id)); return mResult; }
AaxResult ACF_CALL FakeAutomationDelegate::UnregisterParameter (AaxParamID id) { mLog.Recordf ("Automation.UnregisterParameter(%s)", Text (id)); return mResult; }
AaxResult ACF_CALL FakeAutomationDelegate::PostSetValueRequest (AaxParamID id, double v) { mLog.Recordf ("Automation.PostSetValueRequest(%s,%g)", Text (id), v); return mResult; }
AaxResult ACF_CALL FakeAutomationDelegate::PostCurrentValue (AaxParamID id, double v) { mLog.Recordf ("Automation.PostCurrentValue(%s,%g)", Text (id), v); return mResult; }
AaxResult ACF_CALL FakeAutomationDelegate::PostTouchRequest (AaxParamID id) { mLog.Recordf ("Automation.PostTouchRequest(%s)", Text (id)); return mResult; }
AaxResult ACF_CALL FakeAutomationDelegate::PostReleaseRequest (AaxParamID id) { mLog.Recordf ("Automation.PostReleaseRequest(%s)", Text (id)); return mResult; }
AaxResult ACF_CALL FakeAutomationDelegate::Slot9 (AaxWord a, AaxWord b) { mLog.Recordf ("Automation.Slot9(%u,%u)", a, b); return mResult; }

// Transport

bool FakeTransport::Answers (AcfRefIID iid) const
{
	return (iid == IID_AAX_IACFTransport && mConfig.mTransportV1)
	       || (iid == IID_AAX_IACFTransport_V2 && mConfig.mTransportV2);
}

AaxResult ACF_CALL FakeTransport::CurrentTempo (double* bpm)
{
	mLog.Record ("Transport.CurrentTempo");
	if (mResult == kAaxSuccess && bpm)
		*bpm = mTempo;
	return mResult;
}

AaxResult ACF_CALL FakeTransport::CurrentMeter (int32_t* numerator, int32_t* denominator)
{
	mLog.Record ("Transport.CurrentMeter");
	if (mResult == kAaxSuccess && numerator && denominator)
	{
		*numerator = mNumerator;
		*denominator = mDenominator;
	}
	return mResult;
}

AaxResult ACF_CALL FakeTransport::IsTransportPlaying (bool* playing)
{
	mLog.Record ("Transport.IsTransportPlaying");
	if (mResult == kAaxSuccess && playing)
		*playing = mPlaying;
	return mResult;
}

AaxResult ACF_CALL FakeTransport::CurrentTickPosition (int64_t* ticks)
{
	mLog.Record ("Transport.CurrentTickPosition");
	if (mResult == kAaxSuccess && ticks)
		*ticks = mTicks;
	return mResult;
}

AaxResult ACF_CALL FakeTransport::CurrentLoopPosition (bool* looping, int64_t* startTicks, int64_t* endTicks)
{
	mLog.Record ("Transport.CurrentLoopPosition");
	if (mResult == kAaxSuccess && looping && startTicks && endTicks)
	{
		*looping = mLooping;
		*startTicks = mLoopStart;
		*endTicks = mLoopEnd;
	}
	return mResult;
}

AaxResult ACF_CALL FakeTransport::CurrentNativeSampleLocation (int64_t* samples)
{
	mLog.Record ("Transport.CurrentNativeSampleLocation");
	if (mResult == kAaxSuccess && samples)
		*samples = mSampleLocation;
	return mResult;
}

AaxResult ACF_CALL FakeTransport::Slot9 (AaxWord a, AaxWord b, AaxWord c) { mLog.Recordf ("Transport.Slot9(%u,%u,%u)", a, b, c); return mResult; }
AaxResult ACF_CALL FakeTransport::Slot10 (AaxWord a, AaxWord b, AaxWord c, AaxWord d, AaxWord e) { mLog.Recordf ("Transport.Slot10(%u,%u,%u,%u,%u)", a, b, c, d, e); return mResult; }
AaxResult ACF_CALL FakeTransport::Slot11 (AaxWord a) { mLog.Recordf ("Transport.Slot11(%u)", a); return mResult; }
AaxResult ACF_CALL FakeTransport::Slot12 (AaxWord a) { mLog.Recordf ("Transport.Slot12(%u)", a); return mResult; }
AaxResult ACF_CALL FakeTransport::Slot13 (AaxWord a) { mLog.Recordf ("Transport.Slot13(%u)", a); return mResult; }
AaxResult ACF_CALL FakeTransport::Slot14 (AaxWord a, AaxWord b) { mLog.Recordf ("Transport.Slot14(%u,%u)", a, b); return mResult; }
AaxResult ACF_CALL FakeTransport::Slot15 (AaxWord a, AaxWord b) { mLog.Recordf ("Transport.Slot15(%u,%u)", a, b); return mResult; }
AaxResult ACF_CALL FakeTransport::Slot16 (AaxWord a) { mLog.Recordf ("Transport.Slot16(%u)", a); return mResult; }

// View container

FakeViewContainer::FakeViewContainer (HostCallLog& log, const HostConfig& config)
	: HostObject (log, "ViewContainer")
	, mConfig (config)
{
	mParentWindow = CreateHostParentWindow (800, 600);
}

FakeViewContainer::~FakeViewContainer ()
{
	DestroyHostParentWindow (mParentWindow);
}

bool FakeViewContainer::Answers (AcfRefIID iid) const
{
	return iid == IID_AAX_IACFViewContainer && mConfig.mViewContainer;
}

intptr_t ACF_CALL FakeViewContainer::Slot3 ()
{
	mLog.Record ("ViewContainer.Slot3");
	return 1;
}

void* ACF_CALL FakeViewContainer::NativeParent ()
{
	mLog.Record ("ViewContainer.NativeParent");
	return mParentWindow;
}

AaxResult ACF_CALL FakeViewContainer::ModifierKeys (uint32_t* modifiers)
{
	mLog.Record ("ViewContainer.ModifierKeys");
	if (modifiers)
		*modifiers = mModifiers;
	return kAaxSuccess;
}

AaxResult ACF_CALL FakeViewContainer::SetViewSize (const AaxViewSize* size)
{
	if (!size)
	{
		mLog.Record ("ViewContainer.SetViewSize(null)");
		return kAaxErrNullArgument;
	}
	mLog.Recordf ("ViewContainer.SetViewSize(%g,%g)", size->mHeight, size->mWidth);
	mLastSize = *size;
	ResizeHostParentWindow (mParentWindow, static_cast<int> (size->mWidth), static_cast<int> (size->mHeight));
	return kAaxSuccess;
}

AaxResult ACF_CALL FakeViewContainer::OfferParameterMouseDown (AaxParamID id, uint32_t modifiers)
{
	mLog.Recordf ("ViewContainer.OfferParameterMouseDown(%s,%u)", Text (id), modifiers);
	return mMouseDownResult;
}

AaxResult ACF_CALL FakeViewContainer::Slot8 (AaxWord a, AaxWord b) { mLog.Recordf ("ViewContainer.Slot8(%u,%u)", a, b); return kAaxSuccess; }
AaxResult ACF_CALL FakeViewContainer::Slot9 (AaxWord a, AaxWord b) { mLog.Recordf ("ViewContainer.Slot9(%u,%u)", a, b); return kAaxSuccess; }

// Host services

bool FakeHostServices::Answers (AcfRefIID iid) const
{
	return iid == IID_AAX_IACFHostServices;
}

AaxResult ACF_CALL FakeHostServices::Slot3 (AaxWord a, AaxWord b, AaxWord c) { mLog.Recordf ("HostServices.Slot3(%u,%u,%u)", a, b, c); return kAaxSuccess; }

AaxResult ACF_CALL FakeHostServices::TraceMessage (int32_t priority, const char* message)
{
	mLog.Recordf ("HostServices.TraceMessage(0x%08X)", static_cast<unsigned> (priority));
	mTraces.push_back (Text (message));
	return kAaxSuccess;
}

} // namespace aaxhost
