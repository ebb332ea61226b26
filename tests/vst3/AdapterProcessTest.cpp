// Processing: setup, queued changes, buffers a host gets wrong, latency,
// MIDI and the transport.

#include "tests/vst3/AdapterFixture.h"

using namespace zqhost;
using namespace adaptertest;

TEST(Vst3AdapterProcess, SetupRefusesWhatItCannotRun)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.ok());
  ASSERT_EQ(l.plug->setup(44100.0, 64, kSample64), kResultOk);
  EXPECT_EQ(l.plug->setup(48000.0, 64, 2), kResultFalse);
  EXPECT_NE(l.plug->setup(0.0, 64, kSample64), kResultOk);
  EXPECT_NE(l.plug->setup(NAN, 64, kSample64), kResultOk);
  // A maximum below one sample, or one whose buffers cannot be had (their
  // bytes exceed what a buffer can hold), and activation after it, are refused.
  Buffers in = ramp(2, 64), out(2, std::vector<double>(64, 9.0));
  for (int32 maxBlock : {0, -1, -64, 1 << 28})
  {
    EXPECT_EQ(l.plug->setup(96000.0, maxBlock, kSample32), kResultFalse) << maxBlock;
    EXPECT_EQ(l.plug->start(), kResultFalse) << maxBlock;
    // The earlier setup still holds: 64-bit blocks of up to 64 frames.
    l.plug->sampleSize = kSample64;
    std::fill(out[1].begin(), out[1].end(), 9.0);
    ASSERT_EQ(run(*l.plug, in, out, 64), kResultOk) << maxBlock;
    EXPECT_DOUBLE_EQ(out[1][10], in[1][10] * 0.5) << maxBlock;
  }
  // A setup that succeeds lets the plug-in be activated again.
  ASSERT_EQ(l.plug->setup(44100.0, 64, kSample64), kResultOk);
  ASSERT_EQ(l.plug->start(), kResultOk);
  std::fill(out[1].begin(), out[1].end(), 9.0);
  ASSERT_EQ(run(*l.plug, in, out, 64), kResultOk);
  EXPECT_DOUBLE_EQ(out[1][10], in[1][10] * 0.5);
}

TEST(Vst3AdapterProcess, LastQueuePointOncePerBlockAndBypass)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.running(44100.0, 256));
  Buffers in = ramp(2, 256), out(2, std::vector<double>(256));

  ParameterChanges changes;
  changes.add(0, 0, 0.1);
  changes.add(0, 100, 0.9);
  ASSERT_EQ(run(*l.plug, in, out, 256, &changes), kResultOk);
  for (size_t i : {0u, 99u, 100u, 255u})
    EXPECT_NEAR(out[0][i], in[0][i] * 0.81, 1e-14) << i;   // 100 x 0.9^2 = 81

  // A queue whose points cannot be read is skipped.
  changes.clear();
  changes.add(0, 0, 0.2)->unreadable = true;
  ASSERT_EQ(run(*l.plug, in, out, 256, &changes), kResultOk);
  EXPECT_NEAR(out[0][5], in[0][5] * 0.81, 1e-14);

  struct Case { double value; bool bypassed; };
  for (Case c : {Case {0.5, false}, Case {0.51, true}, Case {0.8, true}, Case {0.0, false}})
  {
    changes.clear();
    changes.add(kBypass, 3, c.value);
    ASSERT_EQ(run(*l.plug, in, out, 256, &changes), kResultOk);
    EXPECT_EQ(l.plug->controller->getParamNormalized(kBypass), c.bypassed ? 1.0 : 0.0) << c.value;
    EXPECT_NEAR(out[1][7], c.bypassed ? in[1][7] : in[1][7] * 0.81, 1e-14) << c.value;
  }

  // setupProcessing clears the bypass.
  changes.clear();
  changes.add(kBypass, 0, 1.0);
  ASSERT_EQ(run(*l.plug, in, out, 256, &changes), kResultOk);
  ASSERT_EQ(l.plug->setup(44100.0, 256, kSample64), kResultOk);
  EXPECT_EQ(l.plug->controller->getParamNormalized(kBypass), 0.0);
}

