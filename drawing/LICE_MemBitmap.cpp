#include "drawing/LICE_MemBitmap.h"

#include <cstdlib>

namespace
{
  constexpr size_t kAlignSlack = 63;
}

LICE_MemBitmap::LICE_MemBitmap(int width, int height)
{
  if (width > 0 && height > 0)
    Resize(width, height);
}

LICE_MemBitmap::~LICE_MemBitmap()
{
  free(mBuffer);
}

LICE_Pixel* LICE_MemBitmap::GetBits()
{
  if (!mBuffer)
    return nullptr;
  const uintptr_t p = ((uintptr_t)mBuffer + kAlignSlack) & ~(uintptr_t)kAlignSlack;
  return (LICE_Pixel*)p;
}

bool LICE_MemBitmap::Resize(int width, int height)
{
  if (width == mWidth && height == mHeight)
    return false;

  mWidth = width;
  mHeight = height;

  // 64-bit arithmetic: in 32 bits a large size wraps into a small buffer that
  // the caller would then overrun.
  int64_t needed = 0;
  if (width > 0 && height > 0)
    needed = (int64_t)height * (((int64_t)width + 3) & ~(int64_t)mRowGranularityMask) * 4;

  if (needed > 0 && needed <= LICE_MaxBitmapBytes)
  {
    if (!mBuffer)
    {
      mAllocatedBytes = (int)needed;
      mBuffer = malloc((size_t)needed + kAlignSlack);
    }
    else if (mAllocatedBytes < needed)
    {
      int64_t grown = (needed / 4) * 5;
      if (grown > LICE_MaxBitmapBytes)
        grown = needed;
      void* p = realloc(mBuffer, (size_t)grown + kAlignSlack);
      if (p)
      {
        mBuffer = p;
        mAllocatedBytes = (int)grown;
      }
      else
      {
        free(mBuffer);
        mAllocatedBytes = (int)needed;
        mBuffer = malloc((size_t)needed + kAlignSlack);
      }
    }
  }
  else
  {
    free(mBuffer);
    mBuffer = nullptr;
    mAllocatedBytes = 0;
  }

  if (!mBuffer)
  {
    mAllocatedBytes = 0;
    mWidth = mHeight = 0;
  }
  return true;
}
