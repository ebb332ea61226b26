// Buffer routing between the host's channel buffers and the plug-in's
// double-precision channel tables.

#include <cfloat>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "framework/IPlugBase.h"

namespace {

// Clamps [first, first + count) to [0, size).
void ClampRange(int first, int count, int size, int& begin, int& end)
{
  int64_t b = first, e = int64_t(first) + (count > 0 ? count : 0);
  if (b < 0) b = 0;
  if (e > size) e = size;
  begin = int(b);
  end = int(e > b ? e : b);
}

// One sample in the destination's format. A finite double beyond the float
// range (the filters overshoot a full-scale input) saturates at the largest
// float instead of leaving as infinity; every other value converts as it is.
template <class Dest>
Dest Narrow(double x)
{
  return Dest(x);
}

template <>
float Narrow<float>(double x)
{
  if (x > double(FLT_MAX) && x <= DBL_MAX) return FLT_MAX;
  if (x < -double(FLT_MAX) && x >= -DBL_MAX) return -FLT_MAX;
  return float(x);
}

// Element by element, four per step, no scaling.
template <class Src, class Dest>
void Convert(const Src* src, Dest* dest, int n)
{
  int i = 0;
  for (; i + 4 <= n; i += 4)
  {
    dest[i] = Narrow<Dest>(src[i]);
    dest[i + 1] = Narrow<Dest>(src[i + 1]);
    dest[i + 2] = Narrow<Dest>(src[i + 2]);
    dest[i + 3] = Narrow<Dest>(src[i + 3]);
  }
  for (; i < n; ++i) dest[i] = Narrow<Dest>(src[i]);
}

void ZeroDoubles(double* p, int n)
{
  if (p && n > 0) std::memset(p, 0, size_t(n) * sizeof(double));
}

// The helpers below serve both channel lists: InputChannel and OutputChannel
// share the connection flag, slot, scratch buffer and host double buffer.

// The base pass-through: input i to output i where both exist, silence on
// the remaining outputs.
template <class T>
void CopyInputsToOutputs(T** inputs, T** outputs, int nIn, int nOut, int nFrames)
{
  if (nFrames <= 0) return;
  for (int i = 0; i < nOut; ++i)
  {
    if (!outputs[i]) continue;
    if (i < nIn && inputs[i])
    {
      if (inputs[i] != outputs[i])
        std::memmove(outputs[i], inputs[i], size_t(nFrames) * sizeof(T));
    }
    else
    {
      std::memset(outputs[i], 0, size_t(nFrames) * sizeof(T));
    }
  }
}

template <class Channel>
void ZeroScratch(Channel* channel)
{
  ZeroDoubles(channel->ScratchData(), channel->mScratch.GetSize() / int(sizeof(double)));
}

// Storage may have moved: re-points every slot that is not a host buffer.
template <class Channel>
void PointSlotsAtScratch(PointerList<Channel>& channels)
{
  for (int i = 0; i < channels.GetSize(); ++i)
  {
    Channel* channel = channels.Get(i);
    if (!channel->mHostDouble) *channel->mSlot = channel->ScratchData();
  }
}

// Grows every scratch buffer to at least `bytes`, contents kept. False when
// one could not grow.
template <class Channel>
bool ReserveScratch(PointerList<Channel>& channels, int bytes)
{
  bool ok = true;
  for (int i = 0; i < channels.GetSize() && ok; ++i)
  {
    HeapBuffer& scratch = channels.Get(i)->mScratch;
    if (scratch.GetSize() < bytes)
    {
      scratch.Resize(bytes, false);
      ok = scratch.GetSize() == bytes;
    }
  }
  PointSlotsAtScratch(channels);
  return ok;
}

// Sets every scratch buffer to `bytes` (its room reserved, or less than it
// has), zeroed when `zero`; what is no longer needed is given back.
template <class Channel>
void ResizeScratch(PointerList<Channel>& channels, int bytes, bool zero)
{
  for (int i = 0; i < channels.GetSize(); ++i)
  {
    Channel* channel = channels.Get(i);
    channel->mScratch.Resize(bytes);
    if (zero) ZeroScratch(channel);
  }
  PointSlotsAtScratch(channels);
}

template <class Channel>
void ZeroAllScratch(PointerList<Channel>& channels)
{
  for (int i = 0; i < channels.GetSize(); ++i) ZeroScratch(channels.Get(i));
}

// Unconnected channels read and write their own scratch buffer. With
// `clearOnDisconnect` a channel that was connected starts it from silence:
// host samples converted into it earlier would otherwise sound again. Only
// the change of state clears, not every block.
template <class Channel>
void SetConnected(PointerList<Channel>& channels, int first, int count, bool connected,
                  bool clearOnDisconnect)
{
  int begin, end;
  ClampRange(first, count, channels.GetSize(), begin, end);
  for (int i = begin; i < end; ++i)
  {
    Channel* channel = channels.Get(i);
    const bool wasConnected = channel->mConnected;
    channel->mConnected = connected;
    if (connected) continue;
    if (wasConnected && clearOnDisconnect) ZeroScratch(channel);
    *channel->mSlot = channel->ScratchData();
    channel->mHostDouble = nullptr;
    channel->mHostFloat = nullptr;
  }
}

// Connected channels of the range take the next host double buffers; a null
// one leaves the slot on the scratch buffer, zeroed when `zeroMissing`.
template <class Channel>
void AttachDouble(PointerList<Channel>& channels, int first, int count, double* const* buffers,
                  bool zeroMissing, int blockSize)
{
  int begin, end;
  ClampRange(first, count, channels.GetSize(), begin, end);
  int next = 0;
  for (int i = begin; i < end; ++i)
  {
    Channel* channel = channels.Get(i);
    if (!channel->mConnected) continue;
    double* host = buffers ? buffers[next] : nullptr;
    ++next;
    channel->mHostFloat = nullptr;
    channel->mHostDouble = host;
    if (!host && zeroMissing) ZeroDoubles(channel->ScratchData(), blockSize);
    *channel->mSlot = host ? host : channel->ScratchData();
  }
}

// Connected host double buffers at `offset` frames into the block.
template <class Channel>
void PointHostSlots(PointerList<Channel>& channels, int offset)
{
  for (int i = 0; i < channels.GetSize(); ++i)
  {
    Channel* channel = channels.Get(i);
    if (channel->mHostDouble) *channel->mSlot = channel->mHostDouble + offset;
  }
}

} // namespace

