#pragma once

#include <cstdint>

#include "framework/HeapBuffer.h"

// Per-channel ring buffer that delays bypassed audio by the plug-in's
// latency, so bypass keeps the timing of processed audio.
class LatencyDelayLine
{
public:
  // A ring of `length` samples per input channel, zeroed.
  LatencyDelayLine(int nInputs, int nOutputs, int length);

  LatencyDelayLine(const LatencyDelayLine&) = delete;
  LatencyDelayLine& operator=(const LatencyDelayLine&) = delete;

  // New length; the ring is resized, zeroed and restarted.
  void SetLength(int length);

  // Output c := input c delayed by the length, for every channel present on
  // both sides. Inputs and outputs may be the same buffers.
  void Process(double* const* inputs, double* const* outputs, int nFrames);

  uint32_t GetLength() const { return mLength; }
  uint32_t GetNInputs() const { return mNInputs; }
  uint32_t GetNOutputs() const { return mNOutputs; }

private:
  HeapBuffer mRing;        // mLength x mNInputs doubles, channel c at c x mLength
  uint32_t mWritePos = 0;
  uint32_t mNInputs;
  uint32_t mNOutputs;
  uint32_t mLength = 0;
};
