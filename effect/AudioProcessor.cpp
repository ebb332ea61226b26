#include "effect/AudioProcessor.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

namespace
{

constexpr std::align_val_t kScratchAlignment{16};

// Largest scratch buffer: its values are counted in an int and its bytes in
// a size_t.
constexpr double kMaxScratchValues =
  static_cast<double>(INT_MAX) < static_cast<double>(SIZE_MAX / sizeof(double))
    ? static_cast<double>(INT_MAX)
    : static_cast<double>(SIZE_MAX / sizeof(double));

double* AllocateScratch(std::size_t count)
{
  return static_cast<double*>(::operator new(count * sizeof(double), kScratchAlignment, std::nothrow));
}

void FreeScratch(double* p)
{
  if (p)
    ::operator delete(p, kScratchAlignment);
}

// Wet scaled, dry scaled, then summed: this order is part of the sound.
void MixInto(double* processed, const double* dry, std::size_t count, double mix)
{
  const double dryGain = 1.0 - mix;
  for (std::size_t i = 0; i < count; ++i)
  {
    const double wet = processed[i] * mix;
    const double d = dry[i] * dryGain;
    processed[i] = wet + d;
  }
}

} // namespace

AudioProcessor::AudioProcessor()
  : mSampleRate(44100)
  , mOversampling(1)
  , mMix(1.0)
  , mChannels(1.0)
{
}

void AudioProcessor::DesignFilters()
{
  Dsp::Params params;
  params.mOrder = 6;
  params.mSampleRate = 1.0;
  params.mCutoff = (mSampleRate * 0.5) / (static_cast<double>(mSampleRate) * mOversampling);
  params.mAttenuation = 9.0;
  mUpFilter.SetParams(params);
  mDownFilter.SetParams(params);
}

void AudioProcessor::SetOversampling(int factor)
{
  if (factor <= 0)
    factor = 1;
  mOversampling = factor;
  DesignFilters();
  UpdateCoefficients();
}

void AudioProcessor::SetMix(double mix)
{
  mMix = mix;
}

void AudioProcessor::ResetFilters()
{
  mUpFilter.ResetState();
  mDownFilter.ResetState();
  DesignFilters();
}

bool AudioProcessor::FilterMemoryIsFinite() const
{
  return mUpFilter.MemoryIsFinite() && mDownFilter.MemoryIsFinite();
}

void AudioProcessor::ClearFilterMemory()
{
  mUpFilter.ClearMemory();
  mDownFilter.ClearMemory();
}

void AudioProcessor::SetSampleRate(int rate)
{
  mSampleRate = rate;
}

void AudioProcessor::SetChannels(int count)
{
  mChannels = count;
}

bool AudioProcessor::ProcessBlock(double* buffer, int n)
{
  if (n < 1)
    return true;
  if (!buffer)
    return false;

  const int factor = mOversampling < 2 ? 1 : mOversampling;
  const double frames = static_cast<double>(n) * factor;
  // Scratch buffers hold at least one value per oversampled frame, whatever
  // the channel count says.
  const double channels = mChannels < 1.0 ? 1.0 : mChannels;
  const double values = frames * channels;
  if (!(values <= kMaxScratchValues))
    return false;
  const std::size_t count = static_cast<std::size_t>(static_cast<int>(values));

  if (factor < 2)
  {
    double* dry = AllocateScratch(count);
    if (!dry)
      return false;
    std::memcpy(dry, buffer, count * sizeof(double));
    ProcessSamples(buffer, n);
    MixInto(buffer, dry, count, mMix);
    FreeScratch(dry);
    return true;
  }

  // Both buffers are taken before anything runs, so a failure leaves the
  // filter memories as they were.
  double* oversampled = AllocateScratch(count);
  double* dry = AllocateScratch(count);
  if (!oversampled || !dry)
  {
    FreeScratch(oversampled);
    FreeScratch(dry);
    return false;
  }
  const int m = n * factor;
  Upsample(buffer, oversampled, n);
  // Values past the up-sampled frames are mixed but never read back.
  for (std::size_t i = static_cast<std::size_t>(m); i < count; ++i)
    oversampled[i] = 0.0;
  // The dry signal is the filtered up-sampled input: it passes the
  // down-sampling filter too, so dry and wet stay aligned.
  std::memcpy(dry, oversampled, count * sizeof(double));
  ProcessSamples(oversampled, m);
  MixInto(oversampled, dry, count, mMix);
  Downsample(oversampled, buffer, m);
  FreeScratch(oversampled);
  FreeScratch(dry);
  return true;
}

void AudioProcessor::Upsample(const double* source, double* destination, int n)
{
  const int factor = mOversampling < 2 ? 1 : mOversampling;
  double* out = destination;
  for (int i = 0; i < n; ++i)
  {
    const double x = source[i];
    for (int j = 0; j < factor; ++j)
      *out++ = x;
  }
  mUpFilter.ProcessBlock(n * factor, destination, 0);
}

void AudioProcessor::Downsample(double* source, double* destination, int m)
{
  const int factor = mOversampling < 2 ? 1 : mOversampling;
  mDownFilter.ProcessBlock(m, source, 0);
  const int n = m / factor;
  for (int i = 0; i < n; ++i)
    destination[i] = source[i * factor];
}
