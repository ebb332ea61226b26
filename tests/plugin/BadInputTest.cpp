// A host's bad samples: a NaN, an infinity or a huge finite block through
// the whole plug-in, then an ordinary signal. No bad sample may stick.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "effect/ZentikQX40.h"

namespace
{

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

struct Setting
{
  const char* name;
  double rate;
  double amount, saturation, ultra, bypass, dryWet;
};

const Setting kSettings[] = {
  {"defaults 44.1k", 44100, 0, 1, 0, 0, 100},
  {"driven 48k", 48000, 80, 1, 0, 0, 100},
  {"no saturation 96k", 96000, 100, 0, 0, 0, 60},
  {"ultra no saturation 192k", 192000, 100, 0, 1, 0, 30},
  {"ultra 44.1k dry", 44100, 50, 1, 1, 0, 0},
  {"bypassed 44.1k", 44100, 50, 1, 0, 1, 100},
  {"bypassed no saturation 44.1k", 44100, 50, 0, 0, 1, 50},
};

std::unique_ptr<ZentikQX40> MakePlug(const Setting& s, int block)
{
  std::unique_ptr<ZentikQX40> plug(new ZentikQX40(nullptr));
  plug->Initialize();
  plug->SetupProcessing(s.rate, block);
  plug->SetParameterValue(ZentikQX40::kHiss, 0);
  plug->SetParameterValue(ZentikQX40::kDistAmount, s.amount);
  plug->SetParameterValue(ZentikQX40::kSaturation, s.saturation);
  plug->SetParameterValue(ZentikQX40::kUltra, s.ultra);
  plug->SetParameterValue(ZentikQX40::kBypass, s.bypass);
  plug->SetParameterValue(ZentikQX40::kDryWet, s.dryWet);
  return plug;
}

std::vector<double> Sine(int n, int start)
{
  std::vector<double> v(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i)
    v[static_cast<size_t>(i)] = 0.5 * std::sin(0.05 * (start + i));
  return v;
}

// One stereo block in place of itself; both channels get the same input.
void ProcessStereo(ZentikQX40& plug, std::vector<double>& left, std::vector<double>& right)
{
  double* in[2] = {left.data(), right.data()};
  double* out[2] = {left.data(), right.data()};
  ASSERT_TRUE(plug.ProcessDouble(in, 2, out, 2, static_cast<int>(left.size())));
}

int FirstNonFinite(const std::vector<double>& v, int from = 0)
{
  for (size_t i = static_cast<size_t>(from); i < v.size(); ++i)
    if (!std::isfinite(v[i]))
      return static_cast<int>(i);
  return -1;
}

TEST(ZentikQX40BadInput, NonFiniteSampleNeverSticks)
{
  const double bad[] = {kNaN, kInf, -kInf};
  const int block = 64;
  for (const Setting& s : kSettings)
    for (double b : bad)
      for (int at : {0, 17, block - 1})
      {
        auto plug = MakePlug(s, block);
        std::vector<double> l = Sine(block, 0), r = Sine(block, 0);
        l[static_cast<size_t>(at)] = b;   // left only: the right channel stays untouched
        ProcessStereo(*plug, l, r);
        EXPECT_EQ(FirstNonFinite(l), -1) << s.name << " bad " << b << " at " << at;
        EXPECT_EQ(FirstNonFinite(r), -1) << s.name;
        for (int k = 0; k < 20; ++k)
        {
          l = Sine(block, block * (k + 1));
          r = l;
          ProcessStereo(*plug, l, r);
          EXPECT_EQ(FirstNonFinite(l), -1) << s.name << " bad " << b << " at " << at << " block " << k;
        }
      }
}

TEST(ZentikQX40BadInput, HugeFiniteBlockNeverSticks)
{
  const double huge[] = {1e30, -1e30, 1e300, DBL_MAX, -DBL_MAX};
  const int block = 64;
  for (const Setting& s : kSettings)
    for (double h : huge)
      for (bool alternate : {false, true})
      {
        auto plug = MakePlug(s, block);
        std::vector<double> l(static_cast<size_t>(block)), r;
        for (int i = 0; i < block; ++i)
          l[static_cast<size_t>(i)] = (alternate && (i & 1)) ? -h : h;
        r = l;
        ProcessStereo(*plug, l, r);
        // What overflowed is played as silence.
        EXPECT_EQ(FirstNonFinite(l), -1) << s.name << " huge " << h;
        for (int k = 0; k < 20; ++k)
        {
          l = Sine(block, block * (k + 1));
          r = l;
          ProcessStereo(*plug, l, r);
          EXPECT_EQ(FirstNonFinite(l), -1) << s.name << " huge " << h << (alternate ? " alternating" : "") << " block " << k;
        }
      }
}

} // namespace
