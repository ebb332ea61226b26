#include <atomic>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestPlug.h"

#ifdef ZQ_ALLOCATION_SEAM
// The test binary links with malloc and realloc wrapped: large allocations
// can be made to fail after a given number have succeeded.
namespace test_seam {
std::atomic<int> gLargeAllowed {-1};   // -1: every allocation is served
const size_t kLarge = 64 * 1024;

void AllowLargeAllocations(int n) { gLargeAllowed = n; }

bool Refuse(size_t bytes)
{
  if (bytes < kLarge) return false;
  int allowed = gLargeAllowed.load();
  while (allowed > 0 && !gLargeAllowed.compare_exchange_weak(allowed, allowed - 1)) {}
  return allowed == 0;
}
} // namespace test_seam

extern "C" void* __real_malloc(size_t);
extern "C" void* __real_realloc(void*, size_t);
extern "C" void* __wrap_malloc(size_t bytes)
{
  return test_seam::Refuse(bytes) ? nullptr : __real_malloc(bytes);
}
extern "C" void* __wrap_realloc(void* p, size_t bytes)
{
  return test_seam::Refuse(bytes) ? nullptr : __real_realloc(p, bytes);
}
#endif

namespace {

// Host-side channel buffers of one block.
template <class T>
struct HostBuffers
{
  HostBuffers(int nChannels, int nFrames, T fill = T(0))
    : data(size_t(nChannels), std::vector<T>(size_t(nFrames), fill))
  {
    for (auto& channel : data) pointers.push_back(channel.data());
  }
  T* const* Ptrs() { return pointers.data(); }
  std::vector<std::vector<T>> data;
  std::vector<T*> pointers;
};

// Input channel c at frame f; distinct per channel and frame.
double Signal(int c, int f) { return (c + 1) * 0.001 * f - c * 0.25; }

template <class T>
void FillSignal(HostBuffers<T>& buffers, int startFrame = 0)
{
  for (size_t c = 0; c < buffers.data.size(); ++c)
    for (size_t f = 0; f < buffers.data[c].size(); ++f)
      buffers.data[c][f] = T(Signal(int(c), int(f) + startFrame));
}

// The plug-in doubles every input into its output.
void Gain2(TestPlug& plug)
{
  plug.process = [&plug](double** in, double** out, int n) {
    for (int c = 0; c < plug.NOutChannels(); ++c)
      for (int f = 0; f < n; ++f) out[c][f] = 2.0 * in[c][f];
  };
}

TEST(Routing, UnconnectedInputReadsSilence)
{
  TestPlug plug;
  plug.SetBlockSize(64);
  HostBuffers<double> in(1, 64, 0.5), out(2, 64, 9.0);
  plug.ConnectInputChannels(0, 1, true);
  plug.ConnectInputChannels(1, 1, false);
  plug.ConnectOutputChannels(0, 2, true);
  plug.AttachInputBuffersDouble(0, 2, in.Ptrs());
  plug.AttachOutputBuffersDouble(0, 2, out.Ptrs());

  bool checked = false;
  plug.process = [&](double** inputs, double** outputs, int n) {
    EXPECT_EQ(inputs[0], in.pointers[0]); // host double buffers are used in place
    EXPECT_EQ(inputs[1], plug.In(1)->ScratchData());
    EXPECT_EQ(outputs[1], out.pointers[1]);
    for (int f = 0; f < n; ++f) EXPECT_EQ(inputs[1][f], 0.0);
    checked = true;
  };
  plug.ProcessBuffersDouble(64);
  EXPECT_TRUE(checked);
  EXPECT_EQ(plug.processedFrames, std::vector<int>{64});
}

// Samples converted from a float host must not sound again once the host
// stops supplying that channel.
TEST(Routing, DisconnectedInputReadsSilenceAfterFloatBlocks)
{
  TestPlug plug;
  plug.SetBlockSize(16);
  Gain2(plug);
  plug.ConnectInputChannels(0, 2, true);
  plug.ConnectOutputChannels(0, 2, true);
  HostBuffers<float> in(2, 16, 0.5f), out(2, 16);
  plug.AttachInputBuffersFloat(0, 2, in.Ptrs(), 16);
  plug.AttachOutputBuffersFloat(0, 2, out.Ptrs());
  plug.ProcessBuffersFloat(16);
  ASSERT_EQ(out.data[1], std::vector<float>(16, 1.0f));

  for (bool asFloat : {true, false})
  {
    SCOPED_TRACE(asFloat ? "float" : "double");
    HostBuffers<double> inD(1, 16, 0.5), outD(2, 16);
    plug.ConnectInputChannels(0, 1, true);
    plug.ConnectInputChannels(1, 1, false);
    if (asFloat)
    {
      plug.AttachInputBuffersFloat(0, 2, in.Ptrs(), 16);
      plug.AttachOutputBuffersFloat(0, 2, out.Ptrs());
      plug.ProcessBuffersFloat(16);
      EXPECT_EQ(out.data[0], std::vector<float>(16, 1.0f));
      EXPECT_EQ(out.data[1], std::vector<float>(16, 0.0f));
    }
    else
    {
      plug.AttachInputBuffersDouble(0, 2, inD.Ptrs());
      plug.AttachOutputBuffersDouble(0, 2, outD.Ptrs());
      plug.ProcessBuffersDouble(16);
      EXPECT_EQ(outD.data[0], std::vector<double>(16, 1.0));
      EXPECT_EQ(outD.data[1], std::vector<double>(16, 0.0));
    }
    // Reconnect and fill the scratch again for the next round.
    plug.ConnectInputChannels(0, 2, true);
    plug.AttachInputBuffersFloat(0, 2, in.Ptrs(), 16);
    plug.AttachOutputBuffersFloat(0, 2, out.Ptrs());
    plug.ProcessBuffersFloat(16);
  }
}

TEST(Routing, FloatHostStereoConvertsBothWays)
{
  TestPlug plug;
  plug.SetBlockSize(32);
  Gain2(plug);
  plug.ConnectInputChannels(0, 2, true);
  plug.ConnectOutputChannels(0, 2, true);

  HostBuffers<float> in(2, 32), out(2, 32, -1.0f);
  FillSignal(in);
  ::testing::internal::CaptureStdout();
  plug.AttachInputBuffersFloat(0, 2, in.Ptrs(), 32);
  const std::string printed = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(printed, "attaching channel 0 ...done\nattaching channel 1 ...done\n");

  plug.AttachOutputBuffersFloat(0, 2, out.Ptrs());
  plug.ProcessBuffersFloat(32);
  for (int c = 0; c < 2; ++c)
    for (int f = 0; f < 32; ++f)
      ASSERT_EQ(out.data[size_t(c)][size_t(f)], float(2.0 * double(in.data[size_t(c)][size_t(f)])))
        << c << "/" << f;
}

TEST(Routing, FloatAttachPrintsForUnconnectedChannelsToo)
{
  TestPlug plug;
  plug.SetBlockSize(8);
  plug.ConnectInputChannels(0, 1, true);
  HostBuffers<float> in(1, 8, 0.25f);
  ::testing::internal::CaptureStdout();
  plug.AttachInputBuffersFloat(0, 5, in.Ptrs(), 8); // clamped to the two channels
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "attaching channel 0 ...done\nattaching channel 1 ...done\n");
  EXPECT_EQ(plug.In(0)->ScratchData()[7], 0.25);
}

