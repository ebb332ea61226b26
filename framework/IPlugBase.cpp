#include "framework/IPlugBase.h"

#include <cstdio>
#include <cstring>

#include "framework/Assert.h"
#include "framework/LogTimestamp.h"
#include "framework/TextCopy.h"
#include "framework/Trace.h"
#include "gui/IControl.h"
#include "gui/IGraphics.h"

namespace {

// Parses "in-out" tokens separated by single spaces.
void ParseChannelIO(const char* text, PointerList<ChannelIOPair>& pairs)
{
  const char* token = text ? text : "";
  for (;;)
  {
    int nIn = -1, nOut = -1;
    const bool channelIOStrValid = std::sscanf(token, "%d-%d", &nIn, &nOut) == 2;
    ZQ_ASSERT(channelIOStrValid);

    ChannelIOPair* pair = new ChannelIOPair;
    pair->mIn = nIn;
    pair->mOut = nOut;
    if (!pairs.Add(pair)) delete pair;

    token = std::strchr(token, ' ');
    if (!token) break;
    ++token;
  }
}

} // namespace

IPlugBase::IPlugBase(int nParams, const char* channelIOStr, int nPresets, const char* effectName,
                     const char* productName, const char* makerName, int vendorVersion,
                     int uniqueID, int makerID, int latency, bool doesMIDI, bool doesChunks,
                     bool isInst, ApiKind apiKind)
  : mUniqueID(uniqueID)
  , mMakerID(makerID)
  , mVersion(vendorVersion)
  , mApiKind(apiKind)
  , mDoesChunks(doesChunks)
  , mIsInst(isInst)
  , mDoesMIDI(doesMIDI)
  , mLatency(latency > 0 ? latency : 0)
{
  Trace("IPlugBase::IPlugBase", __LINE__, "%s", MakeLogTimestamp());

  for (int i = 0; i < nParams; ++i)
  {
    IParamRecord* param = new IParamRecord;
    if (!mParams.Add(param)) delete param;
  }
  for (int i = 0; i < nPresets; ++i)
  {
    IPlugPreset* preset = new IPlugPreset;
    if (!mPresets.Add(preset)) delete preset;
  }

  CopyTextBounded(mEffectName, effectName, sizeof(mEffectName));
  CopyTextBounded(mProductName, productName, sizeof(mProductName));
  CopyTextBounded(mMakerName, makerName, sizeof(mMakerName));

  ParseChannelIO(channelIOStr, mChannelIO);
  int nIn = 0, nOut = 0;
  for (int i = 0; i < mChannelIO.GetSize(); ++i)
  {
    const ChannelIOPair* pair = mChannelIO.Get(i);
    if (pair->mIn > nIn) nIn = pair->mIn;
    if (pair->mOut > nOut) nOut = pair->mOut;
  }

  // The tables never move afterwards: channel records point into them.
  mInData.Resize(nIn * int(sizeof(double*)));
  mOutData.Resize(nOut * int(sizeof(double*)));
  if (mInData.GetSize() != nIn * int(sizeof(double*))) nIn = 0;
  if (mOutData.GetSize() != nOut * int(sizeof(double*))) nOut = 0;

  for (int i = 0; i < nIn; ++i)
  {
    InputChannel* channel = new InputChannel;
    channel->mSlot = InputTable() + i;
    *channel->mSlot = channel->ScratchData();
    if (!mInChannels.Add(channel)) delete channel;
  }
  for (int i = 0; i < nOut; ++i)
  {
    OutputChannel* channel = new OutputChannel;
    channel->mSlot = OutputTable() + i;
    *channel->mSlot = channel->ScratchData();
    if (!mOutChannels.Add(channel)) delete channel;
  }
}

IPlugBase::~IPlugBase()
{
  // The adapters close the editor while they are whole; what it still holds
  // goes without a word to what is left of the plug-in.
  if (mGraphics) mGraphics->ForgetPlug();
  delete mGraphics;
  mGraphics = nullptr;
  mParams.DeleteAll();
  mPresets.DeleteAll();
  mInChannels.DeleteAll();
  mOutChannels.DeleteAll();
  mChannelIO.DeleteAll();
  mInputBusNames.DeleteAll();
  mOutputBusNames.DeleteAll();
  delete mDelay;
  mDelay = nullptr;
  mUnitNames.Empty();
}

int IPlugBase::GetEffectVersion(bool decimal) const
{
  if (!decimal) return mVersion;
  return ((mVersion >> 16) & 0xFFFF) * 10000 + ((mVersion >> 8) & 0xFF) * 100 + (mVersion & 0xFF);
}

void IPlugBase::SetHost(const char* name, int version)
{
  mHost = HostKindFromName(name);
  mHostVersion = version;
  Trace("IPlugBase::SetHost", __LINE__, "host %s version v%d.%d.%d", name ? name : "",
        version >> 16, (version >> 8) & 0xFF, version & 0xFF);
}

