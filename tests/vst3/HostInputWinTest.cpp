// The shipped VST3 library under Wine driven as a careless host drives it:
// NaN and infinite samples, a block in a sample size that was not set up,
// parameter values outside [0, 1] or not finite, a state stream that
// delivers a few bytes per read, and a maximum block whose buffers cannot
// be had.

#include "tests/hosts/HostClasses.h"
#include "tests/hosts/PluginInstance.h"
#include "tests/hosts/QuietStdout.h"
#include "tests/vst3/RealPluginWin.h"

#include "effect/ZentikQX40.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

using namespace zqhost;

namespace {

const ParamID kBypass = 0x62706173;   // 'bpas'
const ParamID kPreset = 0x70727374;   // 'prst'

Buffers sine(size_t frames, size_t start)
{
  Buffers b(2, std::vector<double>(frames));
  for (size_t i = 0; i < frames; ++i)
    b[0][i] = b[1][i] = 0.4 * std::sin(0.05 * static_cast<double>(start + i));
  return b;
}

bool allFinite(const std::vector<double>& v, size_t from = 0)
{
  for (size_t i = from; i < v.size(); ++i)
    if (!std::isfinite(v[i]))
      return false;
  return true;
}

double energy(const Buffers& b)
{
  double e = 0.0;
  for (const auto& ch : b)
    for (double x : ch)
      e += x * x;
  return e;
}

// Hiss off (its noise is seeded by the clock), some drive.
void quietDriven(ParameterChanges& changes)
{
  changes.add(ZentikQX40::kHiss, 0, 0.0);
  changes.add(ZentikQX40::kDistAmount, 0, 0.6);
}

} // namespace

TEST(Vst3HostInput, NonFiniteSamplesNeverStick)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  struct Case
  {
    int32 sampleSize;
    double bad;
  };
  const double inf = std::numeric_limits<double>::infinity();
  for (Case c : {Case {kSample32, std::nan("")}, Case {kSample32, inf}, Case {kSample64, -inf},
                 Case {kSample64, std::nan("")}})
  {
    Instance x(*module);
    ASSERT_TRUE(x.plug);
    ASSERT_EQ(x.plug->setup(44100.0, 512, c.sampleSize), kResultOk);
    ASSERT_EQ(x.plug->start(), kResultOk);
    QuietStdout quiet;
    ParameterChanges changes;
    quietDriven(changes);
    Buffers in = sine(512, 0), out(2, std::vector<double>(512));
    in[0][200] = c.bad;   // left only
    ASSERT_EQ(x.plug->processBlock(in, 0, out, 0, 512, &changes), kResultOk);
    EXPECT_TRUE(allFinite(out[0], 201)) << c.sampleSize << " " << c.bad;
    EXPECT_TRUE(allFinite(out[1])) << c.sampleSize << " " << c.bad;
    for (size_t k = 1; k < 6; ++k)
    {
      in = sine(512, 512 * k);
      ASSERT_EQ(x.plug->processBlock(in, 0, out, 0, 512), kResultOk);
      ASSERT_TRUE(allFinite(out[0]) && allFinite(out[1])) << c.sampleSize << " " << c.bad << " block " << k;
      EXPECT_GT(energy(out), 1.0);
    }
    EXPECT_TRUE(x.plug->guardsIntact);
  }
}