TEST(Routing, UnconnectedOutputLeavesHostBufferAlone)
{
  TestPlug plug;
  plug.SetBlockSize(16);
  Gain2(plug);
  plug.ConnectInputChannels(0, 2, true);
  plug.ConnectOutputChannels(0, 1, true);
  plug.ConnectOutputChannels(1, 1, false);
  HostBuffers<float> in(2, 16, 1.0f), out(2, 16, 7.0f);
  plug.AttachInputBuffersFloat(0, 2, in.Ptrs(), 16);
  plug.AttachOutputBuffersFloat(0, 2, out.Ptrs()); // channel 0 takes host buffer 0
  plug.ProcessBuffersFloat(16);
  EXPECT_EQ(out.data[0], std::vector<float>(16, 2.0f));
  EXPECT_EQ(out.data[1], std::vector<float>(16, 7.0f));
  EXPECT_EQ(plug.Out(1)->ScratchData()[15], 2.0); // the plug-in wrote its scratch
}

TEST(Routing, BasePassThroughCopiesAndZeroesExtraOutputs)
{
  struct { const char* io; int nIn, nOut; } layouts[] = {{"1-2", 1, 2}, {"2-1", 2, 1}, {"2-2", 2, 2}};
  for (const auto& layout : layouts)
  {
    SCOPED_TRACE(layout.io);
    TestPlug plug(0, layout.io, 0);
    plug.SetBlockSize(10);
    plug.ConnectInputChannels(0, layout.nIn, true);
    plug.ConnectOutputChannels(0, layout.nOut, true);
    HostBuffers<double> in(layout.nIn, 10), out(layout.nOut, 10, 5.0);
    FillSignal(in);
    plug.AttachInputBuffersDouble(0, layout.nIn, in.Ptrs());
    plug.AttachOutputBuffersDouble(0, layout.nOut, out.Ptrs());
    plug.PassThroughDouble(10);
    EXPECT_TRUE(plug.processedFrames.empty()); // never the plug-in's processing
    for (int c = 0; c < layout.nOut; ++c)
      for (int f = 0; f < 10; ++f)
        EXPECT_EQ(out.data[size_t(c)][size_t(f)], c < layout.nIn ? Signal(c, f) : 0.0);
  }
}

