#include "effect/ZentikQX40.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <mutex>
#include <new>

#include "effect/ZentikQX40EditorLayout.h"
#include "framework/PlugCreationLock.h"
#include "gui/IControl.h"
#include "gui/IGraphics.h"

namespace
{

constexpr int FourCC(char a, char b, char c, char d)
{
  return static_cast<int>((static_cast<unsigned>(static_cast<unsigned char>(a)) << 24) |
                          (static_cast<unsigned>(static_cast<unsigned char>(b)) << 16) |
                          (static_cast<unsigned>(static_cast<unsigned char>(c)) << 8) |
                          static_cast<unsigned>(static_cast<unsigned char>(d)));
}

constexpr int kNumPresets = 1;
constexpr int kVendorVersion = 0x00010101;   // 1.1.1
constexpr int kUniqueID = FourCC('Q', 'X', '4', '0');
constexpr int kMakerID = FourCC('Z', 'n', 't', 'k');

// The engines count their rate in whole hertz. A rate below 1 Hz would make
// the oversampling filters' design 0/0 and leave NaN in their memory for
// good, so it counts as 1; rates past what an int holds are clamped so that
// the conversion stays defined.
int EngineRate(double sampleRate)
{
  if (!(sampleRate >= 1.0))
    return 1;
  if (sampleRate >= static_cast<double>(INT_MAX))
    return INT_MAX;
  return static_cast<int>(sampleRate);
}

void CopyChannel(const double* source, double* destination, int nFrames)
{
  if (source != destination)
    std::memmove(destination, source, static_cast<size_t>(nFrames) * sizeof(double));
}

// A NaN or an infinity is played as silence. True when there was none.
bool SilenceNonFinite(double* samples, int nFrames)
{
  bool finite = true;
  for (int f = 0; f < nFrames; ++f)
    if (!std::isfinite(samples[f]))
    {
      samples[f] = 0.0;
      finite = false;
    }
  return finite;
}

} // namespace

ZentikQX40::ZentikQX40(IPlugInstanceInfo instanceInfo)
  : IPlugAdapter(instanceInfo, kNumParams, "1-1 2-2", kNumPresets, "ZentikQX40", "", "Zentik",
                 kVendorVersion, kUniqueID, kMakerID, 0, false, false, false, 0)
  , mLeftEngine(new qx4)
  , mRightEngine(new qx4)
{
  GetParam(kBypass)->InitBool("Bypass", false, "", "");
  GetParam(kDistAmount)->InitDouble("Dist. Amount", 0.0, 0.0, 100.0, 0.1, "", "", 1.0);
  GetParam(kTone)->InitDouble("Tone", 25.0, 0.0, 100.0, 0.1, "", "", 1.0);
  GetParam(kLevel)->InitDouble("Level", 25.0, 0.0, 100.0, 0.1, "", "", 1.0);
  GetParam(kSaturation)->InitBool("Analog Saturation", true, "", "");
  GetParam(kHiss)->InitBool("Analog Hiss", true, "", "");
  GetParam(kUltra)->InitBool("Ultra Mode", false, "", "");
  GetParam(kDryWet)->InitDouble("Dry/Wet", 100.0, 0.0, 100.0, 0.1, "", "", 1.0);
  // The knobs' normalised value, which is what the engines get, is the
  // square root of value / 100.
  GetParam(kDistAmount)->SetShape(2.0);
  GetParam(kTone)->SetShape(2.0);
  GetParam(kLevel)->SetShape(2.0);

#if !defined(ZQ_API_HEADLESS)
  // The headless adapter has no window system; its users attach an editor
  // themselves when they want one.
  AttachEditor(ZentikQX40EditorLayout::NewWindowGraphics(this));
#endif

  StoreDefaultPresets("-", 1);
}

ZentikQX40::~ZentikQX40()
{
  delete mLeftEngine;
  delete mRightEngine;
}

int ZentikQX40::OversamplingForRate(double sampleRate)
{
  if (sampleRate < 88100.0)
    return 4;
  if (sampleRate > 88100.0 && sampleRate < 192000.0)
    return 2;
  return 1;
}

void ZentikQX40::Reset()
{
  LockGuard lock(mMutex);
  const int rate = EngineRate(GetSampleRate());
  mLeftEngine->SetSampleRate(rate);
  mRightEngine->SetSampleRate(rate);
  mLeftEngine->ResetFilters();
  mRightEngine->ResetFilters();
  const int factor = OversamplingForRate(GetSampleRate());
  mLeftEngine->SetOversampling(factor);
  mRightEngine->SetOversampling(factor);
  mLeftEngine->SetChannels(1);
  mRightEngine->SetChannels(1);
}

