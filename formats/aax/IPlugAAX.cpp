#include "formats/aax/IPlugAAX.h"

#include "aax-support/AAX_ITransport.h"
#include "aax-support/AAX_VController.h"
#include "framework/Trace.h"
#include "gui/IGraphics.h"

namespace
{

constexpr int kAaxBlockSize = 1024;
constexpr double kTicksPerQuarter = 960000.0;

} // namespace

IPlugAAX::IPlugAAX(IPlugInstanceInfo /*instanceInfo*/, int nParams, const char* channelIOStr,
                   int nPresets, const char* effectName, const char* productName,
                   const char* makerName, int vendorVersion, int uniqueID, int makerID,
                   int latency, bool doesMIDI, bool doesChunks, bool isInst, int /*unused*/)
  : IPlugBase(nParams, channelIOStr, nPresets, effectName, productName, makerName, vendorVersion,
              uniqueID, makerID, latency, doesMIDI, doesChunks, isInst, kApiAAX)
{
  Trace(__FUNCTION__, __LINE__, "IPlugAAX::IPlugAAX");
  ConnectInputChannels(0, NInChannels(), true);
  ConnectOutputChannels(0, NOutChannels(), true);
  CreateLatencyDelayLine();
  SetBlockSize(kAaxBlockSize);
  // The AAX build knows its host by format alone.
  SetHost("ProTools", vendorVersion);
}

IPlugAAX::~IPlugAAX()
{
  CloseEditor();
}

void IPlugAAX::CloseEditor()
{
  // The editor's open edit ends while the host connection still takes it.
  if (IGraphics* graphics = GetGUI())
    graphics->CloseWindow();
}

void IPlugAAX::BeginInformHostOfParamChange(int paramIdx)
{
  if (const char* id = ParamID(paramIdx))
    TouchParameter(id);
}

void IPlugAAX::InformHostOfParamChange(int paramIdx, double normalisedValue)
{
  if (const char* id = ParamID(paramIdx))
    SetParameterNormalizedValue(id, normalisedValue);
}

void IPlugAAX::EndInformHostOfParamChange(int paramIdx)
{
  if (const char* id = ParamID(paramIdx))
    ReleaseParameter(id);
}

// Before the first render there is no transport; the framework's defaults stand.

int IPlugAAX::GetSamplePosition()
{
  int64_t samples = 0;
  if (mCurrentTransport)
    mCurrentTransport->CurrentNativeSampleLocation(&samples);
  return static_cast<int>(static_cast<uint32_t>(samples));
}

double IPlugAAX::GetTempo()
{
  double bpm = TransportInfo().mTempo;
  if (mCurrentTransport)
    mCurrentTransport->CurrentTempo(&bpm);
  return bpm;
}

void IPlugAAX::GetTimeSignature(int& numerator, int& denominator)
{
  int32_t num = numerator;
  int32_t den = denominator;
  if (mCurrentTransport)
    mCurrentTransport->CurrentMeter(&num, &den);
  numerator = num;
  denominator = den;
}

void IPlugAAX::GetTransportInfo(TransportInfo& info)
{
  if (!mCurrentTransport)
    return;
  AAX_ITransport& transport = *mCurrentTransport;
  transport.CurrentTempo(&info.mTempo);
  transport.IsTransportPlaying(&info.mTransportIsRunning);
  int32_t num = info.mNumerator;
  int32_t den = info.mDenominator;
  transport.CurrentMeter(&num, &den);
  info.mNumerator = num;
  info.mDenominator = den;
  int64_t ticks = 0;
  if (transport.CurrentTickPosition(&ticks) == kAaxSuccess)
    info.mPPQPos = static_cast<double>(ticks) / kTicksPerQuarter;
  int64_t samples = 0;
  if (transport.CurrentNativeSampleLocation(&samples) == kAaxSuccess)
    info.mSamplePos = static_cast<double>(samples);
  bool looping = info.mTransportLoopEnabled;
  int64_t start = 0;
  int64_t end = 0;
  if (transport.CurrentLoopPosition(&looping, &start, &end) == kAaxSuccess)
  {
    info.mTransportLoopEnabled = looping;
    info.mCycleStart = static_cast<double>(start) / kTicksPerQuarter;
    info.mCycleEnd = static_cast<double>(end) / kTicksPerQuarter;
  }
}

void IPlugAAX::SetLatencySamples(int samples)
{
  if (AAX_VController* controller = Controller())
    controller->SetSignalLatency(samples);
  IPlugBase::SetLatencySamples(samples);
}

void IPlugAAX::ResizeGui(int width, int height)
{
  if (IGraphics* graphics = GetGUI())
  {
    if (IHostView* view = graphics->GetHostView())
      view->SetHostViewSize(width, height);
  }
  OnGuiResized();
}
