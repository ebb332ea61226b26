#include "framework/HeapBuffer.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

HeapBuffer::HeapBuffer(int granularity)
  : mGranularity(granularity > 0 ? granularity : 1)
{
}

HeapBuffer::~HeapBuffer()
{
  std::free(mData);
}

void HeapBuffer::Free()
{
  std::free(mData);
  mData = nullptr;
  mCapacity = 0;
  mSize = 0;
}

void* HeapBuffer::Resize(int want, bool mayShrink)
{
  if (want < 0) want = 0;
  if (want == mSize) return Get();

  int shrinkLimit = 0;
  if (mayShrink && want < mSize)
  {
    shrinkLimit = std::min(mCapacity / 2, mCapacity - 4 * mGranularity);
    if (shrinkLimit <= 0) shrinkLimit = 1;
  }

  if (mCapacity < want || want < shrinkLimit)
  {
    // 64-bit arithmetic: a capacity beyond INT_MAX counts as a failed allocation.
    int64_t g = 0;
    if (want > 0)
    {
      g = std::max(want / 2, mGranularity);
      if (mGranularity > 4095)
      {
        g &= ~int64_t(4095);
        g = std::min<int64_t>(std::max<int64_t>(g, 4096), 4194304);
        g = ((int64_t(want) + 96 + g) & ~int64_t(4095)) - 96;
      }
      else
      {
        g += want;
      }
    }
    if (g > INT_MAX) return Get();

    const int newCapacity = int(g);
    if (newCapacity != mCapacity)
    {
      if (newCapacity <= 0)
      {
        Free();
        return nullptr;
      }
      void* p = std::realloc(mData, size_t(newCapacity));
      if (!p)
      {
        p = std::malloc(size_t(newCapacity));
        if (!p) return Get();
        if (mData) std::memcpy(p, mData, size_t(std::min(mSize, want)));
        std::free(mData);
      }
      mData = p;
      mCapacity = newCapacity;
    }
  }

  mSize = want;
  return Get();
}