// Feeds `blocks` blocks of `blockFrames` through bypass with the given
// latency and checks output = input delayed by exactly that many frames.
void CheckDelayedPassThrough(int latency, int blockFrames, int blocks, bool inPlace, bool asFloat)
{
  TestPlug plug(0, "2-2", 0, latency);
  plug.CreateLatencyDelayLine();
  plug.SetBlockSize(blockFrames);
  plug.ConnectInputChannels(0, 2, true);
  plug.ConnectOutputChannels(0, 2, true);
  for (int b = 0; b < blocks; ++b)
  {
    const int start = b * blockFrames;
    HostBuffers<double> in(2, blockFrames), separateOut(2, blockFrames, 3.0);
    HostBuffers<float> inF(2, blockFrames), outF(2, blockFrames, 3.0f);
    FillSignal(in, start);
    FillSignal(inF, start);
    HostBuffers<double>& out = inPlace ? in : separateOut;
    if (asFloat)
    {
      plug.AttachInputBuffersFloat(0, 2, inF.Ptrs(), blockFrames);
      plug.AttachOutputBuffersFloat(0, 2, (inPlace ? inF : outF).Ptrs());
      plug.PassThroughFloat(blockFrames);
    }
    else
    {
      plug.AttachInputBuffersDouble(0, 2, in.Ptrs());
      plug.AttachOutputBuffersDouble(0, 2, out.Ptrs());
      plug.PassThroughDouble(blockFrames);
    }
    for (int c = 0; c < 2; ++c)
      for (int f = 0; f < blockFrames; ++f)
      {
        const int t = start + f - latency;
        const double expected = t < 0 ? 0.0 : Signal(c, t);
        const double got = asFloat ? double((inPlace ? inF : outF).data[size_t(c)][size_t(f)])
                                   : out.data[size_t(c)][size_t(f)];
        if (asFloat)
          ASSERT_EQ(got, double(float(expected))) << "latency " << latency << " frame " << start + f;
        else
          ASSERT_EQ(got, expected) << "latency " << latency << " frame " << start + f;
      }
  }
}

TEST(Routing, PassThroughDelaysByTheLatency)
{
  for (int latency : {0, 1, 3, 7, 64, 100})
  {
    SCOPED_TRACE(latency);
    CheckDelayedPassThrough(latency, 64, 5, false, false);
    CheckDelayedPassThrough(latency, 64, 5, true, false); // host processes in place
    CheckDelayedPassThrough(latency, 48, 4, false, true);
  }
}

// The delay line carries only channels present on both sides; an output
// without an input is silent in bypass, not the plug-in's last block again.
TEST(Routing, DelayedPassThroughSilencesOutputsWithoutInput)
{
  TestPlug plug(0, "1-2", 0, 3);
  plug.CreateLatencyDelayLine();
  plug.SetBlockSize(8);
  plug.ConnectInputChannels(0, 1, true);
  plug.ConnectOutputChannels(0, 2, true);
  HostBuffers<float> in(1, 8, 1.0f), out(2, 8, 9.0f);
  plug.process = [](double**, double** outputs, int n) {
    for (int f = 0; f < n; ++f) outputs[1][f] = 5.0;
  };
  plug.AttachInputBuffersFloat(0, 1, in.Ptrs(), 8);
  plug.AttachOutputBuffersFloat(0, 2, out.Ptrs());
  plug.ProcessBuffersFloat(8);
  plug.PassThroughFloat(8);
  EXPECT_EQ(out.data[0], (std::vector<float>{0, 0, 0, 1, 1, 1, 1, 1}));
  EXPECT_EQ(out.data[1], std::vector<float>(8, 0.0f));
}