void ZentikQX40::AttachEditor(IGraphics* graphics)
{
  if (!graphics)
    return;
  const ZentikQX40EditorLayout::DrivenControls driven = ZentikQX40EditorLayout::Build(this, graphics);
  mBypassLedIdx = driven.mBypassLed;
  mUltraLedIdx = driven.mUltraLed;
  mMeterIdx = driven.mMeter;
  AttachGraphics(graphics);
}

IControl* ZentikQX40::EditorControl(int idx) const
{
  IGraphics* graphics = GetGUI();
  return (graphics && idx >= 0) ? graphics->GetControl(idx) : nullptr;
}

void ZentikQX40::HandleParamChange(int paramIdx, bool /*fromStateRestore*/)
{
  LockGuard lock(mMutex);
  const IParamRecord* param = GetParam(paramIdx);
  if (!param)
    return;
  const double n = param->GetNormalised();
  const bool on = param->Value() >= 0.5;
  qx4* const engines[2] = {mLeftEngine, mRightEngine};

  switch (paramIdx)
  {
    case kBypass:
    {
      for (qx4* e : engines)
        e->mBypass = on;
      const double lit = on ? 0.0 : 1.0;
      if (IControl* led = EditorControl(mBypassLedIdx))
        led->SetValueFromPlug(lit);
      if (IControl* led = EditorControl(mUltraLedIdx))
        led->SetValueFromPlug(lit);
      break;
    }
    case kDistAmount:
      for (qx4* e : engines)
        e->SetDrive(n);
      break;
    case kTone:
      for (qx4* e : engines)
        e->mTone = n;
      break;
    case kLevel:
      for (qx4* e : engines)
        e->mLevel = n;
      break;
    case kSaturation:
      for (qx4* e : engines)
        e->mSaturation = on;
      break;
    case kHiss:
      for (qx4* e : engines)
        e->mHiss = on;
      break;
    case kUltra:
      for (qx4* e : engines)
      {
        e->mUltra = on;
        e->UpdateCoefficients();
        // The drive constants depend on the mode too.
        e->SetDrive(e->GetAmount());
      }
      if (IControl* led = EditorControl(mUltraLedIdx))
        led->Hide(!on);
      if (IControl* meter = EditorControl(mMeterIdx))
        meter->Hide(!on);
      break;
    case kDryWet:
      for (qx4* e : engines)
        e->SetMix(n);
      break;
    default:
      break;
  }
}

void ZentikQX40::ProcessAudioDouble(double** inputs, double** outputs, int nFrames)
{
  if (nFrames < 1)
    return;

  // The inputs may be the host's own buffers, or an unconnected channel's
  // scratch that must still read as silence next block: work in the outputs.
  qx4* const engines[2] = {mLeftEngine, mRightEngine};
  for (int c = 0; c < 2; ++c)
  {
    if (!inputs[c] || !outputs[c])
      continue;
    CopyChannel(inputs[c], outputs[c], nFrames);
    // One NaN or infinity from the host would enter every filter memory and
    // silence the channel for good. Finite samples pass untouched.
    SilenceNonFinite(outputs[c], nFrames);
    engines[c]->ProcessBlock(outputs[c], nFrames);
    // Finite input near the largest double can still overflow the chain:
    // the engine then starts again from silence.
    if (!SilenceNonFinite(outputs[c], nFrames) || !engines[c]->MemoryIsFinite())
      engines[c]->ClearMemory();
  }

  IControl* meter = EditorControl(mMeterIdx);
  if (meter && outputs[0])
  {
    const double* left = outputs[0];
    for (int f = 0; f < nFrames; ++f)
      meter->SetValueFromPlug(std::fabs(left[f]) * 10.0);
  }
}

#if !defined(ZQ_API_VST2)

ZentikQX40* NewPluginInstance()
{
  std::lock_guard<RecursiveLock> lock(PlugCreationLock());
  return new (std::nothrow) ZentikQX40(IPlugInstanceInfo());
}

#endif

#if defined(ZQ_API_VST3)

Steinberg::FUnknown* CreateVst3Instance(void* /*context*/)
{
  ZentikQX40* plug = NewPluginInstance();
  if (!plug)
    return nullptr;
  return static_cast<Steinberg::Vst::IAudioProcessor*>(plug);
}

#endif
