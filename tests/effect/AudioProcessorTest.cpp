#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <new>
#include <vector>

#include "effect/AudioProcessor.h"
#include "tests/effect/TestSignal.h"

// Scratch buffers come from the aligned nothrow operator new; this test
// binary replaces it so that a chosen allocation can fail.
namespace
{
int gAllocationsUntilFailure = -1; // -1: never fail
}

void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
  if (gAllocationsUntilFailure == 0)
    return nullptr;
  if (gAllocationsUntilFailure > 0)
    --gAllocationsUntilFailure;
  try
  {
    return ::operator new(size, alignment);
  }
  catch (...)
  {
    return nullptr;
  }
}

namespace
{

using LowPass6 = Dsp::ChebyIILowPass<6, 1>;

// Records what it is handed; optionally overwrites it with a constant.
class Probe final : public AudioProcessor
{
public:
  void ProcessSamples(double* buffer, int count) override
  {
    ++mCalls;
    mSeen.assign(buffer, buffer + count);
    if (mOverwrite)
      for (int i = 0; i < count; ++i)
        buffer[i] = mValue;
  }
  void UpdateCoefficients() override { ++mUpdates; }

  int mCalls = 0;
  int mUpdates = 0;
  bool mOverwrite = false;
  double mValue = 0.0;
  std::vector<double> mSeen;
};

void Prepare(Probe& p, int factor)
{
  p.SetSampleRate(44100);
  p.ResetFilters();
  p.SetOversampling(factor);
  p.SetChannels(1);
}

// An independent pair of filters designed as the oversampler designs them.
struct Reference
{
  explicit Reference(int factor)
    : mFactor(factor)
  {
    Dsp::Params p;
    p.mOrder = 6;
    p.mSampleRate = 1.0;
    p.mCutoff = (44100 * 0.5) / (44100.0 * factor);
    p.mAttenuation = 9.0;
    mUp.SetParams(p);
    mDown.SetParams(p);
  }

  std::vector<double> Up(const std::vector<double>& in)
  {
    std::vector<double> out;
    for (double x : in)
      out.insert(out.end(), static_cast<size_t>(mFactor), x);
    mUp.ProcessBlock(static_cast<int>(out.size()), out.data(), 0);
    return out;
  }

  std::vector<double> Down(std::vector<double> in)
  {
    mDown.ProcessBlock(static_cast<int>(in.size()), in.data(), 0);
    std::vector<double> out;
    for (size_t i = 0; i < in.size(); i += static_cast<size_t>(mFactor))
      out.push_back(in[i]);
    return out;
  }