TEST(Vst3HostInput, ABlockInAnotherSampleSizeIsRefusedAndWritesNothing)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  const int32 n = 512;
  const float kCanary = 1234.5f;
  struct Case
  {
    int32 setup, block;
  };
  for (Case c : {Case {kSample32, 7}, Case {kSample32, kSample64}, Case {kSample32, -1},
                 Case {kSample64, kSample32}, Case {kSample64, 2}})
  {
    Instance x(*module);
    ASSERT_TRUE(x.plug);
    ASSERT_EQ(x.plug->setup(44100.0, n, c.setup), kResultOk);
    ASSERT_EQ(x.plug->start(), kResultOk);

    // Buffers of 512 floats (2048 bytes), each followed by a guard region
    // as large again as doubles would need.
    std::vector<float> in(n, 0.25f), out0(3 * n, kCanary), out1(3 * n, kCanary);
    float* ins[2] = {in.data(), in.data()};
    float* outs[2] = {out0.data(), out1.data()};
    AudioBusBuffers inBus, outBus;
    inBus.numChannels = outBus.numChannels = 2;
    inBus.channelBuffers32 = ins;
    outBus.channelBuffers32 = outs;
    ProcessData d;
    d.processMode = kRealtime;
    d.symbolicSampleSize = c.block;
    d.numSamples = n;
    d.numInputs = d.numOutputs = 1;
    d.inputs = &inBus;
    d.outputs = &outBus;
    QuietStdout quiet;
    EXPECT_EQ(x.plug->processor->process(d), kInvalidArgument) << c.setup << " " << c.block;
    EXPECT_EQ(std::count(out0.begin(), out0.end(), kCanary), 3 * n) << c.setup << " " << c.block;
    EXPECT_EQ(std::count(out1.begin(), out1.end(), kCanary), 3 * n) << c.setup << " " << c.block;

    // The size set up is still processed, within the buffers.
    if (c.setup == kSample32)
    {
      d.symbolicSampleSize = kSample32;
      EXPECT_EQ(x.plug->processor->process(d), kResultOk);
      EXPECT_NE(out0[10], kCanary);
      EXPECT_EQ(std::count(out0.begin() + n, out0.end(), kCanary), 2 * n);
    }
  }
}