TEST(Routing, LatencyChangeRestartsTheDelayLine)
{
  TestPlug plug(0, "1-1", 0, 4);
  plug.CreateLatencyDelayLine();
  plug.SetBlockSize(8);
  plug.ConnectInputChannels(0, 1, true);
  plug.ConnectOutputChannels(0, 1, true);
  HostBuffers<double> in(1, 8, 1.0), out(1, 8);
  plug.AttachInputBuffersDouble(0, 1, in.Ptrs());
  plug.AttachOutputBuffersDouble(0, 1, out.Ptrs());
  plug.PassThroughDouble(8);
  plug.SetLatencySamples(3);
  EXPECT_EQ(plug.GetLatency(), 3);
  plug.PassThroughDouble(8);
  EXPECT_EQ(out.data[0], (std::vector<double>{0, 0, 0, 1, 1, 1, 1, 1}));
}

TEST(Routing, SetBlockSizeWithTheCurrentSizeKeepsContents)
{
  TestPlug plug;
  plug.SetBlockSize(16);
  plug.Out(0)->ScratchData()[5] = 42.0;
  plug.SetBlockSize(16);
  EXPECT_EQ(plug.Out(0)->ScratchData()[5], 42.0);
  plug.SetBlockSize(32);
  EXPECT_EQ(plug.GetBlockSize(), 32);
  for (int f = 0; f < 32; ++f) ASSERT_EQ(plug.Out(0)->ScratchData()[f], 0.0);

  // A size whose buffers cannot be had keeps the previous size and buffers.
  plug.Out(0)->ScratchData()[7] = 3.0;
  EXPECT_FALSE(plug.SetBlockSize(1 << 28));
  EXPECT_FALSE(plug.SetBlockSize(0x7FFFFFFF));
  EXPECT_EQ(plug.GetBlockSize(), 32);
  EXPECT_EQ(plug.Out(1)->mScratch.GetSize(), 32 * int(sizeof(double)));
  EXPECT_EQ(plug.Out(0)->ScratchData()[7], 3.0);
  EXPECT_TRUE(plug.SetBlockSize(32));

  plug.Out(1)->ScratchData()[1] = 1.0;
  plug.In(0)->ScratchData()[2] = 1.0;
  plug.ClearChannelScratch();
  EXPECT_EQ(plug.Out(1)->ScratchData()[1], 0.0);
  EXPECT_EQ(plug.In(0)->ScratchData()[2], 0.0);
}

TEST(Routing, UnconnectedSlotsFollowResizedScratch)
{
  TestPlug plug;
  plug.SetBlockSize(8);
  plug.SetBlockSize(100000); // storage moves
  double* seen = nullptr;
  plug.process = [&](double** in, double**, int) { seen = in[1]; };
  plug.ProcessBuffersDouble(100000);
  EXPECT_EQ(seen, plug.In(1)->ScratchData());
}

