// The sizing rules of LICE_SysBitmap; the pixel store itself (a DIB section on
// Windows, heap memory elsewhere) comes from the platform file.
#include "drawing/LICE_SysBitmap.h"

bool LICE_SysBitmap::Resize(int width, int height)
{
  if (!CanHoldPixels())
  {
    mWidth = mHeight = 0;
    mBits = nullptr;
    return false;
  }
  if (width < 0)
    width = 0;
  if (height < 0)
    height = 0;
  if (width == mWidth && height == mHeight)
    return false;

  mWidth = width;
  mHeight = height;
  if (width && height && mAllocWidth >= width && mAllocHeight >= height && mBits)
    return true;  // keep the larger store; the span stays mAllocWidth

  FreeSection();
  // 64-bit: a huge width must neither wrap the rounding nor the byte count.
  const int64_t allocWidth = ((int64_t)width + 3) & ~(int64_t)3;
  const bool fits = allocWidth * height * 4 <= LICE_MaxBitmapBytes;
  mAllocWidth = fits ? (int)allocWidth : 0;
  mAllocHeight = height;
  if (fits && (mAllocWidth < 1 || height < 1))
    return false;

  if (!fits || !CreateSection())
  {
    // Report the failure: callers check the result or the size before drawing.
    mWidth = mHeight = 0;
    mAllocWidth = mAllocHeight = 0;
    mBits = nullptr;
    return false;
  }
  return true;
}