TEST(Vst3HostInput, ValuesOutsideTheRangeOrNotFinite)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  // Level through a queue, after Level 0.5: -1 and -inf are Level 0
  // (silence), 2 is Level 1, NaN keeps 0.5.
  struct Level
  {
    double value, expected;
  };
  const double inf = std::numeric_limits<double>::infinity();
  double loud = 0.0;
  for (Level c : {Level {1.0, 1.0}, Level {-1.0, 0.0}, Level {-inf, 0.0}, Level {2.0, 1.0},
                  Level {std::nan(""), 0.5}, Level {0.0, 0.0}})
  {
    Instance x(*module);
    ASSERT_TRUE(x.plug);
    ASSERT_EQ(x.plug->setup(44100.0, 512, kSample32), kResultOk);
    ASSERT_EQ(x.plug->start(), kResultOk);
    QuietStdout quiet;
    ParameterChanges changes;
    quietDriven(changes);
    changes.add(ZentikQX40::kLevel, 0, 0.5);
    Buffers in = sine(512, 0), out(2, std::vector<double>(512));
    ASSERT_EQ(x.plug->processBlock(in, 0, out, 0, 512, &changes), kResultOk);
    changes.clear();
    changes.add(ZentikQX40::kLevel, 0, c.value);
    in = sine(512, 512);
    ASSERT_EQ(x.plug->processBlock(in, 0, out, 0, 512, &changes), kResultOk);
    IEditController* e = x.plug->controller;
    EXPECT_EQ(e->getParamNormalized(ZentikQX40::kLevel), c.expected) << c.value;
    in = sine(512, 1024);
    ASSERT_EQ(x.plug->processBlock(in, 0, out, 0, 512), kResultOk);
    if (c.value == 1.0)
      loud = energy(out);
    if (c.expected == 0.0)
      EXPECT_LT(energy(out), 1e-12) << c.value;
    else
      EXPECT_GT(energy(out), 0.01 * loud) << c.value;

    // The same limits through the controller.
    EXPECT_EQ(e->setParamNormalized(ZentikQX40::kDryWet, 0.3), kResultOk);
    EXPECT_EQ(e->setParamNormalized(ZentikQX40::kDryWet, c.value), kResultOk);
    const double dryWet = std::isnan(c.value) ? 0.3 : c.expected;
    EXPECT_NEAR(e->getParamNormalized(ZentikQX40::kDryWet), dryWet, 1e-12) << c.value;
  }

  Instance x(*module);
  ASSERT_TRUE(x.plug);
  IEditController* e = x.plug->controller;
  // The bypass switch keeps its value against a NaN.
  EXPECT_EQ(e->setParamNormalized(kBypass, 1.0), kResultOk);
  EXPECT_EQ(e->setParamNormalized(kBypass, std::nan("")), kResultOk);
  EXPECT_EQ(e->getParamNormalized(kBypass), 1.0);

  // Text that holds no finite number is refused and writes nothing.
  auto byString = [&](ParamID id, const char* text, ParamValue& v) {
    TChar wide[32] = {};
    for (int i = 0; text[i] && i < 31; ++i)
      wide[i] = static_cast<TChar>(text[i]);
    return e->getParamValueByString(id, wide, v);
  };
  for (const char* text : {"nan", "inf", "-inf", "abc", "", "1e999"})
    for (ParamID id : {ParamID(ZentikQX40::kLevel), ParamID(ZentikQX40::kBypass), kBypass, kPreset})
    {
      ParamValue v = -7.0;
      EXPECT_EQ(byString(id, text, v), kResultFalse) << id << " \"" << text << "\"";
      EXPECT_EQ(v, -7.0) << id << " \"" << text << "\"";
    }
  // Every parameter answers a value in [0, 1]; the program parameter reads
  // its text as the normalised value itself.
  struct Text
  {
    ParamID id;
    const char* text;
    ParamValue value;
  };
  for (Text t : {Text {ZentikQX40::kLevel, "50", 0.5},   // the SDK's range conversion is linear
                 Text {ZentikQX40::kLevel, "150", 1.0}, Text {ZentikQX40::kBypass, "on", 1.0},
                 Text {kPreset, "  12  ", 1.0},         Text {kPreset, "99999999999999999999", 1.0},
                 Text {kPreset, "1e308", 1.0},          Text {kPreset, "-1e308", 0.0},
                 Text {kPreset, "0.5", 0.5}})
  {
    ParamValue v = -7.0;
    EXPECT_EQ(byString(t.id, t.text, v), kResultOk) << t.id << " \"" << t.text << "\"";
    EXPECT_EQ(v, t.value) << t.id << " \"" << t.text << "\"";
  }
}

TEST(Vst3HostInput, StateFromAStreamThatDeliversAFewBytesPerRead)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  Instance x(*module);
  ASSERT_TRUE(x.plug);
  ASSERT_EQ(x.plug->setup(44100.0, 512, kSample32), kResultOk);
  ASSERT_EQ(x.plug->start(), kResultOk);
  std::vector<uint8_t> defaults, changed, now;
  ASSERT_EQ(x.plug->getState(defaults, true), kResultOk);
  ParameterChanges changes;
  changes.add(ZentikQX40::kDistAmount, 0, 0.3);
  changes.add(ZentikQX40::kTone, 0, 0.9);
  changes.add(ZentikQX40::kDryWet, 0, 0.45);
  changes.add(kBypass, 0, 1.0);
  Buffers in = sine(64, 0), out(2, std::vector<double>(64));
  {
    QuietStdout quiet;
    ASSERT_EQ(x.plug->processBlock(in, 0, out, 0, 64, &changes), kResultOk);
  }
  ASSERT_EQ(x.plug->getState(changed, true), kResultOk);
  ASSERT_EQ(changed.size(), 68u);

  for (int32 chunk : {1, 4, 5})
  {
    Instance y(*module);
    ASSERT_TRUE(y.plug);
    PartialReadStream stream(changed, chunk);
    EXPECT_EQ(y.plug->controller->setState(&stream), kResultOk) << chunk;
    ASSERT_EQ(y.plug->getState(now, true), kResultOk);
    EXPECT_EQ(now, changed) << chunk;
  }

  // The first 9 bytes: parameter 0 from the stream, every byte of the
  // others (the one begun included) kept.
  Instance y(*module);
  ASSERT_TRUE(y.plug);
  PartialReadStream nine(std::vector<uint8_t>(changed.begin(), changed.begin() + 9), 4);
  EXPECT_EQ(y.plug->controller->setState(&nine), kResultFalse);
  ASSERT_EQ(y.plug->getState(now, true), kResultOk);
  EXPECT_TRUE(std::equal(now.begin(), now.begin() + 8, changed.begin()));
  EXPECT_TRUE(std::equal(now.begin() + 8, now.end(), defaults.begin() + 8));
}