// A host block longer than the announced maximum is processed in slices of
// at most the block size, so no scratch buffer is overrun.
TEST(Routing, LongBlockIsProcessedInSlices)
{
  for (bool asFloat : {false, true})
  {
    SCOPED_TRACE(asFloat ? "float" : "double");
    TestPlug plug;
    plug.SetBlockSize(64);
    Gain2(plug);
    plug.ConnectInputChannels(0, 2, true);
    plug.ConnectOutputChannels(0, 2, true);
    const int n = 200;
    HostBuffers<double> in(2, n), out(2, n, 9.0);
    HostBuffers<float> inF(2, n), outF(2, n, 9.0f);
    FillSignal(in);
    FillSignal(inF);
    if (asFloat)
    {
      plug.AttachInputBuffersFloat(0, 2, inF.Ptrs(), n);
      plug.AttachOutputBuffersFloat(0, 2, outF.Ptrs());
      plug.ProcessBuffersFloat(n);
    }
    else
    {
      plug.AttachInputBuffersDouble(0, 2, in.Ptrs());
      plug.AttachOutputBuffersDouble(0, 2, out.Ptrs());
      plug.ProcessBuffersDouble(n);
    }
    EXPECT_EQ(plug.processedFrames, (std::vector<int>{64, 64, 64, 8}));
    for (int c = 0; c < 2; ++c)
      for (int f = 0; f < n; ++f)
      {
        if (asFloat)
          ASSERT_EQ(outF.data[size_t(c)][size_t(f)], float(2.0 * double(inF.data[size_t(c)][size_t(f)])))
            << c << "/" << f;
        else
          ASSERT_EQ(out.data[size_t(c)][size_t(f)], 2.0 * in.data[size_t(c)][size_t(f)]) << c << "/" << f;
      }

    // The next ordinary block sees the host buffers from their start again.
    plug.processedFrames.clear();
    if (asFloat)
      plug.ProcessBuffersFloat(64);
    else
    {
      plug.process = [&](double** inputs, double** outputs, int) {
        EXPECT_EQ(inputs[0], in.pointers[0]);
        EXPECT_EQ(outputs[1], out.pointers[1]);
      };
      plug.ProcessBuffersDouble(64);
    }
    EXPECT_EQ(plug.processedFrames, std::vector<int>{64});
  }
}

TEST(Routing, LongBlockWithUnconnectedChannelsAndBypass)
{
  TestPlug plug(0, "2-2", 0, 5);
  plug.CreateLatencyDelayLine();
  plug.SetBlockSize(16);
  plug.ConnectInputChannels(0, 1, true);
  plug.ConnectInputChannels(1, 1, false);
  plug.ConnectOutputChannels(0, 1, true);
  plug.ConnectOutputChannels(1, 1, false);
  const int n = 50;
  HostBuffers<float> in(1, n), out(1, n, 9.0f);
  FillSignal(in);
  plug.AttachInputBuffersFloat(0, 2, in.Ptrs(), n);
  plug.AttachOutputBuffersFloat(0, 2, out.Ptrs());
  plug.PassThroughFloat(n);
  for (int f = 0; f < n; ++f)
    ASSERT_EQ(out.data[0][size_t(f)], f < 5 ? 0.0f : in.data[0][size_t(f - 5)]) << f;
}

TEST(Routing, BlockBeforeBlockSizeIsSilent)
{
  TestPlug plug;
  Gain2(plug);
  plug.ConnectInputChannels(0, 2, true);
  plug.ConnectOutputChannels(0, 2, true);
  HostBuffers<float> in(2, 32, 1.0f), out(2, 32, 9.0f);
  HostBuffers<double> inD(2, 32, 1.0), outD(2, 32, 9.0);

  plug.AttachInputBuffersFloat(0, 2, in.Ptrs(), 32);
  plug.AttachOutputBuffersFloat(0, 2, out.Ptrs());
  plug.ProcessBuffersFloat(32);
  plug.PassThroughFloat(32);
  EXPECT_EQ(out.data[0], std::vector<float>(32, 0.0f));
  EXPECT_EQ(out.data[1], std::vector<float>(32, 0.0f));

  plug.AttachInputBuffersDouble(0, 2, inD.Ptrs());
  plug.AttachOutputBuffersDouble(0, 2, outD.Ptrs());
  plug.ProcessBuffersDouble(32);
  EXPECT_EQ(outD.data[1], std::vector<double>(32, 0.0));
  EXPECT_TRUE(plug.processedFrames.empty());
}

TEST(Routing, NullHostBuffersAreNotFollowed)
{
  TestPlug plug;
  plug.SetBlockSize(8);
  Gain2(plug);
  plug.ConnectInputChannels(0, 2, true);
  plug.ConnectOutputChannels(0, 2, true);
  float* noFloat[2] = {nullptr, nullptr};
  double* noDouble[2] = {nullptr, nullptr};
  plug.AttachInputBuffersFloat(0, 2, noFloat, 8);
  plug.AttachOutputBuffersFloat(0, 2, noFloat);
  plug.ProcessBuffersFloat(8);
  plug.AttachInputBuffersDouble(0, 2, nullptr);
  plug.AttachOutputBuffersDouble(0, 2, noDouble);
  plug.ProcessBuffersDouble(8);
  EXPECT_EQ(plug.processedFrames, (std::vector<int>{8, 8}));
  EXPECT_EQ(plug.Out(0)->ScratchData()[0], 0.0);
}