bool IPlugBase::SetBlockSize(int blockSize)
{
  if (blockSize < 0) blockSize = 0;
  if (blockSize == mBlockSize) return true;

  // A size whose buffers cannot all be had keeps the previous one whole:
  // every buffer gets its room before any is changed.
  const int64_t bytes = int64_t(blockSize) * int64_t(sizeof(double));
  if (bytes > 0x7FFFFFFF) return false;
  const int want = int(bytes);
  if (!ReserveScratch(mInChannels, want) || !ReserveScratch(mOutChannels, want))
  {
    const int old = mBlockSize * int(sizeof(double));
    ResizeScratch(mInChannels, old, false);
    ResizeScratch(mOutChannels, old, false);
    return false;
  }
  ResizeScratch(mInChannels, want, true);
  ResizeScratch(mOutChannels, want, true);
  mBlockSize = blockSize;
  return true;
}

void IPlugBase::ClearChannelScratch()
{
  ZeroAllScratch(mInChannels);
  ZeroAllScratch(mOutChannels);
}

void IPlugBase::ConnectInputChannels(int first, int count, bool connected)
{
  SetConnected(mInChannels, first, count, connected, true);
}

void IPlugBase::ConnectOutputChannels(int first, int count, bool connected)
{
  // An unconnected output's scratch holds only what the plug-in writes there.
  SetConnected(mOutChannels, first, count, connected, false);
}

void IPlugBase::LimitToStereoInputs()
{
  if (NInChannels() > 2) ConnectInputChannels(2, NInChannels() - 2, false);
  if (NOutChannels() > 2) ConnectOutputChannels(2, NOutChannels() - 2, true);
}

void IPlugBase::AttachInputBuffersDouble(int first, int count, double* const* buffers)
{
  AttachDouble(mInChannels, first, count, buffers, true, mBlockSize);
}

void IPlugBase::AttachInputBuffersFloat(int first, int count, float* const* buffers, int nFrames)
{
  int begin, end;
  ClampRange(first, count, NInChannels(), begin, end);
  // Only the first slice fits the scratch; RunBlock converts the rest.
  const int n = nFrames < mBlockSize ? (nFrames > 0 ? nFrames : 0) : mBlockSize;
  int next = 0;
  for (int i = begin; i < end; ++i)
  {
    std::printf("attaching channel %d ...", i);
    InputChannel* channel = mInChannels.Get(i);
    if (channel->mConnected)
    {
      const float* host = buffers ? buffers[next] : nullptr;
      ++next;
      channel->mHostDouble = nullptr;
      channel->mHostFloat = host;
      double* scratch = channel->ScratchData();
      if (host)
        Convert(host, scratch, n);
      else
        ZeroDoubles(scratch, n);
      *channel->mSlot = scratch;
    }
    std::printf("done\n");
  }
}

void IPlugBase::AttachOutputBuffersDouble(int first, int count, double* const* buffers)
{
  AttachDouble(mOutChannels, first, count, buffers, false, mBlockSize);
}

void IPlugBase::AttachOutputBuffersFloat(int first, int count, float* const* buffers)
{
  int begin, end;
  ClampRange(first, count, NOutChannels(), begin, end);
  int next = 0;
  for (int i = begin; i < end; ++i)
  {
    OutputChannel* channel = mOutChannels.Get(i);
    if (!channel->mConnected) continue;
    channel->mHostFloat = buffers ? buffers[next] : nullptr;
    ++next;
    channel->mHostDouble = nullptr;
    *channel->mSlot = channel->ScratchData();
  }
}

