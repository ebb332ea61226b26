#include "formats/vst3/IPlugVST3.h"

#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <cmath>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

// The stored context is the host's whole record, copied as it comes.
static_assert(sizeof(ProcessContext) == 112, "the process context is 112 bytes");

tresult PLUGIN_API IPlugVST3::setupProcessing(ProcessSetup& setup)
{
  if (setup.symbolicSampleSize != kSample32 && setup.symbolicSampleSize != kSample64)
    return kResultFalse;
  // A rate the filters cannot be designed for is refused.
  if (!(setup.sampleRate > 0.0) || !std::isfinite(setup.sampleRate))
    return kInvalidArgument;
  try
  {
    LockGuard lock(mMutex);
    // A maximum below one sample, or buffers that cannot be had for it, leave
    // the previous setup in force; the host learns of it here and again on
    // activation. No block could be processed under such a setup.
    mSetupRefused = setup.maxSamplesPerBlock < 1 || !SetBlockSize(setup.maxSamplesPerBlock);
    if (mSetupRefused)
      return kResultFalse;
    mHostBypass = false;
    SetSampleRate(setup.sampleRate);
    Reset();
    processSetup = setup;
    return kResultOk;
  }
  catch (...)
  {
    return kOutOfMemory;
  }
}

tresult PLUGIN_API IPlugVST3::setActive(TBool state)
{
  try
  {
    if (state && mSetupRefused)
      return kResultFalse;
    OnActivate(state != 0);
    return kResultOk;
  }
  catch (...)
  {
    return kInternalError;
  }
}

void IPlugVST3::ApplyParameterChanges(IParameterChanges* changes)
{
  if (!changes)
    return;
  const int32 nQueues = changes->getParameterCount();
  for (int32 q = 0; q < nQueues; ++q)
  {
    IParamValueQueue* queue = changes->getParameterData(q);
    if (!queue)
      continue;
    const int32 nPoints = queue->getPointCount();
    if (nPoints <= 0)
      continue;
    // Only the block's last value is applied, once.
    int32 offset = 0;
    ParamValue value = 0.0;
    if (queue->getPoint(nPoints - 1, offset, value) != kResultOk)
      continue;

    const ParamID id = queue->getParameterId();
    if (id == kBypassParamID)
    {
      if (std::isnan(value))
        continue;
      mHostBypass = value > 0.5;
      mBypassFromController = false;
    }
    else if (id == kPresetParamID)
    {
      // Truncated toward zero; anything outside the presets restores nothing.
      const double preset = value * NPresets();
      if (preset > -1.0 && preset < NPresets())
        RestorePreset(static_cast<int>(preset));
    }
    else if (id < static_cast<ParamID>(NParams()))
    {
      SetParameterFromHost(static_cast<int>(id), value);
    }
    else if (DoesMIDI() && id < static_cast<ParamID>(NParams() + 128))
    {
      MidiMessage msg;
      msg.MakeControlChange(static_cast<int>(id) - NParams(), value, 0);
      ProcessMidiIn(msg);
    }
  }
}

void IPlugVST3::ApplyMidiEvents(IEventList* events)
{
  if (!events || !DoesMIDI())
    return;
  const int32 n = events->getEventCount();
  for (int32 i = 0; i < n; ++i)
  {
    Event e;
    std::memset(&e, 0, sizeof(e));
    if (events->getEvent(i, e) != kResultOk)
      continue;
    MidiMessage msg;
    if (e.type == Event::kNoteOnEvent)
    {
      float velocity = e.noteOn.velocity;
      if (!(velocity >= 0.0f))
        velocity = 0.0f;
      else if (velocity > 1.0f)
        velocity = 1.0f;
      msg.MakeNoteOn(e.noteOn.pitch, static_cast<int>(velocity * 127.0f), e.sampleOffset,
                     e.noteOn.channel);
    }
    else if (e.type == Event::kNoteOffEvent)
      msg.MakeNoteOff(e.noteOff.pitch, e.sampleOffset, e.noteOff.channel);
    else
      continue;
    ProcessMidiIn(msg);
  }
}

// The host's channel pointers of a bus, or null when the bus has none.
static void* const* BusChannels(const AudioBusBuffers& bus, bool is32)
{
  if (bus.numChannels <= 0)
    return nullptr;
  return is32 ? reinterpret_cast<void* const*>(bus.channelBuffers32)
              : reinterpret_cast<void* const*>(bus.channelBuffers64);
}

static int BusChannelCount(const AudioBusBuffers& bus, bool is32)
{
  return BusChannels(bus, is32) ? bus.numChannels : 0;
}

