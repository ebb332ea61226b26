#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "effect/qx4.h"
#include "tests/effect/TestSignal.h"

namespace
{

constexpr double kPi = 3.14159265358979323846;

// As the plug-in sets an engine up for a host rate; hiss off so that runs
// are reproducible.
void Prepare(qx4& e, int rate, int factor)
{
  e.SetSampleRate(rate);
  e.ResetFilters();
  e.SetOversampling(factor);
  e.SetChannels(1);
  e.mHiss = false;
  e.SetDrive(0.6);
  e.mTone = 0.3;
  e.mLevel = 0.8;
}

TEST(qx4Saturation, CurveIsOddBoundedAndZeroAtZero)
{
  EXPECT_EQ(qx4::Saturate(0.0), 0.0);
  for (double x = -50.0; x <= 50.0; x += 0.01)
  {
    const double y = qx4::Saturate(x);
    ASSERT_EQ(y, -qx4::Saturate(-x)) << x;
    ASSERT_LE(y, 1.0) << x;
    ASSERT_GE(y, -1.0) << x;
  }
  EXPECT_EQ(qx4::Saturate(1e6), 1.0);
  EXPECT_EQ(qx4::Saturate(-1e6), -1.0);
  // The curve itself, away from the limits.
  for (double x : {0.1, 0.5, 1.0, 2.0})
    EXPECT_NEAR(qx4::Saturate(x), x / (0.37011709966 * x * x + 1.1605589854) + 0.1071000671 * x, 1e-15) << x;
  EXPECT_NEAR(qx4::Saturate(1.0), 0.7604062, 1e-6);
}

struct ClipCase
{
  bool saturation;
  bool ultra;
  double in;
  double out;
};

class qx4Clipper : public ::testing::TestWithParam<ClipCase>
{
};

TEST_P(qx4Clipper, Limits)
{
  const ClipCase c = GetParam();
  EXPECT_NEAR(qx4::Clip(c.in, c.saturation, c.ultra), c.out, 1e-15)
    << "saturation " << c.saturation << " ultra " << c.ultra << " in " << c.in;
}

const double kKnee = 1.0 - std::exp(-1.0);

INSTANTIATE_TEST_SUITE_P(
  Modes, qx4Clipper,
  ::testing::Values(
    // Hard limits without saturation.
    ClipCase{false, false, 5.0, 0.7}, ClipCase{false, false, -5.0, -0.7}, ClipCase{false, false, 0.3, 0.3},
    ClipCase{false, false, 0.7, 0.7}, ClipCase{false, true, 5.0, 1.7}, ClipCase{false, true, -5.0, -0.7},
    ClipCase{false, true, 1.2, 1.2},
    // Exponential knee with saturation; ultra lifts only the positive side.
    ClipCase{true, false, 1.0, kKnee}, ClipCase{true, false, -1.0, -kKnee}, ClipCase{true, false, 0.0, 0.0},
    ClipCase{true, false, 40.0, 1.0}, ClipCase{true, true, 1.0, kKnee + 0.2}, ClipCase{true, true, -1.0, -kKnee},
    ClipCase{true, true, 5.0, (1.0 - std::exp(-5.0)) + 1.0}));

TEST(qx4Drive, GainAndCutoffAtFullAmount)
{
  struct Case
  {
    bool ultra;
    int factor;
    double gain;
    double cutoff;
  };
  for (const Case c : {Case{false, 1, 13.58, 15900.0}, Case{true, 1, 101.0, 7234.0}, Case{false, 4, 13.58, 15900.0},
                       Case{true, 4, 101.0, 7234.0}})
  {
    qx4 e;
    e.SetOversampling(c.factor);
    e.mUltra = c.ultra;
    e.SetDrive(1.0);
    EXPECT_DOUBLE_EQ(e.GetDriveGain(), c.gain) << c.ultra;
    EXPECT_DOUBLE_EQ(e.GetDriveCutoff(), c.cutoff) << c.ultra;
    EXPECT_EQ(e.GetAmount(), 1.0);
    // The low-pass is designed for the oversampled rate.
    Dsp::Stage expected{};
    Dsp::SetBiquadLowPass(expected, c.cutoff / (44100.0 * c.factor), 0.707);
    const Dsp::Stage& s = e.GetDriveLowPass();
    EXPECT_DOUBLE_EQ(s.mC1, expected.mC1);
    EXPECT_DOUBLE_EQ(s.mC2, expected.mC2);
    EXPECT_DOUBLE_EQ(s.mB1, expected.mB1);
  }
}

TEST(qx4Drive, RateChangeLeavesDriveLowPassUntilNextSetDrive)
{
  qx4 e;
  e.SetDrive(0.5);
  const Dsp::Stage before = e.GetDriveLowPass();
  e.SetSampleRate(96000);
  e.ResetFilters();
  e.SetOversampling(2);
  EXPECT_EQ(e.GetDriveLowPass().mC1, before.mC1);
  e.SetDrive(0.5);
  EXPECT_NE(e.GetDriveLowPass().mC1, before.mC1);
}

// Recovers the corner in Hz from a section's pole: k = e^(-2 pi F / R).
double Corner(const qx4::OnePole& s, double rate)
{
  return -std::log(s.mB1) * rate / (2.0 * kPi);
}

TEST(qx4Coefficients, CornersInBothModes)
{
  struct Case
  {
    bool ultra;
    int factor;
    double inputHighPass;
    double toneHighPass;
  };
  for (const Case c : {Case{false, 1, 600.0, 3288.0}, Case{true, 1, 300.0, 1539.0}, Case{false, 4, 600.0, 3288.0},
                       Case{true, 4, 300.0, 1539.0}})
  {
    qx4 e;
    e.SetOversampling(c.factor);
    e.mUltra = c.ultra;
    e.UpdateCoefficients();
    const double rate = 44100.0 * c.factor;
    EXPECT_NEAR(Corner(e.GetInputHighPass(), rate), c.inputHighPass, 1e-3) << c.ultra << " x" << c.factor;
    EXPECT_NEAR(Corner(e.GetToneHighPass(), rate), c.toneHighPass, 1e-3) << c.ultra << " x" << c.factor;
    EXPECT_NEAR(Corner(e.GetToneLowPass(), rate), 234.0, 1e-3) << c.ultra << " x" << c.factor;
    for (const qx4::OnePole* hp : {&e.GetInputHighPass(), &e.GetToneHighPass()})
    {
      EXPECT_EQ(hp->mA0, (hp->mB1 + 1.0) * 0.5);
      EXPECT_EQ(hp->mA1, -hp->mA0);
    }
    EXPECT_EQ(e.GetToneLowPass().mA0, 1.0 - e.GetToneLowPass().mB1);
    EXPECT_EQ(e.GetToneLowPass().mA1, 0.0);
  }
}

TEST(qx4Bypass, OnlySaturationAndHissRun)
{
  const std::vector<double> in = TestSignal(64, 60, 3.0);
  for (bool saturation : {true, false})
  {
    qx4 e;
    Prepare(e, 44100, 1);
    e.mBypass = true;
    e.mSaturation = saturation;
    std::vector<double> x = in;
    e.ProcessSamples(x.data(), static_cast<int>(x.size()));
    for (size_t i = 0; i < in.size(); ++i)
      EXPECT_EQ(x[i], saturation ? qx4::Saturate(in[i]) : in[i]) << i;
  }
}

TEST(qx4Bypass, SectionMemoriesHoldWhileBypassed)
{
  qx4 a;
  qx4 b;
  Prepare(a, 44100, 1);
  Prepare(b, 44100, 1);
  std::vector<double> bypassed = TestSignal(64, 61);
  a.mBypass = true;
  a.ProcessSamples(bypassed.data(), 64);
  a.mBypass = false;
  const std::vector<double> in = TestSignal(64, 62);
  std::vector<double> xa = in;
  std::vector<double> xb = in;
  a.ProcessSamples(xa.data(), 64);
  b.ProcessSamples(xb.data(), 64);
  EXPECT_EQ(xa, xb);
}

TEST(qx4Hiss, AddsAtMostTenMicro)
{
  qx4 e;
  e.mBypass = true;
  e.mSaturation = false;
  e.mHiss = true;
  const std::vector<double> in = TestSignal(4096, 63);
  std::vector<double> x = in;
  e.ProcessSamples(x.data(), static_cast<int>(x.size()));
  double largest = 0.0;
  for (size_t i = 0; i < in.size(); ++i)
    largest = std::fmax(largest, std::fabs(x[i] - in[i]));
  EXPECT_LE(largest, 1e-5 * (1.0 + 1e-6));
  EXPECT_GT(largest, 5e-6);
}

class qx4Mix : public ::testing::TestWithParam<int>
{
};

TEST_P(qx4Mix, FullyWetIsTheChainAndFullyDryIsTheFilteredInput)
{
  const int factor = GetParam();
  const int n = 128;
  const std::vector<double> in = TestSignal(n, 70, 0.5);

  // Wet: the same as running the pieces by hand on a twin engine.
  qx4 wet;
  qx4 twin;
  Prepare(wet, 44100, factor);
  Prepare(twin, 44100, factor);
  std::vector<double> block = in;
  ASSERT_TRUE(wet.ProcessBlock(block.data(), n));
  std::vector<double> expected = in;
  if (factor == 1)
  {
    twin.ProcessSamples(expected.data(), n);
  }
  else
  {
    std::vector<double> up(static_cast<size_t>(n * factor));
    twin.Upsample(in.data(), up.data(), n);
    twin.ProcessSamples(up.data(), n * factor);
    twin.Downsample(up.data(), expected.data(), n * factor);
  }
  EXPECT_EQ(block, expected);

  // Dry: the input itself at factor 1; through both filters otherwise.
  qx4 dry;
  qx4 filters;
  Prepare(dry, 44100, factor);
  Prepare(filters, 44100, factor);
  dry.SetMix(0.0);
  block = in;
  ASSERT_TRUE(dry.ProcessBlock(block.data(), n));
  if (factor == 1)
  {
    EXPECT_EQ(block, in);
  }
  else
  {
    std::vector<double> up(static_cast<size_t>(n * factor));
    std::vector<double> down(static_cast<size_t>(n));
    filters.Upsample(in.data(), up.data(), n);
    filters.Downsample(up.data(), down.data(), n * factor);
    EXPECT_EQ(block, down);
    EXPECT_NE(block, in);
  }
}

INSTANTIATE_TEST_SUITE_P(Factors, qx4Mix, ::testing::Values(1, 4));

} // namespace
