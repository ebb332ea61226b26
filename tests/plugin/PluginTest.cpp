#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "effect/ZentikQX40.h"
#include "tests/effect/TestSignal.h"
#include "tests/framework/TestPlug.h"

namespace
{

// The plug-in with its engines, channel scratch and editor indices in reach.
class ProbeQX40 : public ZentikQX40
{
public:
  ProbeQX40() : ZentikQX40(nullptr) {}

  qx4& Left() { return *mLeftEngine; }
  qx4& Right() { return *mRightEngine; }
  const double* InputScratch(int c) const { return mInChannels.Get(c)->ScratchData(); }
  void SetEditorIndices(int bypassLed, int ultraLed, int meter)
  {
    mBypassLedIdx = bypassLed;
    mUltraLedIdx = ultraLed;
    mMeterIdx = meter;
  }
};

std::unique_ptr<ProbeQX40> MakePlug(double rate = 44100.0, int block = 512)
{
  std::unique_ptr<ProbeQX40> plug(new ProbeQX40);
  plug->Initialize();
  plug->SetupProcessing(rate, block);
  return plug;
}

// Two engines set up as the plug-in sets its own, processing in place: the
// reference the plug-in's output must equal.
struct ReferenceEngines
{
  qx4 left, right;

  explicit ReferenceEngines(int rate, int factor)
  {
    for (qx4* e : {&left, &right})
    {
      e->SetSampleRate(rate);
      e->ResetFilters();
      e->SetOversampling(factor);
      e->SetChannels(1);
    }
  }
};

TEST(ZentikQX40Identity, DescriptionParametersAndPreset)
{
  ProbeQX40 plug;
  EXPECT_STREQ(plug.GetEffectName(), "ZentikQX40");
  EXPECT_STREQ(plug.GetProductName(), "");
  EXPECT_STREQ(plug.GetMakerName(), "Zentik");
  EXPECT_EQ(plug.GetEffectVersion(false), 0x00010101);
  EXPECT_EQ(plug.GetUniqueID(), 0x51583430);   // 'QX40'
  EXPECT_EQ(plug.GetMakerID(), 0x5A6E746B);    // 'Zntk'
  EXPECT_EQ(plug.GetLatency(), 0);
  EXPECT_FALSE(plug.DoesMIDI());
  EXPECT_FALSE(plug.DoesChunks());
  EXPECT_FALSE(plug.IsInst());
  EXPECT_TRUE(plug.LegalIO(1, 1));
  EXPECT_TRUE(plug.LegalIO(2, 2));
  EXPECT_FALSE(plug.LegalIO(1, 2));
  EXPECT_EQ(plug.NInChannels(), 2);
  EXPECT_EQ(plug.NOutChannels(), 2);
  EXPECT_EQ(plug.GetGUI(), nullptr);

  struct Row
  {
    const char* name;
    IParamRecord::EKind kind;
    double def, min, max, step, shape;
  };
  const Row rows[] = {
    {"Bypass", IParamRecord::kBool, 0, 0, 1, 0.1, 1},
    {"Dist. Amount", IParamRecord::kDouble, 0, 0, 100, 0.1, 2},
    {"Tone", IParamRecord::kDouble, 25, 0, 100, 0.1, 2},
    {"Level", IParamRecord::kDouble, 25, 0, 100, 0.1, 2},
    {"Analog Saturation", IParamRecord::kBool, 1, 0, 1, 0.1, 1},
    {"Analog Hiss", IParamRecord::kBool, 1, 0, 1, 0.1, 1},
    {"Ultra Mode", IParamRecord::kBool, 0, 0, 1, 0.1, 1},
    {"Dry/Wet", IParamRecord::kDouble, 100, 0, 100, 0.1, 1},
  };
  ASSERT_EQ(plug.NParams(), 8);
  for (int i = 0; i < 8; ++i)
  {
    const IParamRecord* p = plug.GetParam(i);
    const Row& r = rows[i];
    EXPECT_STREQ(p->GetNameForHost(), r.name);
    EXPECT_EQ(p->Kind(), r.kind) << r.name;
    EXPECT_EQ(p->Value(), r.def) << r.name;
    EXPECT_EQ(p->GetDefault(), r.def) << r.name;
    EXPECT_EQ(p->GetMin(), r.min) << r.name;
    EXPECT_EQ(p->GetMax(), r.max) << r.name;
    EXPECT_EQ(p->GetStep(), r.step) << r.name;
    EXPECT_EQ(p->GetShape(), r.shape) << r.name;
    EXPECT_STREQ(p->GetLabelForHost(), "") << r.name;
    EXPECT_STREQ(p->GetGroupForHost(), "") << r.name;
    if (r.kind == IParamRecord::kBool)
    {
      EXPECT_STREQ(p->GetDisplayTextForValue(0), "off");
      EXPECT_STREQ(p->GetDisplayTextForValue(1), "on");
    }
  }

  // One preset "-" holding the default state.
  ASSERT_EQ(plug.NPresets(), 1);
  EXPECT_STREQ(plug.GetPresetName(0), "-");
  const double defaults[8] = {0, 0, 25, 25, 1, 1, 0, 100};
  EXPECT_TRUE(plug.StateMatches(defaults, 0, sizeof defaults));
}

TEST(ZentikQX40Reset, OversamplingFactorByRate)
{
  struct Case
  {
    double rate;
    int factor;
  };
  const Case cases[] = {
    {22050, 4},  {44100, 4},  {48000, 4},  {88099.9, 4}, {88100, 1},  {88100.5, 2},
    {88200, 2},  {96000, 2},  {176400, 2}, {191999, 2},  {192000, 1}, {384000, 1},
  };
  for (const Case& c : cases)
  {
    auto plug = MakePlug(c.rate);
    EXPECT_EQ(ZentikQX40::OversamplingForRate(c.rate), c.factor) << c.rate;
    for (qx4* e : {&plug->Left(), &plug->Right()})
    {
      EXPECT_EQ(e->GetOversampling(), c.factor) << c.rate;
      // The engines count the rate in whole hertz, truncated.
      EXPECT_EQ(e->GetSampleRate(), static_cast<int>(c.rate)) << c.rate;
      EXPECT_EQ(e->GetChannels(), 1.0) << c.rate;
    }
  }
}

TEST(ZentikQX40Reset, ChangesNeitherDriveNorMix)
{
  auto plug = MakePlug(44100);
  plug->SetParameterValue(ZentikQX40::kDistAmount, 49.0);
  plug->SetParameterValue(ZentikQX40::kDryWet, 30.0);
  const double cutoff = plug->Left().GetDriveLowPass().mB0;
  plug->SetupProcessing(96000, 512);
  // The drive low-pass keeps its 44.1 kHz design until Dist. Amount moves.
  EXPECT_EQ(plug->Left().GetDriveLowPass().mB0, cutoff);
  EXPECT_EQ(plug->Left().GetMix(), 0.3);
  EXPECT_EQ(plug->Left().GetOversampling(), 2);
}

TEST(ZentikQX40Params, InitializeAnnouncesTheDefaults)
{
  auto plug = MakePlug();
  for (qx4* e : {&plug->Left(), &plug->Right()})
  {
    EXPECT_FALSE(e->mBypass);
    EXPECT_EQ(e->GetAmount(), 0.0);
    EXPECT_EQ(e->GetDriveGain(), 1.0);   // not the engine's unset 0.0
    EXPECT_EQ(e->GetDriveCutoff(), 20000.0);
    EXPECT_EQ(e->mTone, 0.5);
    EXPECT_EQ(e->mLevel, 0.5);
    EXPECT_TRUE(e->mSaturation);
    EXPECT_TRUE(e->mHiss);
    EXPECT_FALSE(e->mUltra);
    EXPECT_EQ(e->GetMix(), 1.0);
  }
}

TEST(ZentikQX40Params, NormalisedValuesReachBothEngines)
{
  auto plug = MakePlug();
  plug->SetParameterValue(ZentikQX40::kDistAmount, 25.0);
  plug->SetParameterValue(ZentikQX40::kTone, 64.0);
  plug->SetParameterValue(ZentikQX40::kLevel, 81.0);
  plug->SetParameterValue(ZentikQX40::kDryWet, 25.0);
  for (qx4* e : {&plug->Left(), &plug->Right()})
  {
    EXPECT_EQ(e->GetAmount(), 0.5);                      // square-root shape
    EXPECT_EQ(e->GetDriveGain(), 1.0 + 12.58 * 0.5);
    EXPECT_EQ(e->GetDriveCutoff(), 20000.0 - 4100.0 * 0.5);
    EXPECT_DOUBLE_EQ(e->mTone, 0.8);
    EXPECT_DOUBLE_EQ(e->mLevel, 0.9);
    EXPECT_EQ(e->GetMix(), 0.25);                        // linear
  }

  // The same through the editor's path, from a normalised value.
  plug->SetParameterFromGUI(ZentikQX40::kDistAmount, std::sqrt(0.36));
  EXPECT_DOUBLE_EQ(plug->GetParam(ZentikQX40::kDistAmount)->Value(), 36.0);
  EXPECT_DOUBLE_EQ(plug->Right().GetAmount(), 0.6);
}

TEST(ZentikQX40Params, SwitchesSetTheEngineFlags)
{
  struct Case
  {
    int param;
    bool qx4::*flag;
  };
  const Case cases[] = {
    {ZentikQX40::kBypass, &qx4::mBypass},
    {ZentikQX40::kSaturation, &qx4::mSaturation},
    {ZentikQX40::kHiss, &qx4::mHiss},
    {ZentikQX40::kUltra, &qx4::mUltra},
  };
  for (const Case& c : cases)
  {
    auto plug = MakePlug();
    // A switch is on from half way up.
    for (double v : {1.0, 0.4, 0.5, 0.0})
    {
      plug->SetParameterValue(c.param, v);
      EXPECT_EQ(plug->Left().*c.flag, v >= 0.5) << c.param << " " << v;
      EXPECT_EQ(plug->Right().*c.flag, v >= 0.5) << c.param << " " << v;
    }
  }
}

TEST(ZentikQX40Params, UltraModeRecomputesFiltersAndDrive)
{
  auto plug = MakePlug(48000);
  plug->SetParameterValue(ZentikQX40::kDistAmount, 100.0);
  qx4& e = plug->Left();
  EXPECT_EQ(e.GetDriveGain(), 1.0 + 12.58);
  const double inputPole = e.GetInputHighPass().mB1;
  const double tonePole = e.GetToneHighPass().mB1;

  plug->SetParameterValue(ZentikQX40::kUltra, 1.0);
  for (qx4* x : {&plug->Left(), &plug->Right()})
  {
    EXPECT_EQ(x->GetDriveGain(), 101.0);
    EXPECT_EQ(x->GetDriveCutoff(), 20000.0 - 12766.0);
    EXPECT_NE(x->GetInputHighPass().mB1, inputPole);
    EXPECT_NE(x->GetToneHighPass().mB1, tonePole);
  }
  // An engine built and switched by hand agrees exactly.
  qx4 ref;
  ref.SetSampleRate(48000);
  ref.ResetFilters();
  ref.SetOversampling(4);
  ref.mUltra = true;
  ref.UpdateCoefficients();
  ref.SetDrive(1.0);
  EXPECT_EQ(e.GetInputHighPass().mB1, ref.GetInputHighPass().mB1);
  EXPECT_EQ(e.GetToneHighPass().mA0, ref.GetToneHighPass().mA0);
  EXPECT_EQ(e.GetDriveLowPass().mB0, ref.GetDriveLowPass().mB0);

  plug->SetParameterValue(ZentikQX40::kUltra, 0.0);
  EXPECT_EQ(e.GetDriveGain(), 1.0 + 12.58);
  EXPECT_EQ(e.GetInputHighPass().mB1, inputPole);
}

TEST(ZentikQX40Params, IndicesOutsideTheTableAreIgnored)
{
  auto plug = MakePlug();
  for (int idx : {-1, 8, 1000})
    plug->HandleParamChange(idx, false);
  EXPECT_EQ(plug->Left().GetAmount(), 0.0);
  EXPECT_EQ(plug->Left().GetMix(), 1.0);
}

TEST(ZentikQX40Params, RestoredStateReachesTheEngines)
{
  auto source = MakePlug();
  source->SetParameterValue(ZentikQX40::kDistAmount, 49.0);
  source->SetParameterValue(ZentikQX40::kHiss, 0.0);
  source->SetParameterValue(ZentikQX40::kUltra, 1.0);
  source->SetParameterValue(ZentikQX40::kDryWet, 10.0);
  IStateChunk chunk;
  ASSERT_TRUE(source->SerializeState(chunk));
  EXPECT_EQ(chunk.Size(), 64);

  auto target = MakePlug();
  EXPECT_EQ(target->UnserializeState(chunk, 0), 64);
  for (qx4* e : {&target->Left(), &target->Right()})
  {
    EXPECT_DOUBLE_EQ(e->GetAmount(), 0.7);
    EXPECT_FALSE(e->mHiss);
    EXPECT_TRUE(e->mUltra);
    EXPECT_DOUBLE_EQ(e->GetDriveGain(), 71.0);
    EXPECT_DOUBLE_EQ(e->GetMix(), 0.1);
  }
}

// ---- Processing ---------------------------------------------------------

class ZentikQX40Process : public ::testing::Test
{
protected:
  void SetUp() override
  {
    plug = MakePlug(44100, 256);
    plug->SetParameterValue(ZentikQX40::kHiss, 0.0);
    plug->SetParameterValue(ZentikQX40::kDistAmount, 70.0);
    plug->SetParameterValue(ZentikQX40::kDryWet, 90.0);
    inL = TestSignal(256, 1);
    inR = TestSignal(256, 2);
  }

