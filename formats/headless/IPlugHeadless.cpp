#include "formats/headless/IPlugHeadless.h"

#include <cmath>

IPlugHeadless::IPlugHeadless(IPlugInstanceInfo /*instanceInfo*/, int nParams, const char* channelIOStr,
                             int nPresets, const char* effectName, const char* productName,
                             const char* makerName, int vendorVersion, int uniqueID, int makerID,
                             int latency, bool doesMIDI, bool doesChunks, bool isInst,
                             int /*nSideChainChans*/)
  // No API kind of its own: it stands in for the VST3 adapter, whose life
  // cycle it follows.
  : IPlugBase(nParams, channelIOStr, nPresets, effectName, productName, makerName, vendorVersion,
              uniqueID, makerID, latency, doesMIDI, doesChunks, isInst, kApiVST3)
{
  ConnectInputChannels(0, NInChannels(), true);
  ConnectOutputChannels(0, NOutChannels(), true);
  CreateLatencyDelayLine();
}

IPlugHeadless::~IPlugHeadless() = default;

void IPlugHeadless::Initialize(const char* hostName)
{
  LockGuard lock(mMutex);
  SetHost(hostName, 0);
  OnAdapterInitialized();
  RestorePreset(0);
}

void IPlugHeadless::SetupProcessing(double sampleRate, int blockSize)
{
  LockGuard lock(mMutex);
  SetSampleRate(sampleRate);
  SetBlockSize(blockSize);
  Reset();
}

bool IPlugHeadless::SetParameterValue(int paramIdx, double value)
{
  LockGuard lock(mMutex);
  IParamRecord* param = GetParam(paramIdx);
  if (!param || std::isnan(value))
    return false;
  param->Set(param->LimitPlain(value));
  HandleParamChange(paramIdx, false);
  return true;
}

bool IPlugHeadless::ProcessDouble(double* const* inputs, int nIn, double* const* outputs, int nOut,
                                  int nFrames)
{
  if (nFrames < 0 || nIn < 0 || nOut < 0 || !LegalIO(nIn, nOut))
    return false;

  LockGuard lock(mMutex);
  ConnectInputChannels(0, NInChannels(), false);
  ConnectOutputChannels(0, NOutChannels(), false);
  ConnectInputChannels(0, nIn, true);
  ConnectOutputChannels(0, nOut, true);
  AttachInputBuffersDouble(0, nIn, inputs);
  AttachOutputBuffersDouble(0, nOut, outputs);
  if (GetHostBypass())
    PassThroughDouble(nFrames);
  else
    ProcessBuffersDouble(nFrames);
  return true;
}

void IPlugHeadless::GetTimeSignature(int& numerator, int& denominator)
{
  const TransportInfo none;
  numerator = none.mNumerator;
  denominator = none.mDenominator;
}
