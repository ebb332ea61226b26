// LICE_SysBitmap for builds without GDI: the same sizing rules over heap pixels,
// no device context.
#include "drawing/LICE_SysBitmap.h"

#include <cstdlib>

LICE_SysBitmap::LICE_SysBitmap(int width, int height)
{
  Resize(width, height);
}

LICE_SysBitmap::~LICE_SysBitmap()
{
  FreeSection();
}

void LICE_SysBitmap::FreeSection()
{
  free(mSection);
  mSection = nullptr;
  mPrevBitmap = nullptr;  // only a DC has a bitmap to restore
  mBits = nullptr;
}

bool LICE_SysBitmap::Resize(int width, int height)
{
  if (width < 0)
    width = 0;
  if (height < 0)
    height = 0;
  if (width == mWidth && height == mHeight)
    return false;

  mWidth = width;
  mHeight = height;
  if (width && height && mAllocWidth >= width && mAllocHeight >= height && mBits)
    return true;

  FreeSection();
  // 64-bit: a huge width must neither wrap the rounding nor the byte count.
  const int64_t allocWidth = ((int64_t)width + 3) & ~(int64_t)3;
  const bool fits = allocWidth * height * 4 <= LICE_MaxBitmapBytes;
  mAllocWidth = fits ? (int)allocWidth : 0;
  mAllocHeight = height;
  if (fits && (mAllocWidth < 1 || height < 1))
    return false;

  const int64_t bytes = allocWidth * height * 4;
  if (fits)
  {
    // 64-byte alignment like a DIB section's page-aligned bits.
    mSection = aligned_alloc(64, (size_t)((bytes + 63) & ~(int64_t)63));
    mBits = (LICE_Pixel*)mSection;
  }
  if (!mBits)
  {
    mWidth = mHeight = 0;
    mAllocWidth = mAllocHeight = 0;
    return false;
  }
  return true;
}
