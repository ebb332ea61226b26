#pragma once

// Cascades of second-order sections in direct form II, and the one-stage
// low-pass design used by the engine's drive filter.

#include <complex>

namespace Dsp
{

class Layout;

// One second-order section. The feedback pair is stored with the sign under
// which it is added (c1 = -a1/a0, c2 = -a2/a0); the feed-forward triple is
// already divided by a0.
struct Stage
{
  double mC1;
  double mC2;
  double mB0;
  double mB1;
  double mB2;

  void SetIdentity()
  {
    mC1 = 0.0;
    mC2 = 0.0;
    mB0 = 1.0;
    mB1 = 0.0;
    mB2 = 0.0;
  }
};

// The two previous internal values of one stage for one channel.
struct StageMemory
{
  double mW1;
  double mW2;

  double Process(const Stage& s, double x)
  {
    // The tiny offset keeps the recursion out of denormal numbers.
    const double w = ((s.mC1 * mW1 + x) + s.mC2 * mW2) + 1e-25;
    const double y = (s.mB0 * w + s.mB1 * mW1) + s.mB2 * mW2;
    mW2 = mW1;
    mW1 = w;
    return y;
  }
};

// A view over caller-owned stage and memory arrays. The memory is
// channel-major: all stages of channel 0, then of channel 1, ...
class Cascade
{
public:
  Cascade(const Cascade&) = delete;
  Cascade& operator=(const Cascade&) = delete;

  int GetNumStages() const { return mNumStages; }
  int GetNumChannels() const { return mNumChannels; }
  Stage& GetStage(int i) { return mStages[i]; }
  const Stage& GetStage(int i) const { return mStages[i]; }

  // Every stage in use becomes the identity stage; the memory is untouched.
  void ResetState();

  // Every memory value of every stage and channel.
  bool MemoryIsFinite() const;
  void ClearMemory();

  // Places the layout's poles and zeros into stages and scales stage 0 so
  // that the cascade has the layout's normal gain at its normal frequency.
  void ApplyLayout(const Layout& layout);

  // Complex response at w radians per sample.
  std::complex<double> ResponseAt(double w) const;

  // Filters interleaved samples in place; after each frame the pointer
  // skips step further samples.
  void ProcessBlock(int numFrames, double* buffer, int step);

  // One sample of channel 0 through every stage.
  double ProcessSample(double x)
  {
    for (int i = 0; i < mNumStages; ++i)
      x = mMemory[i].Process(mStages[i], x);
    return x;
  }

protected:
  // The arrays belong to the derived class; they must hold maxStages stages
  // and maxStages x numChannels memories. Stages start at all zero.
  Cascade(Stage* stages, int maxStages, StageMemory* memory, int numChannels);
  ~Cascade() = default;

private:
  int mNumStages;
  int mMaxStages;
  Stage* mStages;
  int mNumChannels;
  StageMemory* mMemory;
};

// A filter that runs through a cascade; designs derive from it.
class CascadeFilter : public Cascade
{
protected:
  CascadeFilter(Stage* stages, int maxStages, StageMemory* memory, int numChannels)
    : Cascade(stages, maxStages, memory, numChannels)
  {
  }
  ~CascadeFilter() = default;
};

template <int MaxStages, int Channels>
struct CascadeStorage
{
  static_assert(MaxStages > 0 && Channels > 0, "a cascade needs stages and channels");
  Stage mStageStore[MaxStages] = {};
  StageMemory mMemoryStore[MaxStages * Channels] = {};
};

// A cascade together with its storage.
template <int MaxStages, int Channels>
class CascadeSpace : private CascadeStorage<MaxStages, Channels>, public Cascade
{
public:
  CascadeSpace()
    : Cascade(this->mStageStore, MaxStages, this->mMemoryStore, Channels)
  {
  }
};

// Designs a second-order low-pass into one stage; f is the cutoff divided by
// the sample rate.
void SetBiquadLowPass(Stage& stage, double f, double q);

} // namespace Dsp