  std::unique_ptr<ProbeQX40> plug;
  std::vector<double> inL, inR;
};

TEST_F(ZentikQX40Process, OutputsEqualTheEnginesInPlaceAndInputsStayUntouched)
{
  ReferenceEngines ref(44100, 4);
  for (qx4* e : {&ref.left, &ref.right})
  {
    e->mHiss = false;
    e->SetDrive(plug->GetParam(ZentikQX40::kDistAmount)->GetNormalised());
    e->mTone = 0.5;
    e->mLevel = 0.5;
    e->SetMix(0.9);
  }

  for (int block = 0; block < 3; ++block)
  {
    const std::vector<double> hostL = inL, hostR = inR;
    std::vector<double> outL(256, -7.0), outR(256, -7.0);
    double* in[2] = {const_cast<double*>(hostL.data()), const_cast<double*>(hostR.data())};
    double* out[2] = {outL.data(), outR.data()};
    ASSERT_TRUE(plug->ProcessDouble(in, 2, out, 2, 256));

    EXPECT_EQ(hostL, inL) << "block " << block;
    EXPECT_EQ(hostR, inR) << "block " << block;

    std::vector<double> refL = inL, refR = inR;
    ref.left.ProcessBlock(refL.data(), 256);
    ref.right.ProcessBlock(refR.data(), 256);
    EXPECT_EQ(outL, refL) << "block " << block;
    EXPECT_EQ(outR, refR) << "block " << block;
  }
}

TEST_F(ZentikQX40Process, HostProcessingInPlaceGivesTheSameResult)
{
  auto twin = MakePlug(44100, 256);
  twin->SetParameterValue(ZentikQX40::kHiss, 0.0);
  twin->SetParameterValue(ZentikQX40::kDistAmount, 70.0);
  twin->SetParameterValue(ZentikQX40::kDryWet, 90.0);

  std::vector<double> outL(256), outR(256);
  double* in[2] = {inL.data(), inR.data()};
  double* out[2] = {outL.data(), outR.data()};
  ASSERT_TRUE(plug->ProcessDouble(in, 2, out, 2, 256));

  std::vector<double> bufL = inL, bufR = inR;
  double* io[2] = {bufL.data(), bufR.data()};
  ASSERT_TRUE(twin->ProcessDouble(io, 2, io, 2, 256));
  EXPECT_EQ(bufL, outL);
  EXPECT_EQ(bufR, outR);
}

TEST_F(ZentikQX40Process, UnconnectedInputStillReadsSilenceNextBlock)
{
  // Hiss would write noise into the right channel's input scratch if the
  // right engine worked there.
  plug->SetParameterValue(ZentikQX40::kHiss, 1.0);
  std::vector<double> outL(256);
  double* in[1] = {inL.data()};
  double* out[1] = {outL.data()};
  for (int block = 0; block < 3; ++block)
  {
    ASSERT_TRUE(plug->ProcessDouble(in, 1, out, 1, 256));
    const double* scratch = plug->InputScratch(1);
    ASSERT_NE(scratch, nullptr);
    for (int i = 0; i < 256; ++i)
      ASSERT_EQ(scratch[i], 0.0) << "block " << block << " frame " << i;
  }
}

TEST_F(ZentikQX40Process, ZeroFramesTouchNothing)
{
  auto twin = MakePlug(44100, 256);
  twin->SetParameterValue(ZentikQX40::kHiss, 0.0);
  twin->SetParameterValue(ZentikQX40::kDistAmount, 70.0);
  twin->SetParameterValue(ZentikQX40::kDryWet, 90.0);

  std::vector<double> outL(256, -3.0), outR(256, -3.0);
  double* in[2] = {inL.data(), inR.data()};
  double* out[2] = {outL.data(), outR.data()};
  plug->ProcessAudioDouble(in, out, 0);
  plug->ProcessAudioDouble(in, out, -5);
  ASSERT_TRUE(plug->ProcessDouble(in, 2, out, 2, 0));
  EXPECT_EQ(outL, std::vector<double>(256, -3.0));
  EXPECT_EQ(outR, std::vector<double>(256, -3.0));

  // The engines' memories did not move: the next block matches a plug-in
  // that never saw the empty ones.
  std::vector<double> twinL(256), twinR(256);
  double* twinOut[2] = {twinL.data(), twinR.data()};
  ASSERT_TRUE(plug->ProcessDouble(in, 2, out, 2, 256));
  ASSERT_TRUE(twin->ProcessDouble(in, 2, twinOut, 2, 256));
  EXPECT_EQ(outL, twinL);
  EXPECT_EQ(outR, twinR);
}

TEST_F(ZentikQX40Process, BlockSplitDoesNotChangeTheResult)
{
  auto twin = MakePlug(44100, 256);
  twin->SetParameterValue(ZentikQX40::kHiss, 0.0);
  twin->SetParameterValue(ZentikQX40::kDistAmount, 70.0);
  twin->SetParameterValue(ZentikQX40::kDryWet, 90.0);

  std::vector<double> wholeL(256), wholeR(256), splitL(256), splitR(256);
  double* in[2] = {inL.data(), inR.data()};
  double* out[2] = {wholeL.data(), wholeR.data()};
  ASSERT_TRUE(plug->ProcessDouble(in, 2, out, 2, 256));
  for (int pos = 0, n = 1; pos < 256; pos += n, n = n * 2 + 1)
  {
    if (n > 256 - pos)
      n = 256 - pos;
    double* i2[2] = {inL.data() + pos, inR.data() + pos};
    double* o2[2] = {splitL.data() + pos, splitR.data() + pos};
    ASSERT_TRUE(twin->ProcessDouble(i2, 2, o2, 2, n));
  }
  EXPECT_EQ(wholeL, splitL);
  EXPECT_EQ(wholeR, splitR);
}

// ---- Editor controls --------------------------------------------------------

class ZentikQX40Editor : public ::testing::Test
{
protected:
  void SetUp() override
  {
    plug = MakePlug(44100, 64);
    graphics = new FakeGraphics;
    for (int i = 0; i < 13; ++i)
      graphics->Add(new FakeControl(-1));
    plug->AttachGraphics(graphics);   // the plug-in owns it from here
  }

