#include "framework/LatencyDelayLine.h"

#include <cstring>

LatencyDelayLine::LatencyDelayLine(int nInputs, int nOutputs, int length)
  : mNInputs(nInputs > 0 ? uint32_t(nInputs) : 0)
  , mNOutputs(nOutputs > 0 ? uint32_t(nOutputs) : 0)
{
  SetLength(length);
}

void LatencyDelayLine::SetLength(int length)
{
  if (length < 0) length = 0;
  const int64_t bytes = int64_t(length) * mNInputs * int64_t(sizeof(double));
  mRing.Resize(bytes <= 0x7FFFFFFF ? int(bytes) : 0);
  // A ring that could not be allocated delays nothing rather than overrun.
  mLength = (mRing.GetSize() == bytes) ? uint32_t(length) : 0;
  mWritePos = 0;
  if (mRing.GetSize() > 0) std::memset(mRing.Get(), 0, size_t(mRing.GetSize()));
}

void LatencyDelayLine::Process(double* const* inputs, double* const* outputs, int nFrames)
{
  const uint32_t nChannels = mNInputs < mNOutputs ? mNInputs : mNOutputs;
  if (mLength == 0)
  {
    for (uint32_t c = 0; c < nChannels; ++c)
      if (nFrames > 0 && inputs[c] != outputs[c])
        std::memmove(outputs[c], inputs[c], size_t(nFrames) * sizeof(double));
    return;
  }

  double* ring = static_cast<double*>(mRing.Get());
  for (int f = 0; f < nFrames; ++f)
  {
    for (uint32_t c = 0; c < nChannels; ++c)
    {
      double& stored = ring[c * mLength + mWritePos];
      // Read the input before writing the output: hosts may process in place.
      const double in = inputs[c][f];
      outputs[c][f] = stored;
      stored = in;
    }
    mWritePos = (mWritePos + 1) % mLength;
  }
}