TEST(Vst3AdapterProcess, BuffersTheHostGetsWrongAreSafe)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.running(44100.0, 64));

  // Longer than announced, in both sample sizes: processed in slices,
  // nothing written past the end of the host's buffers.
  for (int32 size : {kSample64, kSample32})
  {
    ASSERT_EQ(l.plug->setup(44100.0, 64, size), kResultOk);
    const int32 n = 64 * 3 + 17;
    Buffers in = ramp(2, n), out(2, std::vector<double>(n + 8, 7.0));
    ASSERT_EQ(run(*l.plug, in, out, n), kResultOk);
    for (int32 i : {0, 63, 64, 150, n - 1})
      EXPECT_NEAR(out[0][i], in[0][i] * 0.5, size == kSample32 ? 1e-7 : 0.0) << i;
    for (int32 i = n; i < n + 8; ++i)
      EXPECT_EQ(out[1][i], 7.0);
    EXPECT_TRUE(l.plug->guardsIntact);
  }
  ASSERT_EQ(l.plug->setup(44100.0, 64, kSample64), kResultOk);

  // Zero samples: only the parameter changes.
  {
    Buffers in = ramp(2, 64), out(2, std::vector<double>(64, 7.0));
    ParameterChanges changes;
    changes.add(0, 0, 1.0);
    ASSERT_EQ(run(*l.plug, in, out, 0, &changes), kResultOk);
    EXPECT_EQ(out[0][0], 7.0);
    EXPECT_EQ(l.plug->controller->getParamNormalized(0), 1.0);
  }

  // Null arrays and missing buses.
  auto processRaw = [&](ProcessData& d) {
    QuietStdout quiet;
    return l.plug->processor->process(d);
  };
  std::vector<double> o0(64, 7.0), o1(64, 7.0);
  double* outPtrs[2] = {o0.data(), o1.data()};
  AudioBusBuffers outBus;
  outBus.numChannels = 2;
  outBus.channelBuffers64 = outPtrs;
  AudioBusBuffers nullBus;
  nullBus.numChannels = 2;
  nullBus.channelBuffers64 = nullptr;

  ProcessData d;
  d.symbolicSampleSize = kSample64;
  d.numSamples = 64;
  d.numInputs = 1;
  d.inputs = nullptr;              // claims a bus, passes none
  d.numOutputs = 1;
  d.outputs = &outBus;
  EXPECT_EQ(processRaw(d), kResultOk);
  EXPECT_EQ(o0[10], 0.0);          // silence in, silence out

  d.inputs = &nullBus;             // a bus without channel pointers
  std::fill(o0.begin(), o0.end(), 7.0);
  EXPECT_EQ(processRaw(d), kResultOk);
  EXPECT_EQ(o0[10], 0.0);

  double* someNull[2] = {nullptr, o1.data()};
  AudioBusBuffers halfBus;
  halfBus.numChannels = 2;
  halfBus.channelBuffers64 = someNull;
  d.inputs = &halfBus;
  d.outputs = &halfBus;            // one null output channel, one real one
  EXPECT_EQ(processRaw(d), kResultOk);

  d.numOutputs = 1;
  d.outputs = &nullBus;
  EXPECT_EQ(processRaw(d), kResultOk);
  d.numOutputs = 0;
  d.outputs = nullptr;
  EXPECT_EQ(processRaw(d), kResultOk);
  d.numInputs = 0;
  d.inputs = nullptr;
  EXPECT_EQ(processRaw(d), kResultOk);

  // A block claiming another sample size than the 64-bit setup (32-bit, or
  // no size at all) is refused and nothing is written: its buffers are not
  // as large as doubles would need.
  std::vector<float> f0(64, 7.0f), f1(64, 7.0f), fi(64, 0.5f);
  float* fOut[2] = {f0.data(), f1.data()};
  float* fIn[2] = {fi.data(), fi.data()};
  AudioBusBuffers fInBus, fOutBus;
  fInBus.numChannels = 2;
  fInBus.channelBuffers32 = fIn;
  fOutBus.numChannels = 2;
  fOutBus.channelBuffers32 = fOut;
  d.numInputs = 1;
  d.inputs = &fInBus;
  d.numOutputs = 1;
  d.outputs = &fOutBus;
  for (int32 size : {int32(kSample32), int32(7), int32(-1)})
  {
    d.symbolicSampleSize = size;
    EXPECT_EQ(processRaw(d), kInvalidArgument) << size;
    EXPECT_EQ(std::count(f0.begin(), f0.end(), 7.0f), 64) << size;
    EXPECT_EQ(std::count(f1.begin(), f1.end(), 7.0f), 64) << size;
  }
}