void IPlugVST3::RouteInputs(ProcessData& data, bool is32)
{
  const int nIn = NInChannels();
  if (data.numInputs < 1 || !data.inputs)
  {
    // Nothing from the host: every input reads silence.
    ConnectInputChannels(0, nIn, false);
    return;
  }

  // Channels beyond what the host's bus carries stay unconnected, so no host
  // pointer is taken that the host did not pass.
  const AudioBusBuffers& mainBus = data.inputs[0];
  const int mainChannels = nIn - mSideChainChans;
  int nMain = BusChannelCount(mainBus, is32);
  if (nMain > mainChannels)
    nMain = mainChannels;

  int nSide = 0;
  if (mSideChainChans)
  {
    Vst::Bus* side = busAt(&audioInputs, 1);
    const bool sideActive = side && side->isActive();
    if (!sideActive && mSideChainWasActive)
      ClearChannelScratch();
    mSideChainWasActive = sideActive;
    if (sideActive && data.numInputs > 1)
    {
      nSide = BusChannelCount(data.inputs[1], is32);
      if (nSide > mSideChainChans)
        nSide = mSideChainChans;
    }
  }

  ConnectInputChannels(0, nMain, true);
  ConnectInputChannels(nMain, mainChannels - nMain, false);
  ConnectInputChannels(mainChannels, nSide, true);
  ConnectInputChannels(mainChannels + nSide, mSideChainChans - nSide, false);

  // Unconnected channels take no host pointer, so whole ranges are attached.
  if (is32)
    AttachInputBuffersFloat(0, mainChannels, mainBus.channelBuffers32, data.numSamples);
  else
    AttachInputBuffersDouble(0, mainChannels, mainBus.channelBuffers64);
  if (nSide > 0)
  {
    const AudioBusBuffers& sideBus = data.inputs[1];
    if (is32)
      AttachInputBuffersFloat(mainChannels, mSideChainChans, sideBus.channelBuffers32, data.numSamples);
    else
      AttachInputBuffersDouble(mainChannels, mSideChainChans, sideBus.channelBuffers64);
  }
}

void IPlugVST3::RouteOutputs(ProcessData& data, bool is32)
{
  const int nOut = NOutChannels();
  if (data.numOutputs < 1 || !data.outputs)
  {
    // Nothing to write into: the plug-in writes its own scratch buffers.
    ConnectOutputChannels(0, nOut, false);
    return;
  }
  int first = 0;
  for (int32 j = 0; j < data.numOutputs && first < nOut; ++j)
  {
    const AudioBusBuffers& bus = data.outputs[j];
    int n = BusChannelCount(bus, is32);
    if (n > nOut - first)
      n = nOut - first;
    Vst::Bus* declared = busAt(&audioOutputs, j);
    const bool active = declared && declared->isActive();
    ConnectOutputChannels(first, n, active);
    ConnectOutputChannels(first + n, nOut - n - first, false);
    if (active)
    {
      if (is32)
        AttachOutputBuffersFloat(first, n, bus.channelBuffers32);
      else
        AttachOutputBuffersDouble(first, n, bus.channelBuffers64);
    }
    first += n;
  }
}

tresult PLUGIN_API IPlugVST3::process(ProcessData& data)
{
  try
  {
    LockGuard lock(mMutex);

    // Buffers are only ever read and written in the sample size set up for:
    // a block that claims another is refused whole, and nothing is written
    // into buffers whose size is not known.
    if (data.numSamples > 0 && data.symbolicSampleSize != processSetup.symbolicSampleSize)
      return kInvalidArgument;

    if (data.processContext)
      std::memcpy(&mProcessContext, data.processContext, sizeof(ProcessContext));

    ApplyParameterChanges(data.inputParameterChanges);
    ApplyMidiEvents(data.inputEvents);

    // A call without samples only carries parameter changes.
    if (data.numSamples <= 0)
      return kResultOk;

    const bool is32 = processSetup.symbolicSampleSize == kSample32;

    RouteInputs(data, is32);
    RouteOutputs(data, is32);

    if (GetHostBypass())
    {
      if (is32)
        PassThroughFloat(data.numSamples);
      else
        PassThroughDouble(data.numSamples);
    }
    else
    {
      if (is32)
        ProcessBuffersFloat(data.numSamples);
      else
        ProcessBuffersDouble(data.numSamples);
    }
    return kResultOk;
  }
  catch (...)
  {
    return kInternalError;
  }
}

//---Time and transport, from the last context the host sent

bool IPlugVST3::IsRenderingOffline()
{
  return processSetup.processMode == kOffline;
}

int IPlugVST3::GetSamplePosition()
{
  return static_cast<int>(static_cast<uint32>(static_cast<uint64>(mProcessContext.projectTimeSamples)));
}

double IPlugVST3::GetTempo()
{
  return mProcessContext.tempo;
}

void IPlugVST3::GetTimeSignature(int& numerator, int& denominator)
{
  numerator = mProcessContext.timeSigNumerator;
  denominator = mProcessContext.timeSigDenominator;
}

void IPlugVST3::GetTransportInfo(TransportInfo& info)
{
  info.mTempo = mProcessContext.tempo;
  info.mSamplePos = static_cast<double>(mProcessContext.projectTimeSamples);
  info.mPPQPos = mProcessContext.projectTimeMusic;
  info.mLastBar = mProcessContext.barPositionMusic;
  info.mCycleStart = mProcessContext.cycleStartMusic;
  info.mCycleEnd = mProcessContext.cycleEndMusic;
  info.mNumerator = mProcessContext.timeSigNumerator;
  info.mDenominator = mProcessContext.timeSigDenominator;
  info.mTransportIsRunning = (mProcessContext.state & ProcessContext::kPlaying) != 0;
  info.mTransportLoopEnabled = (mProcessContext.state & ProcessContext::kCycleActive) != 0;
}
