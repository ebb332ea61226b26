// The VST2 object: its effect record, and the host calls made through the
// audioMaster callback.

#include "formats/vst2/IPlugVST.h"

#include <cstring>

#include "framework/Trace.h"
#include "gui/IGraphics.h"

IPlugVST::IPlugVST(IPlugInstanceInfo instanceInfo, int nParams, const char* channelIOStr,
                   int nPresets, const char* effectName, const char* productName,
                   const char* makerName, int vendorVersion, int uniqueID, int makerID,
                   int latency, bool doesMIDI, bool doesChunks, bool isInst, int /*unused*/)
  : IPlugBase(nParams, channelIOStr, nPresets, effectName, productName, makerName, vendorVersion,
              uniqueID, makerID, latency, doesMIDI, doesChunks, isInst, kApiVST2)
  , mHostCallback(instanceInfo)
{
  Trace("IPlugVST::IPlugVST", __LINE__, "");

  std::memset(&mAEffect, 0, sizeof(mAEffect));
  mAEffect.magic = kEffectMagic;
  mAEffect.dispatcher = VSTDispatcher;
  mAEffect.process = VSTProcess;
  mAEffect.setParameter = VSTSetParameter;
  mAEffect.getParameter = VSTGetParameter;
  mAEffect.numPrograms = nPresets;
  mAEffect.numParams = nParams;
  mAEffect.numInputs = NInChannels();
  mAEffect.numOutputs = NOutChannels();
  mAEffect.flags = kEffFlagsCanReplacing | kEffFlagsCanDoubleReplacing;
  if (doesChunks) mAEffect.flags |= kEffFlagsProgramChunks;
  if (LegalIO(1, -1)) mAEffect.flags |= kEffFlagsCanMono;
  if (isInst) mAEffect.flags |= kEffFlagsIsSynth;
  mAEffect.initialDelay = GetLatency();
  mAEffect.ioRatio = 1.0f;
  mAEffect.object = this;
  mAEffect.uniqueID = uniqueID;
  mAEffect.version = GetEffectVersion(true);
  mAEffect.processReplacing = VSTProcessReplacing;
  mAEffect.processDoubleReplacing = VSTProcessDoubleReplacing;

  std::memset(&mEditRect, 0, sizeof(mEditRect));
  std::memset(&mInputSpkrArr, 0, sizeof(mInputSpkrArr));
  std::memset(&mOutputSpkrArr, 0, sizeof(mOutputSpkrArr));
  SetArrangementChannels();

  ConnectInputChannels(0, NInChannels(), true);
  ConnectOutputChannels(0, NOutChannels(), true);
  SetBlockSize(1024);
}

IPlugVST::~IPlugVST()
{
  // Hosts close a plug-in without closing its editor first: the editor's open
  // edit ends while the host callback still takes it.
  if (IGraphics* graphics = GetGUI())
    graphics->CloseWindow();
  mProgramChunk.Clear();
  mBankChunk.Clear();
}

VstInt32 IPlugVST::ArrangementTypeForChannels(int nChannels)
{
  switch (nChannels)
  {
    case 0: return kSpeakerArrEmpty;
    case 1: return kSpeakerArrMono;
    case 2: return kSpeakerArrStereo;
    default: return kSpeakerArrUserDefined;
  }
}

void IPlugVST::SetArrangementChannels()
{
  mInputSpkrArr.type = ArrangementTypeForChannels(NInChannels());
  mInputSpkrArr.numChannels = NInChannels();
  mOutputSpkrArr.type = ArrangementTypeForChannels(NOutChannels());
  mOutputSpkrArr.numChannels = NOutChannels();
}

VstIntPtr IPlugVST::CallHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
  return mHostCallback ? mHostCallback(&mAEffect, opcode, index, value, ptr, opt) : 0;
}

void IPlugVST::BeginInformHostOfParamChange(int paramIdx)
{
  CallHost(kAudioMasterBeginEdit, paramIdx);
}

void IPlugVST::InformHostOfParamChange(int paramIdx, double normalisedValue)
{
  CallHost(kAudioMasterAutomate, paramIdx, 0, nullptr, float(normalisedValue));
}

void IPlugVST::EndInformHostOfParamChange(int paramIdx)
{
  CallHost(kAudioMasterEndEdit, paramIdx);
}

void IPlugVST::InformHostOfDisplayChange()
{
  CallHost(kAudioMasterUpdateDisplay);
}

bool IPlugVST::IsRenderingOffline()
{
  return CallHost(kAudioMasterGetCurrentProcessLevel) == kVstProcessLevelOffline;
}

const VstTimeInfo* IPlugVST::GetTimeInfo(VstInt32 filter)
{
  return reinterpret_cast<const VstTimeInfo*>(CallHost(kAudioMasterGetTime, 0, filter));
}

int IPlugVST::GetSamplePosition()
{
  const VstTimeInfo* t = GetTimeInfo(0);
  // Also refuses a NaN and a position past what an int holds.
  if (!t || !(t->samplePos >= 0.0) || !(t->samplePos < 2147483647.0)) return 0;
  return int(t->samplePos + 0.5);
}

