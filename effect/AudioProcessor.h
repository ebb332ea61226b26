#pragma once

// Block-level base of a per-channel effect engine: integer oversampling
// through two Chebyshev-II low-passes, the dry/wet mix at the high rate,
// and the sample rate, factor and channel bookkeeping. The derived class
// supplies the per-sample work and its coefficients.

#include <cstdint>

#include "effect/DspChebyII.h"

class AudioProcessor
{
public:
  AudioProcessor();

  // A factor below 1 acts as 1. Designs both filters for the new factor,
  // then recomputes the derived coefficients.
  virtual void SetOversampling(int factor);
  // 1.0 all processed, 0.0 all dry.
  virtual void SetMix(double mix);
  // Sets the filter stages to identity and designs them again for the
  // stored rate and factor; the filters' memory is kept.
  virtual void ResetFilters();
  // These store the value only; the caller follows a rate change with
  // ResetFilters and SetOversampling.
  virtual void SetSampleRate(int rate);
  virtual void SetChannels(int count);
  // Processes count samples in place at the oversampled rate.
  virtual void ProcessSamples(double* buffer, int count) = 0;
  // Recomputes the derived coefficients for rate x factor.
  virtual void UpdateCoefficients() = 0;

  // Processes n frames in place. Returns false, leaving the block and every
  // filter memory untouched, when no scratch memory could be had for it.
  bool ProcessBlock(double* buffer, int n);

  // Repeats each of the n source samples factor times, then filters the
  // n x factor destination samples in place.
  void Upsample(const double* source, double* destination, int n);
  // Filters the m source samples in place, then keeps samples 0, factor,
  // 2 x factor, ... (m / factor samples).
  void Downsample(double* source, double* destination, int m);

  // The two filters' memories (coefficients stay as designed).
  bool FilterMemoryIsFinite() const;
  void ClearFilterMemory();

  int GetSampleRate() const { return mSampleRate; }
  int GetOversampling() const { return mOversampling; }
  double GetMix() const { return mMix; }
  double GetChannels() const { return mChannels; }

protected:
  // Engines are owned and deleted through their own type.
  ~AudioProcessor() = default;

  int32_t mSampleRate;
  int32_t mOversampling;
  double mMix;
  // Interleaved channels per block; the count of values is formed from it
  // wherever one is needed.
  double mChannels;
  Dsp::ChebyIILowPass<6, 1> mUpFilter;
  Dsp::ChebyIILowPass<6, 1> mDownFilter;

private:
  void DesignFilters();
};
