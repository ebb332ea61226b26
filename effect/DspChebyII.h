#pragma once

// Chebyshev type II (inverse Chebyshev) low-pass: analog prototype, bilinear
// low-pass transform and placement into a cascade, normalised to unit gain
// at DC.

#include <complex>

#include "effect/DspCascade.h"

namespace Dsp
{

// Design parameters; the cutoff uses the unit of the sample rate.
struct Params
{
  int mOrder;
  double mSampleRate;
  double mCutoff;
  double mAttenuation; // stop-band attenuation in dB
};

// Poles and zeros of a design over caller-owned arrays. Designs write the
// same count into both lists.
class Layout
{
public:
  Layout(const Layout&) = delete;
  Layout& operator=(const Layout&) = delete;

  int GetMaxCount() const { return mMaxCount; }
  int GetNumPoles() const { return mNumPoles; }
  int GetNumZeros() const { return mNumZeros; }
  const std::complex<double>& GetPole(int i) const { return mPoles[i]; }
  const std::complex<double>& GetZero(int i) const { return mZeros[i]; }
  double GetNormalW() const { return mNormalW; }
  double GetNormalGain() const { return mNormalGain; }

  // Counts are limited to the storage.
  void SetCount(int count);
  void SetPole(int i, const std::complex<double>& p) { mPoles[i] = p; }
  void SetZero(int i, const std::complex<double>& z) { mZeros[i] = z; }
  void SetNormal(double w, double gain)
  {
    mNormalW = w;
    mNormalGain = gain;
  }

protected:
  Layout(std::complex<double>* poles, std::complex<double>* zeros, int maxCount);
  ~Layout() = default;

private:
  int mMaxCount;
  int mNumPoles;
  int mNumZeros;
  std::complex<double>* mPoles;
  std::complex<double>* mZeros;
  double mNormalW;
  double mNormalGain;
};

template <int MaxCount>
struct LayoutStorage
{
  std::complex<double> mPoleStore[MaxCount];
  std::complex<double> mZeroStore[MaxCount];
};

template <int MaxCount>
class LayoutSpace : private LayoutStorage<MaxCount>, public Layout
{
public:
  LayoutSpace()
    : Layout(this->mPoleStore, this->mZeroStore, MaxCount)
  {
  }
};

struct ChebyII
{
  // Analog low-pass prototype of order n with a stop band attenuation dB down.
  static void DesignAnalogLowPass(Layout& analog, int n, double attenuation);
};

// Bilinear transform of an analog low-pass layout to cutoff f (the cutoff
// divided by the sample rate).
void LowPassTransform(double f, const Layout& analog, Layout& digital);

struct LowPass
{
  template <class Design>
  static void DesignAnalog(Layout& analog, const Params& params)
  {
    Design::DesignAnalogLowPass(analog, params.mOrder, params.mAttenuation);
  }

  static void Transform(double f, const Layout& analog, Layout& digital)
  {
    LowPassTransform(f, analog, digital);
  }
};

// A filter designed from a pole/zero layout into its cascade.
class PoleFilter : public CascadeFilter
{
public:
  virtual void SetParams(const Params& params) = 0;

protected:
  using CascadeFilter::CascadeFilter;
  ~PoleFilter() = default;
};

template <class Design, class Type, int MaxOrder, int Channels>
class PoleFilterSpace : private CascadeStorage<(MaxOrder + 1) / 2, Channels>, public PoleFilter
{
public:
  // Stages start with all coefficients zero: silence until a design runs.
  PoleFilterSpace()
    : PoleFilter(this->mStageStore, (MaxOrder + 1) / 2, this->mMemoryStore, Channels)
  {
  }

  void SetParams(const Params& params) override
  {
    Type::template DesignAnalog<Design>(mAnalog, params);
    Type::Transform(params.mCutoff / params.mSampleRate, mAnalog, mDigital);
    ApplyLayout(mDigital);
  }

private:
  LayoutSpace<MaxOrder> mAnalog;
  LayoutSpace<MaxOrder> mDigital;
};

template <int MaxOrder, int Channels>
class ChebyIILowPass : public PoleFilterSpace<ChebyII, LowPass, MaxOrder, Channels>
{
};

} // namespace Dsp