bool IPlugBase::LegalIO(int nIn, int nOut) const
{
  for (int i = 0; i < mChannelIO.GetSize(); ++i)
  {
    const ChannelIOPair* pair = mChannelIO.Get(i);
    if ((nIn < 0 || pair->mIn == nIn) && (nOut < 0 || pair->mOut == nOut)) return true;
  }
  return false;
}

bool IPlugBase::IsInChannelConnected(int idx) const
{
  const InputChannel* channel = mInChannels.Get(idx);
  return channel && channel->mConnected;
}

bool IPlugBase::IsOutChannelConnected(int idx) const
{
  const OutputChannel* channel = mOutChannels.Get(idx);
  return channel && channel->mConnected;
}

const char* IPlugBase::GetInputChannelLabel(int idx) const
{
  const InputChannel* channel = mInChannels.Get(idx);
  return channel ? channel->mLabel.Get() : nullptr;
}

const char* IPlugBase::GetOutputChannelLabel(int idx) const
{
  const OutputChannel* channel = mOutChannels.Get(idx);
  return channel ? channel->mLabel.Get() : nullptr;
}

void IPlugBase::SetInputBusName(int idx, const char* name)
{
  if (idx != 0 && idx != 1) return;
  mInputBusNames.DeleteAt(idx);
  TextBuffer* text = new TextBuffer(name);
  if (!mInputBusNames.Insert(idx, text)) delete text;
}

void IPlugBase::SetOutputBusName(int idx, const char* name)
{
  if (idx < 0) return;
  mOutputBusNames.DeleteAt(idx);
  TextBuffer* text = new TextBuffer(name);
  if (!mOutputBusNames.Insert(idx, text)) delete text;
}

const char* IPlugBase::GetInputBusName(int idx) const
{
  const TextBuffer* text = mInputBusNames.Get(idx);
  return text ? text->Get() : "";
}

const char* IPlugBase::GetOutputBusName(int idx) const
{
  const TextBuffer* text = mOutputBusNames.Get(idx);
  return text ? text->Get() : "";
}

void IPlugBase::Reset()
{
  LockGuard lock(mMutex);
}

void IPlugBase::HandleParamChange(int /*paramIdx*/, bool /*fromStateRestore*/)
{
  LockGuard lock(mMutex);
}

void IPlugBase::OnActivate(bool /*active*/)
{
  LockGuard lock(mMutex);
}

void IPlugBase::ProcessMidiIn(const MidiMessage& msg)
{
  SendMidiOut(msg);
}

bool IPlugBase::GetMidiNoteName(int /*noteNumber*/, char* name, int nameSize)
{
  if (name && nameSize > 0) name[0] = 0;
  return false;
}

void IPlugBase::SetParameterFromGUI(int paramIdx, double normalisedValue)
{
  LockGuard lock(mMutex);
  IParamRecord* param = GetParam(paramIdx);
  if (!param) return;
  param->SetFromNormalised(normalisedValue);
  InformHostOfParamChange(paramIdx, normalisedValue);
  HandleParamChange(paramIdx, false);
}

void IPlugBase::SetParameterFromHost(int paramIdx, double normalisedValue)
{
  IParamRecord* param = GetParam(paramIdx);
  if (!param || !IParamRecord::LimitNormalised(normalisedValue)) return;
  param->SetFromNormalised(normalisedValue);
  if (mGraphics) mGraphics->SetParameterFromPlug(paramIdx, normalisedValue, true);
  HandleParamChange(paramIdx, false);
}

void IPlugBase::AttachGraphics(IGraphics* graphics)
{
  if (!graphics) return;

  LockGuard lock(mMutex);
  const int nControls = graphics->GetNControls();
  for (int i = 0; i < NParams(); ++i)
  {
    const double normalised = GetParam(i)->GetNormalised();
    for (int c = 0; c < nControls; ++c)
    {
      IControl* control = graphics->GetControl(c);
      if (!control) continue;
      if (control->ParamIdx() == i) control->SetValueFromPlug(normalised);
      const int aux = control->FindAuxParam(i);
      if (aux >= 0) control->SetAuxParamValueFromPlug(aux, normalised);
    }
  }
  graphics->PrepareDraw();

  if (mGraphics != graphics) delete mGraphics;
  mGraphics = graphics;
}

void IPlugBase::NotifyAllParamsChanged()
{
  for (int i = 0; i < NParams(); ++i) HandleParamChange(i, false);
}

void IPlugBase::PushAllParamsToGui()
{
  if (!mGraphics) return;
  for (int i = 0; i < NParams(); ++i) mGraphics->SetParameterFromPlug(i, GetParam(i)->Value(), false);
}

void IPlugBase::SetLatencySamples(int samples)
{
  mLatency = samples > 0 ? samples : 0;
  if (mDelay) mDelay->SetLength(mLatency);
}

void IPlugBase::CreateLatencyDelayLine()
{
  if (NInChannels() < 1) return;
  delete mDelay;
  mDelay = new LatencyDelayLine(NInChannels(), NOutChannels(), mLatency);
}