  FakeControl& Control(int i) { return *graphics->mControls[static_cast<size_t>(i)]; }

  std::unique_ptr<ProbeQX40> plug;
  FakeGraphics* graphics = nullptr;
};

TEST_F(ZentikQX40Editor, NoControlIsTouchedWithoutIndices)
{
  plug->SetParameterValue(ZentikQX40::kBypass, 1.0);
  plug->SetParameterValue(ZentikQX40::kUltra, 1.0);
  std::vector<double> buf(64, 0.5);
  double* io[2] = {buf.data(), buf.data()};
  ASSERT_TRUE(plug->ProcessDouble(io, 1, io, 1, 64));
  for (int i = 0; i < 13; ++i)
  {
    EXPECT_TRUE(Control(i).mValues.empty()) << i;
    EXPECT_TRUE(Control(i).mHidden.empty()) << i;
  }
}

TEST_F(ZentikQX40Editor, BypassLightsBothLedsAndUltraShowsLedAndMeter)
{
  plug->SetEditorIndices(9, 10, 11);

  plug->SetParameterValue(ZentikQX40::kBypass, 1.0);
  plug->SetParameterValue(ZentikQX40::kBypass, 0.0);
  EXPECT_EQ(Control(9).mValues, (std::vector<double>{0.0, 1.0}));
  EXPECT_EQ(Control(10).mValues, (std::vector<double>{0.0, 1.0}));
  EXPECT_TRUE(Control(11).mValues.empty());

  plug->SetParameterValue(ZentikQX40::kUltra, 1.0);
  plug->SetParameterValue(ZentikQX40::kUltra, 0.0);
  EXPECT_EQ(Control(10).mHidden, (std::vector<bool>{false, true}));
  EXPECT_EQ(Control(11).mHidden, (std::vector<bool>{false, true}));
  EXPECT_TRUE(Control(9).mHidden.empty());

  // Other parameters leave the editor alone.
  plug->SetParameterValue(ZentikQX40::kDistAmount, 50.0);
  plug->SetParameterValue(ZentikQX40::kDryWet, 50.0);
  EXPECT_EQ(Control(9).mValues.size(), 2u);
  EXPECT_EQ(Control(10).mHidden.size(), 2u);
}

TEST_F(ZentikQX40Editor, MeterFollowsEveryLeftOutputSample)
{
  plug->SetEditorIndices(9, 10, 11);
  plug->SetParameterValue(ZentikQX40::kHiss, 0.0);
  std::vector<double> inL = TestSignal(64, 3), inR = TestSignal(64, 4);
  std::vector<double> outL(64), outR(64);
  double* in[2] = {inL.data(), inR.data()};
  double* out[2] = {outL.data(), outR.data()};
  ASSERT_TRUE(plug->ProcessDouble(in, 2, out, 2, 64));

  const std::vector<double>& meter = Control(11).mValues;
  ASSERT_EQ(meter.size(), 64u);
  for (int i = 0; i < 64; ++i)
    EXPECT_EQ(meter[static_cast<size_t>(i)], std::fabs(outL[static_cast<size_t>(i)]) * 10.0) << i;

  // An index past the control list is no control.
  plug->SetEditorIndices(9, 10, 13);
  ASSERT_TRUE(plug->ProcessDouble(in, 2, out, 2, 64));
  EXPECT_EQ(meter.size(), 64u);
}

// ---- Creation ---------------------------------------------------------------

TEST(ZentikQX40Create, NewPluginInstanceFromManyThreads)
{
  ZentikQX40* made[8] = {};
  std::vector<std::thread> threads;
  for (int i = 0; i < 8; ++i)
    threads.emplace_back([&made, i] { made[i] = NewPluginInstance(); });
  for (std::thread& t : threads)
    t.join();
  for (ZentikQX40* p : made)
  {
    ASSERT_NE(p, nullptr);
    EXPECT_STREQ(p->GetPresetName(0), "-");
    EXPECT_EQ(p->NParams(), 8);
    delete p;
  }
}

} // namespace