double IPlugVST::GetTempo()
{
  if (!mHostCallback) return 0.0;
  const VstTimeInfo* t = GetTimeInfo(kVstTempoValid);
  if (t && (t->flags & kVstTempoValid) && t->tempo >= 0.0) return t->tempo;
  return 0.0;
}

void IPlugVST::GetTimeSignature(int& numerator, int& denominator)
{
  numerator = 0;
  denominator = 0;
  const VstTimeInfo* t = GetTimeInfo(kVstTimeSigValid);
  if (t && (t->flags & kVstTimeSigValid) && t->timeSigNumerator >= 0 && t->timeSigDenominator >= 0)
  {
    numerator = t->timeSigNumerator;
    denominator = t->timeSigDenominator;
  }
}

void IPlugVST::GetTransportInfo(TransportInfo& info)
{
  const VstInt32 kAny = kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstCyclePosValid |
                        kVstTimeSigValid;
  const VstTimeInfo* t = GetTimeInfo(kAny);
  if (!t || !(t->flags & kAny)) return;

  info.mSamplePos = t->samplePos;
  if ((t->flags & kVstPpqPosValid) && t->ppqPos >= 0.0) info.mPPQPos = t->ppqPos;
  if ((t->flags & kVstTempoValid) && t->tempo > 0.0) info.mTempo = t->tempo;
  if ((t->flags & kVstBarsValid) && t->barStartPos >= 0.0) info.mLastBar = t->barStartPos;
  if ((t->flags & kVstCyclePosValid) && t->cycleStartPos >= 0.0 && t->cycleEndPos >= 0.0)
  {
    info.mCycleStart = t->cycleStartPos;
    info.mCycleEnd = t->cycleEndPos;
  }
  if ((t->flags & kVstTimeSigValid) && t->timeSigNumerator > 0 && t->timeSigDenominator > 0)
  {
    info.mNumerator = t->timeSigNumerator;
    info.mDenominator = t->timeSigDenominator;
  }
  info.mTransportIsRunning = (t->flags & kVstTransportPlaying) != 0;
  info.mTransportLoopEnabled = (t->flags & kVstTransportCycleActive) != 0;
}

HostKind IPlugVST::GetHostKind()
{
  if (mHost != kHostUnknown) return mHost;

  char product[256];
  std::memset(product, 0, sizeof(product));
  CallHost(kAudioMasterGetProductString, 0, 0, product);
  // A host that fills the whole buffer still leaves a terminated name.
  product[sizeof(product) - 1] = 0;
  int version = 0;
  if (product[0])
  {
    // Decimal (10203) to packed (0x010203).
    const long long v = CallHost(kAudioMasterGetVendorVersion);
    version = int(v + (v / 10000) * 55536 + ((v % 10000) / 100) * 156);
  }
  SetHost(product, version);
  return mHost;
}

void IPlugVST::HostSpecificSetup()
{
  if (mHostSpecificSetupDone) return;
  mHostSpecificSetupDone = true;
  switch (GetHostKind())
  {
    case kHostForte:
    case kHostAudition:
    case kHostOrion:
    case kHostSAWStudio:
      LimitToStereoInputs();
      break;
    default:
      break;
  }
  mAEffect.numInputs = NInChannels();
  mAEffect.numOutputs = NOutChannels();
  SetArrangementChannels();
  OnAdapterInitialized();
}

void IPlugVST::SetLatencySamples(int samples)
{
  mAEffect.initialDelay = samples > 0 ? samples : 0;
  IPlugBase::SetLatencySamples(samples);
}

bool IPlugVST::SendMidiOut(const MidiMessage& msg)
{
  VstMidiEvent event;
  std::memset(&event, 0, sizeof(event));
  event.type = kVstMidiType;
  event.byteSize = sizeof(VstMidiEvent);
  event.deltaFrames = msg.mOffset;
  event.midiData[0] = char(msg.mStatus);
  event.midiData[1] = char(msg.mData1);
  event.midiData[2] = char(msg.mData2);

  VstEvents events;
  std::memset(&events, 0, sizeof(events));
  events.numEvents = 1;
  events.events[0] = reinterpret_cast<VstEvent*>(&event);
  return CallHost(kAudioMasterProcessEvents, 0, 0, &events) == 1;
}

bool IPlugVST::SendSysExOut(const SysExMessage& msg)
{
  VstMidiSysexEvent event;
  std::memset(&event, 0, sizeof(event));
  event.type = kVstSysExType;
  event.byteSize = sizeof(VstMidiEvent);   // 32, as the MIDI event
  event.deltaFrames = msg.mOffset;
  event.dumpBytes = msg.mSize;
  event.sysexDump = const_cast<char*>(reinterpret_cast<const char*>(msg.mData));

  VstEvents events;
  std::memset(&events, 0, sizeof(events));
  events.numEvents = 1;
  events.events[0] = reinterpret_cast<VstEvent*>(&event);
  return CallHost(kAudioMasterProcessEvents, 0, 0, &events) == 1;
}