TEST(Vst3AdapterProcess, LatencyDelaysTheBypassAndTellsTheHost)
{
  Loaded l(kSide);
  ASSERT_TRUE(l.running(44100.0, 64));
  Buffers in = ramp(5, 64), out(2, std::vector<double>(64));
  ParameterChanges changes;
  changes.add(kBypass, 0, 1.0);
  ASSERT_EQ(l.plug->processBlock(in, 0, out, 0, 64, &changes, nullptr, nullptr, {2, 3}, {}),
            kResultOk);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(out[0][i], 0.0) << i;
  EXPECT_EQ(out[0][5], in[0][0]);
  EXPECT_EQ(out[1][63], in[1][58]);

  // The plug-in changes its latency: the host is asked to restart.
  l.handler.restarts.clear();
  changes.clear();
  changes.add(2, 0, 10.0 / 64.0);
  ASSERT_EQ(l.plug->processBlock(in, 0, out, 0, 64, &changes, nullptr, nullptr, {2, 3}, {}),
            kResultOk);
  EXPECT_EQ(l.plug->processor->getLatencySamples(), 10u);
  ASSERT_EQ(l.handler.restarts.size(), 1u);
  EXPECT_EQ(l.handler.restarts[0], kLatencyChanged);
}

TEST(Vst3AdapterProcess, MidiEventsAndControllersReachThePlugin)
{
  Loaded l(kSynth);
  ASSERT_TRUE(l.running(44100.0, 32));
  Buffers none, out(6, std::vector<double>(32));
  EventList events;
  events.addNoteOn(3, 0, 64, 0.5f);
  ParameterChanges changes;
  changes.add(4 + 11, 0, 1.0);   // controller 11 at full scale
  ASSERT_EQ(run(*l.plug, none, out, 32, &changes, nullptr, &events, {2, 2, 2}), kResultOk);
  EXPECT_DOUBLE_EQ(out[0][0], 64 / 127.0);
  EXPECT_DOUBLE_EQ(out[1][0], 63 / 127.0);   // 0.5 x 127 truncated
  EXPECT_DOUBLE_EQ(out[2][0], 127 / 127.0);
  EXPECT_DOUBLE_EQ(out[3][0], 11 / 127.0);
  events.events.clear();
  events.addNoteOff(0, 0, 64);
  ASSERT_EQ(run(*l.plug, none, out, 32, nullptr, nullptr, &events, {2, 2, 2}), kResultOk);
  EXPECT_EQ(out[1][0], 0.0);
}

TEST(Vst3AdapterProcess, TransportAndOfflineQueriesFollowTheLastContext)
{
  Loaded l(kSynth, "Cubase LE AI Elements");
  ASSERT_TRUE(l.running(48000.0, 32, kSample64, kOffline));
  Buffers none, out(6, std::vector<double>(32));
  ProcessContext ctx = {};
  ctx.state = ProcessContext::kPlaying | ProcessContext::kCycleActive | ProcessContext::kTempoValid;
  ctx.sampleRate = 48000.0;
  ctx.projectTimeSamples = (int64(3) << 32) + 1234;
  ctx.projectTimeMusic = 17.5;
  ctx.barPositionMusic = 16.0;
  ctx.cycleStartMusic = 8.0;
  ctx.cycleEndMusic = 24.0;
  ctx.tempo = 133.5;
  ctx.timeSigNumerator = 7;
  ctx.timeSigDenominator = 8;
  ASSERT_EQ(run(*l.plug, none, out, 32, nullptr, &ctx, nullptr, {2, 2, 2}), kResultOk);
  const double expected[] = {133.5, double((int64(3) << 32) + 1234), 17.5, 16.0, 8.0, 24.0, 7, 8,
                             1, 1, 1, 1234, 133.5, 7, 8, 3 /* Cubase */};
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(out[4][i], expected[i]) << "field " << i;

  // Without a context the previous one holds; other state bits are not consulted.
  ctx.state = ProcessContext::kTempoValid;
  ASSERT_EQ(run(*l.plug, none, out, 32, nullptr, nullptr, nullptr, {2, 2, 2}), kResultOk);
  EXPECT_EQ(out[4][8], 1.0);
  ASSERT_EQ(run(*l.plug, none, out, 32, nullptr, &ctx, nullptr, {2, 2, 2}), kResultOk);
  EXPECT_EQ(out[4][8], 0.0);
  EXPECT_EQ(out[4][9], 0.0);
  ASSERT_EQ(l.plug->setup(48000.0, 32, kSample64, kRealtime), kResultOk);
  ASSERT_EQ(run(*l.plug, none, out, 32, nullptr, nullptr, nullptr, {2, 2, 2}), kResultOk);
  EXPECT_EQ(out[4][10], 0.0);
}