  int mFactor;
  LowPass6 mUp;
  LowPass6 mDown;
};

TEST(AudioProcessor, FactorBelowOneActsAsOne)
{
  for (int factor : {0, -3, 1, 2, 4})
  {
    Probe p;
    p.SetOversampling(factor);
    const int expected = factor < 1 ? 1 : factor;
    EXPECT_EQ(p.GetOversampling(), expected) << factor;
    EXPECT_EQ(p.mUpdates, 1) << factor;
    std::vector<double> block = TestSignal(16, 5);
    ASSERT_TRUE(p.ProcessBlock(block.data(), 16));
    EXPECT_EQ(p.mSeen.size(), static_cast<size_t>(16 * expected)) << factor;
  }
}

TEST(AudioProcessor, MixScalesWetAndDryAtFactorOne)
{
  Probe p;
  Prepare(p, 1);
  p.mOverwrite = true;
  p.mValue = 1.0;
  p.SetMix(0.25);
  const std::vector<double> in = TestSignal(32, 6);
  std::vector<double> block = in;
  ASSERT_TRUE(p.ProcessBlock(block.data(), 32));
  for (size_t i = 0; i < in.size(); ++i)
    EXPECT_EQ(block[i], 1.0 * 0.25 + in[i] * 0.75) << i;
}

// Up-sampling repeats each sample and filters; decimation keeps samples
// 0, factor, 2 x factor, ... of the filtered block. Filter memory runs on
// from block to block.
TEST(AudioProcessor, OversampledPathAndDecimationPhase)
{
  for (int factor : {2, 4})
  {
    Probe p;
    Prepare(p, factor);
    Reference ref(factor);
    for (unsigned blockIndex = 0; blockIndex < 3; ++blockIndex)
    {
      const std::vector<double> in = TestSignal(24, 10 + blockIndex);
      const std::vector<double> up = ref.Up(in);
      const std::vector<double> down = ref.Down(up);
      std::vector<double> block = in;
      ASSERT_TRUE(p.ProcessBlock(block.data(), 24));
      ASSERT_EQ(p.mSeen, up) << "factor " << factor << " block " << blockIndex;
      ASSERT_EQ(block, down) << "factor " << factor << " block " << blockIndex;
    }
  }
}

TEST(AudioProcessor, DryAtFactorFourPassesBothFilters)
{
  Probe p;
  Prepare(p, 4);
  p.mOverwrite = true;
  p.mValue = 1000.0;
  p.SetMix(0.0);
  Reference ref(4);
  const std::vector<double> in = TestSignal(64, 20);
  std::vector<double> block = in;
  ASSERT_TRUE(p.ProcessBlock(block.data(), 64));
  EXPECT_EQ(block, ref.Down(ref.Up(in)));
  EXPECT_NE(block, in);
}

TEST(AudioProcessor, ResetFiltersKeepsTheirMemory)
{
  Probe a;
  Probe b;
  Prepare(a, 4);
  Prepare(b, 4);
  std::vector<double> first = TestSignal(32, 30);
  std::vector<double> firstCopy = first;
  ASSERT_TRUE(a.ProcessBlock(first.data(), 32));
  ASSERT_TRUE(b.ProcessBlock(firstCopy.data(), 32));
  a.ResetFilters();
  std::vector<double> second = TestSignal(32, 31);
  std::vector<double> secondCopy = second;
  ASSERT_TRUE(a.ProcessBlock(second.data(), 32));
  ASSERT_TRUE(b.ProcessBlock(secondCopy.data(), 32));
  EXPECT_EQ(second, secondCopy);
}

struct FailureCase
{
  int factor;
  int allocationsBeforeFailure;
};

class ScratchFailure : public ::testing::TestWithParam<FailureCase>
{
};

// A block that gets no scratch memory passes through unchanged, and leaves
// no trace in the filters: the next block matches a processor that never
// saw the failed one.
TEST_P(ScratchFailure, LeavesTheBlockAndFiltersUntouched)
{
  const FailureCase c = GetParam();
  Probe failing;
  Probe twin;
  Prepare(failing, c.factor);
  Prepare(twin, c.factor);
  failing.mOverwrite = twin.mOverwrite = true;
  failing.mValue = twin.mValue = 0.5;

  const std::vector<double> in = TestSignal(48, 40);
  std::vector<double> block = in;
  gAllocationsUntilFailure = c.allocationsBeforeFailure;
  const bool processed = failing.ProcessBlock(block.data(), 48);
  gAllocationsUntilFailure = -1;
  EXPECT_FALSE(processed);
  EXPECT_EQ(block, in);
  EXPECT_EQ(failing.mCalls, 0);

  std::vector<double> next = TestSignal(48, 41);
  std::vector<double> nextTwin = next;
  ASSERT_TRUE(failing.ProcessBlock(next.data(), 48));
  ASSERT_TRUE(twin.ProcessBlock(nextTwin.data(), 48));
  EXPECT_EQ(next, nextTwin);
}

INSTANTIATE_TEST_SUITE_P(Allocations, ScratchFailure,
                         ::testing::Values(FailureCase{1, 0}, FailureCase{4, 0}, FailureCase{4, 1}));

TEST(AudioProcessor, OversizedBlockIsLeftUnprocessed)
{
  // A channel count whose value count cannot be held is refused before any
  // allocation or copy.
  Probe p;
  Prepare(p, 4);
  p.SetChannels(INT_MAX);
  std::vector<double> block = TestSignal(8, 50);
  const std::vector<double> in = block;
  EXPECT_FALSE(p.ProcessBlock(block.data(), 8));
  EXPECT_EQ(block, in);
  EXPECT_EQ(p.mCalls, 0);
}

TEST(AudioProcessor, EmptyBlockDoesNothing)
{
  Probe p;
  Prepare(p, 4);
  double x = 0.25;
  EXPECT_TRUE(p.ProcessBlock(&x, 0));
  EXPECT_EQ(x, 0.25);
  EXPECT_EQ(p.mCalls, 0);
}

} // namespace