TEST(Vst3HostInput, ABlockSizeWhoseBuffersCannotBeHadIsRefused)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  Instance x(*module);
  ASSERT_TRUE(x.plug);
  ASSERT_EQ(x.plug->setup(44100.0, 256, kSample32), kResultOk);
  // Below one sample no block could be processed.
  const int32 huge = sizeof(void*) == 8 ? (1 << 28) : (1 << 26);
  QuietStdout quiet;
  Buffers in, out;
  for (int32 maxBlock : {huge, 0, -1})
  {
    EXPECT_EQ(x.plug->setup(48000.0, maxBlock, kSample64), kResultFalse) << maxBlock;
    EXPECT_EQ(x.plug->start(), kResultFalse) << maxBlock;

    // The previous setup (32-bit, 256 frames) is still the one processed.
    x.plug->sampleSize = kSample32;
    ParameterChanges changes;
    quietDriven(changes);
    in = sine(256, 0);
    out.assign(2, std::vector<double>(256));
    ASSERT_EQ(x.plug->processBlock(in, 0, out, 0, 256, &changes), kResultOk) << maxBlock;
    EXPECT_GT(energy(out), 1.0) << maxBlock;
    EXPECT_TRUE(x.plug->guardsIntact) << maxBlock;
  }

  // A setup that can be had makes the plug-in ready again.
  ASSERT_EQ(x.plug->setup(48000.0, 1024, kSample64), kResultOk);
  ASSERT_EQ(x.plug->start(), kResultOk);
  in = sine(1024, 256);
  out.assign(2, std::vector<double>(1024));
  ASSERT_EQ(x.plug->processBlock(in, 0, out, 0, 1024), kResultOk);
  EXPECT_GT(energy(out), 1.0);
}

// A full-scale square wave at the largest float, Dry/Wet at 0 and hiss off:
// the oversampling filters overshoot beyond the float range, and float
// blocks saturate at the largest float instead of infinity.
TEST(Vst3HostInput, FullScaleFloatInputLeavesFinite)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  Instance x(*module);
  ASSERT_TRUE(x.plug);
  ASSERT_EQ(x.plug->setup(44100.0, 64, kSample32), kResultOk);
  ASSERT_EQ(x.plug->start(), kResultOk);
  QuietStdout quiet;
  ParameterChanges changes;
  changes.add(ZentikQX40::kHiss, 0, 0.0);
  changes.add(ZentikQX40::kDryWet, 0, 0.0);
  size_t atMax = 0;
  for (size_t k = 0; k < 16; ++k)
  {
    Buffers in(2, std::vector<double>(64)), out(2, std::vector<double>(64));
    for (size_t i = 0; i < 64; ++i)
      in[0][i] = in[1][i] = ((64 * k + i) / 8) % 2 ? -double(FLT_MAX) : double(FLT_MAX);
    ASSERT_EQ(x.plug->processBlock(in, 0, out, 0, 64, k == 0 ? &changes : nullptr), kResultOk);
    for (const auto& channel : out)
      for (double y : channel)
      {
        ASSERT_TRUE(std::isfinite(y)) << "block " << k;
        atMax += std::fabs(y) == double(FLT_MAX);
      }
  }
  EXPECT_GT(atMax, 0u);   // the filters did overshoot
}
