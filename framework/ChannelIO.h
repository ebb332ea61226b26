#pragma once

#include "framework/HeapBuffer.h"
#include "framework/TextBuffer.h"

// One "inputs-outputs" pair of the channel-I/O string.
struct ChannelIOPair
{
  int mIn = 0;
  int mOut = 0;
};

// Connection record of one input channel. `mSlot` points at the channel's
// entry in the plug-in's input pointer table, which always holds a usable
// buffer: the host's double buffer or the channel's scratch buffer.
struct InputChannel
{
  bool mConnected = false;
  double** mSlot = nullptr;
  HeapBuffer mScratch;                 // block-size doubles
  TextBuffer mLabel;
  double* mHostDouble = nullptr;       // host buffer the slot points into, when attached as doubles
  const float* mHostFloat = nullptr;   // host buffer converted into the scratch, when attached as floats

  double* ScratchData() const { return static_cast<double*>(mScratch.Get()); }
};

// Connection record of one output channel; as InputChannel, plus the host
// float buffer the results are converted into for 32-bit hosts.
struct OutputChannel
{
  bool mConnected = false;
  double** mSlot = nullptr;
  float* mHostFloat = nullptr;
  HeapBuffer mScratch;
  TextBuffer mLabel;
  double* mHostDouble = nullptr;

  double* ScratchData() const { return static_cast<double*>(mScratch.Get()); }
};