// A finite double beyond the float range saturates at the largest float, in
// the replacing and the adding conversion; every other value converts as it
// is. Eleven values: the four-per-step loop and its tail.
TEST(Routing, FloatOutputSaturatesFiniteValuesBeyondTheFloatRange)
{
  const double inf = std::numeric_limits<double>::infinity();
  const float infF = std::numeric_limits<float>::infinity();
  const double fmax = FLT_MAX;
  struct Case
  {
    double out;
    float expected;
  };
  const std::vector<Case> cases = {
    {1e39, FLT_MAX},  {-1e39, -FLT_MAX}, {DBL_MAX, FLT_MAX},  {-DBL_MAX, -FLT_MAX},
    {fmax, FLT_MAX},  {-fmax, -FLT_MAX}, {std::nextafter(fmax, inf), FLT_MAX},
    {0.1, 0.1f},      {-1e-40, float(-1e-40)}, {inf, infF}, {-inf, -infF},
  };
  const int n = int(cases.size());
  for (bool add : {false, true})
  {
    SCOPED_TRACE(add ? "adding" : "replacing");
    TestPlug plug;
    plug.SetBlockSize(n);
    plug.process = [&](double**, double** out, int frames) {
      for (int f = 0; f < frames; ++f) out[0][f] = out[1][f] = cases[size_t(f)].out;
    };
    plug.ConnectOutputChannels(0, 2, true);
    HostBuffers<float> in(2, n), out(2, n);
    plug.AttachInputBuffersFloat(0, 2, in.Ptrs(), n);
    plug.AttachOutputBuffersFloat(0, 2, out.Ptrs());
    if (add)
      plug.ProcessBuffersAccumulating(n);
    else
      plug.ProcessBuffersFloat(n);
    for (int c = 0; c < 2; ++c)
      for (int f = 0; f < n; ++f)
        EXPECT_EQ(out.data[size_t(c)][size_t(f)], cases[size_t(f)].expected) << c << " " << cases[size_t(f)].out;
  }
}

#ifdef ZQ_ALLOCATION_SEAM
// Growing scratch buffers one by one, one fails: every buffer keeps its size
// and contents, every slot points at its channel's buffer again, and a host
// buffer attached before stays attached.
TEST(Routing, ABlockSizeRefusedPartWayRestoresEveryBuffer)
{
  const int kOld = 16, kNew = 100000;
  for (int grown = 0; grown < 4; ++grown)
  {
    SCOPED_TRACE(grown);
    TestPlug plug;
    ASSERT_TRUE(plug.SetBlockSize(kOld));
    plug.ConnectInputChannels(0, 2, true);
    plug.ConnectInputChannels(1, 1, false);
    plug.ConnectOutputChannels(0, 2, false);
    HostBuffers<double> host(1, kOld);
    plug.AttachInputBuffersDouble(0, 1, host.Ptrs());
    auto scratch = [&](int i) { return i < 2 ? plug.In(i)->ScratchData() : plug.Out(i - 2)->ScratchData(); };
    auto slot = [&](int i) { return i < 2 ? *plug.In(i)->mSlot : *plug.Out(i - 2)->mSlot; };
    for (int i = 0; i < 4; ++i)
      for (int f = 0; f < kOld; ++f) scratch(i)[f] = i * 100 + f;

    test_seam::AllowLargeAllocations(grown);
    EXPECT_FALSE(plug.SetBlockSize(kNew));
    test_seam::AllowLargeAllocations(-1);

    EXPECT_EQ(plug.GetBlockSize(), kOld);
    for (int i = 0; i < 4; ++i)
    {
      const HeapBuffer& buffer = i < 2 ? plug.In(i)->mScratch : plug.Out(i - 2)->mScratch;
      EXPECT_EQ(buffer.GetSize(), kOld * int(sizeof(double))) << i;
      for (int f = 0; f < kOld; ++f) ASSERT_EQ(scratch(i)[f], i * 100 + f) << i << " " << f;
      EXPECT_EQ(slot(i), i == 0 ? host.data[0].data() : scratch(i)) << i;
    }
    EXPECT_TRUE(plug.SetBlockSize(kNew));
    EXPECT_EQ(slot(1), scratch(1));
  }
}
#endif

} // namespace