void IPlugBase::ProcessBuffersDouble(int nFrames)
{
  RunBlock(nFrames, false, kNoFloat);
}

void IPlugBase::ProcessBuffersFloat(int nFrames)
{
  RunBlock(nFrames, false, kFloatReplace);
}

void IPlugBase::ProcessBuffersAccumulating(int nFrames)
{
  RunBlock(nFrames, false, kFloatAdd);
}

void IPlugBase::PassThroughDouble(int nFrames)
{
  RunBlock(nFrames, true, kNoFloat);
}

void IPlugBase::PassThroughFloat(int nFrames)
{
  RunBlock(nFrames, true, kFloatReplace);
}

// Scratch buffers hold one block of the announced size. A longer block runs
// in slices of at most that size; with no size announced yet, nothing fits,
// so the connected outputs get silence instead.
void IPlugBase::RunBlock(int nFrames, bool passThrough, FloatOut toFloat)
{
  if (nFrames < 0) nFrames = 0;
  if (nFrames <= mBlockSize)
  {
    RunSlice(nFrames, passThrough);
    if (toFloat != kNoFloat) ConvertOutputsToFloat(0, nFrames, toFloat == kFloatAdd);
    return;
  }
  if (mBlockSize <= 0)
  {
    SilenceConnectedOutputs(nFrames, toFloat);
    return;
  }
  for (int offset = 0; offset < nFrames; offset += mBlockSize)
  {
    const int n = (nFrames - offset < mBlockSize) ? nFrames - offset : mBlockSize;
    if (offset > 0) PointSlotsAtSlice(offset, n);
    RunSlice(n, passThrough);
    if (toFloat != kNoFloat) ConvertOutputsToFloat(offset, n, toFloat == kFloatAdd);
  }
  RestoreSlots();
}

void IPlugBase::RunSlice(int nFrames, bool passThrough)
{
  if (!passThrough)
    ProcessAudioDouble(InputTable(), OutputTable(), nFrames);
  else if (mLatency > 0 && mDelay)
  {
    mDelay->Process(InputTable(), OutputTable(), nFrames);
    // Outputs without an input get silence, as in the base copy; a float
    // host's scratch would otherwise repeat the last processed block.
    double** outputs = OutputTable();
    for (int i = NInChannels(); i < NOutChannels(); ++i) ZeroDoubles(outputs[i], nFrames);
  }
  else
    IPlugBase::ProcessAudioDouble(InputTable(), OutputTable(), nFrames);
}

void IPlugBase::PointSlotsAtSlice(int offset, int nFrames)
{
  PointHostSlots(mInChannels, offset);
  PointHostSlots(mOutChannels, offset);
  for (int i = 0; i < NInChannels(); ++i)
  {
    InputChannel* channel = mInChannels.Get(i);
    if (!channel->mConnected || channel->mHostDouble) continue;
    if (channel->mHostFloat)
      Convert(channel->mHostFloat + offset, channel->ScratchData(), nFrames);
    else
      ZeroDoubles(channel->ScratchData(), nFrames); // a null host buffer stays silent
  }
}

void IPlugBase::RestoreSlots()
{
  PointHostSlots(mInChannels, 0);
  PointHostSlots(mOutChannels, 0);
}

void IPlugBase::ConvertOutputsToFloat(int offset, int nFrames, bool add)
{
  for (int i = 0; i < NOutChannels(); ++i)
  {
    OutputChannel* channel = mOutChannels.Get(i);
    if (!channel->mConnected || !channel->mHostFloat) continue;
    float* dest = channel->mHostFloat + offset;
    if (!add)
      Convert(*channel->mSlot, dest, nFrames);
    else
      for (int f = 0; f < nFrames; ++f) dest[f] = Narrow<float>((*channel->mSlot)[f]) + dest[f];
  }
}

void IPlugBase::SilenceConnectedOutputs(int nFrames, FloatOut toFloat)
{
  for (int i = 0; i < NOutChannels(); ++i)
  {
    OutputChannel* channel = mOutChannels.Get(i);
    if (!channel->mConnected) continue;
    if (channel->mHostDouble) ZeroDoubles(channel->mHostDouble, nFrames);
    // Adding silence leaves the host's samples as they are.
    if (toFloat == kFloatReplace && channel->mHostFloat)
      std::memset(channel->mHostFloat, 0, size_t(nFrames) * sizeof(float));
  }
}

void IPlugBase::ProcessAudioDouble(double** inputs, double** outputs, int nFrames)
{
  CopyInputsToOutputs(inputs, outputs, NInChannels(), NOutChannels(), nFrames);
}

void IPlugBase::ProcessAudioFloat(float** inputs, float** outputs, int nFrames)
{
  CopyInputsToOutputs(inputs, outputs, NInChannels(), NOutChannels(), nFrames);
}
