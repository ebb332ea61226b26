#include "tests/vst3/testplug/TestPlug.h"

#include "tests/support/IGraphicsHeadless.h"

namespace {

// An editor without controls that remembers what the plug-in pushed to it.
class RecordingGraphics : public IGraphicsHeadless
{
public:
  explicit RecordingGraphics(EditorPushes& pushes) : IGraphicsHeadless(nullptr, 0, 0), mPushes(pushes) {}
  void PrepareDraw() override {}
  void SetParameterFromPlug(int paramIdx, double value, bool normalised) override
  {
    ++mPushes.count;
    mPushes.lastParam = paramIdx;
    mPushes.lastValue = value;
    mPushes.lastNormalised = normalised;
  }

private:
  EditorPushes& mPushes;
};

} // namespace

TestPlug::TestPlug(const TestPlugConfig& c)
: IPlugVST3(nullptr, 4, c.channelIO, c.nPresets, c.name, "", "Zentik", 0x00010203, 0x54506C67 /* TPlg */, 0x5A6E746B /* Zntk */,
            c.latency, c.doesMIDI, false, c.isInst, c.nSideChain)
{
  GetParam(0)->InitDouble("Gain", 50.0, 0.0, 100.0, 0.1, "%", "Amp", 1.0);
  GetParam(0)->SetShape(2.0);
  GetParam(1)->InitBool("Invert", false);
  GetParam(2)->InitDouble("Latency", c.latency, 0.0, 64.0, 1.0, "samples", "Timing");
  GetParam(3)->InitBool("Poke", false, "", "Amp");
  if (c.nPresets > 0)
    StoreDefaultPresets("Factory", 1);
  AttachGraphics(new RecordingGraphics(mPushes));
}

void TestPlug::HandleParamChange(int paramIdx, bool /*fromStateRestore*/)
{
  LockGuard lock(mMutex);
  switch (paramIdx)
  {
    case 0:
    case 1:
      mGain = GetParam(0)->Value() / 100.0 * (GetParam(1)->Value() >= 0.5 ? -1.0 : 1.0);
      break;
    case 2:
      if (static_cast<int>(GetParam(2)->Value()) != GetLatency())
        SetLatencySamples(static_cast<int>(GetParam(2)->Value()));
      break;
    case 3:
      if (GetParam(3)->Value() >= 0.5)
      {
        BeginInformHostOfParamChange(0);
        InformHostOfParamChange(0, 0.25);
        EndInformHostOfParamChange(0);
      }
      break;
    default:
      break;
  }
}

void TestPlug::ProcessAudioDouble(double** inputs, double** outputs, int nFrames)
{
  const int nIn = NInChannels(), nOut = NOutChannels();
  if (!IsInst())
  {
    for (int c = 0; c < nOut; ++c)
      for (int i = 0; i < nFrames; ++i)
        outputs[c][i] = c < nIn ? inputs[c][i] * mGain : 0.0;
    return;
  }
  // What the adapter told the plug-in, as levels a host can read back.
  TransportInfo t;
  GetTransportInfo(t);
  int num = 0, den = 0;
  GetTimeSignature(num, den);
  const double table[] = {t.mTempo, t.mSamplePos, t.mPPQPos, t.mLastBar, t.mCycleStart,
                          t.mCycleEnd, double(t.mNumerator), double(t.mDenominator),
                          t.mTransportIsRunning ? 1.0 : 0.0, t.mTransportLoopEnabled ? 1.0 : 0.0,
                          IsRenderingOffline() ? 1.0 : 0.0, double(GetSamplePosition()), GetTempo(),
                          double(num), double(den), double(GetHostKind()), double(mPushes.count),
                          double(mPushes.lastParam), mPushes.lastValue,
                          mPushes.lastNormalised ? 1.0 : 0.0};
  const int nTable = int(sizeof(table) / sizeof(table[0]));
  const double levels[4] = {mNote / 127.0, mVelocity / 127.0, mControllerValue / 127.0,
                            mController / 127.0};
  for (int c = 0; c < nOut; ++c)
    for (int i = 0; i < nFrames; ++i)
      outputs[c][i] = c < 4 ? levels[c] : (c == 4 && i < nTable ? table[i] : 0.0);
}

void TestPlug::ProcessMidiIn(const MidiMessage& msg)
{
  const int kind = msg.mStatus & 0xF0;
  if (kind == 0x90)
  {
    mNote = msg.mData1;
    mVelocity = msg.mData2;
  }
  else if (kind == 0x80)
  {
    mNote = msg.mData1;
    mVelocity = 0;
  }
  else if (kind == 0xB0)
  {
    mController = msg.mData1;
    mControllerValue = msg.mData2;
  }
}
