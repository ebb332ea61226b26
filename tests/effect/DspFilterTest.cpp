#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "effect/DspChebyII.h"
#include "tests/effect/TestSignal.h"

namespace
{

constexpr double kPi = 3.14159265358979323846;

using LowPass6 = Dsp::ChebyIILowPass<6, 1>;

Dsp::Params OversamplingDesign(int factor)
{
  // What the oversampler asks for at 44.1 kHz.
  Dsp::Params p;
  p.mOrder = 6;
  p.mSampleRate = 1.0;
  p.mCutoff = (44100 * 0.5) / (44100.0 * factor);
  p.mAttenuation = 9.0;
  return p;
}

// Magnitude at w of a (decayed) impulse response, by direct summation: an
// evaluation independent of the cascade's own response code.
double MagnitudeAt(const std::vector<double>& h, double w)
{
  double re = 0.0;
  double im = 0.0;
  for (size_t n = 0; n < h.size(); ++n)
  {
    re += h[n] * std::cos(w * static_cast<double>(n));
    im -= h[n] * std::sin(w * static_cast<double>(n));
  }
  return std::sqrt(re * re + im * im);
}

class ChebyIIDesign : public ::testing::TestWithParam<int>
{
};

TEST_P(ChebyIIDesign, UnitDcGainAndStopBandFromTheCutoffUp)
{
  LowPass6 filter;
  const Dsp::Params p = OversamplingDesign(GetParam());
  filter.SetParams(p);
  ASSERT_EQ(filter.GetNumStages(), 3);

  std::vector<double> h(8192, 0.0);
  h[0] = 1.0;
  filter.ProcessBlock(static_cast<int>(h.size()), h.data(), 0);
  ASSERT_LT(std::fabs(h.back()), 1e-12) << "impulse response has not decayed";

  const double stopBand = std::pow(10.0, -9.0 / 20.0);
  const double wc = 2.0 * kPi * p.mCutoff;

  EXPECT_NEAR(MagnitudeAt(h, 0.0), 1.0, 1e-9);
  EXPECT_NEAR(std::abs(filter.ResponseAt(0.0)), 1.0, 1e-12);
  EXPECT_NEAR(MagnitudeAt(h, wc), stopBand, 1e-7);
  EXPECT_NEAR(20.0 * std::log10(std::abs(filter.ResponseAt(wc))), -9.0, 1e-6);

  // The pass band never rises above unity; the stop band never above -9 dB.
  const int steps = 2000;
  for (int i = 0; i <= steps; ++i)
  {
    const double w = kPi * i / steps;
    const double mag = std::abs(filter.ResponseAt(w));
    EXPECT_NEAR(mag, MagnitudeAt(h, w), 1e-9) << "w = " << w;
    if (w < wc)
      EXPECT_LE(mag, 1.0 + 1e-12) << "w = " << w;
    else
      EXPECT_LE(mag, stopBand * (1.0 + 1e-9)) << "w = " << w;
  }
}

INSTANTIATE_TEST_SUITE_P(Factors, ChebyIIDesign, ::testing::Values(2, 4));

TEST(ChebyIIDesign, StagePlacement)
{
  // The conjugate pairs fill the stages from the last one back: stage 0 gets
  // the pole nearest the unit circle (t = 5 pi/12) and the zero from
  // j/cos(3 pi/12), the middle stage j/cos(-pi/12), the last j/cos(-5 pi/12).
  LowPass6 filter;
  const Dsp::Params p = OversamplingDesign(4);
  filter.SetParams(p);
  const double r0 = -filter.GetStage(0).mC2;
  const double r1 = -filter.GetStage(1).mC2;
  const double r2 = -filter.GetStage(2).mC2;
  EXPECT_GT(r0, r1);
  EXPECT_GT(r1, r2);
  EXPECT_LT(r0, 1.0);

  // The bilinear map puts an analog zero j y on the unit circle at angle
  // 2 atan(k y).
  const double k = std::tan(kPi * p.mCutoff);
  const double phi[3] = {3.0 * kPi / 12.0, -kPi / 12.0, -5.0 * kPi / 12.0};
  for (int i = 0; i < 3; ++i)
  {
    const Dsp::Stage& s = filter.GetStage(i);
    const double theta = 2.0 * std::atan(k / std::cos(phi[i]));
    EXPECT_NEAR(s.mB1 / s.mB2, -2.0 * std::cos(theta), 1e-12) << "stage " << i;
    EXPECT_NEAR(s.mB0 / s.mB2, 1.0, 1e-12) << "stage " << i;
  }
  // Only stage 0 carries the normalisation.
  EXPECT_EQ(filter.GetStage(1).mB2, 1.0);
  EXPECT_EQ(filter.GetStage(2).mB2, 1.0);
  EXPECT_NE(filter.GetStage(0).mB2, 1.0);
}

TEST(DspCascade, IdentityStagesPassSamplesThrough)
{
  LowPass6 filter;
  filter.SetParams(OversamplingDesign(4));
  // Leave memory behind, then reset the stages only.
  std::vector<double> warm = TestSignal(64, 1);
  filter.ProcessBlock(64, warm.data(), 0);
  filter.ResetState();

  const std::vector<double> in = TestSignal(256, 2);
  std::vector<double> out = in;
  filter.ProcessBlock(static_cast<int>(out.size()), out.data(), 0);
  for (size_t i = 0; i < in.size(); ++i)
    EXPECT_NEAR(out[i], in[i], 1e-20) << i;
}

TEST(DspCascade, UndesignedFilterIsSilent)
{
  LowPass6 filter;
  std::vector<double> x = TestSignal(32, 3);
  filter.ProcessBlock(static_cast<int>(x.size()), x.data(), 0);
  for (double v : x)
    EXPECT_EQ(v, 0.0);
}

TEST(DspCascade, StepSkipsSamplesAfterEachFrame)
{
  LowPass6 a;
  LowPass6 b;
  a.SetParams(OversamplingDesign(2));
  b.SetParams(OversamplingDesign(2));
  const std::vector<double> in = TestSignal(40, 4);
  std::vector<double> strided = in;
  a.ProcessBlock(20, strided.data(), 1);
  std::vector<double> packed(20);
  for (int i = 0; i < 20; ++i)
    packed[i] = in[2 * i];
  b.ProcessBlock(20, packed.data(), 0);
  for (int i = 0; i < 20; ++i)
  {
    EXPECT_EQ(strided[2 * i], packed[i]);
    EXPECT_EQ(strided[2 * i + 1], in[2 * i + 1]);
  }
}

class BiquadLowPass : public ::testing::TestWithParam<double>
{
};

TEST_P(BiquadLowPass, UnitDcGainAndQAtTheCutoff)
{
  Dsp::CascadeSpace<1, 1> c;
  const double f = GetParam();
  Dsp::SetBiquadLowPass(c.GetStage(0), f, 0.707);
  const Dsp::Stage& s = c.GetStage(0);
  EXPECT_NEAR((s.mB0 + s.mB1 + s.mB2) / (1.0 - s.mC1 - s.mC2), 1.0, 1e-12);
  EXPECT_EQ(s.mB0, s.mB2);
  EXPECT_EQ(s.mB1, 2.0 * s.mB0);
  // A second-order low-pass of this form has magnitude Q at its cutoff.
  EXPECT_NEAR(std::abs(c.ResponseAt(2.0 * kPi * f)), 0.707, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cutoffs, BiquadLowPass,
                         ::testing::Values(20000.0 / 44100.0, 15900.0 / 176400.0, 7234.0 / 88200.0, 0.25));

TEST(BiquadLowPass, QuarterRateHasNoFirstFeedback)
{
  Dsp::Stage s{};
  Dsp::SetBiquadLowPass(s, 0.25, 0.707);
  EXPECT_NEAR(s.mC1, 0.0, 1e-15);
}

} // namespace
