// Windows LICE_SysBitmap: a top-down DIB section in a memory DC.
#include "drawing/LICE_SysBitmap.h"

#include <windows.h>

LICE_SysBitmap::LICE_SysBitmap(int width, int height)
{
  mDC = CreateCompatibleDC(nullptr);
  Resize(width, height);
}

LICE_SysBitmap::~LICE_SysBitmap()
{
  FreeSection();
  if (mDC)
    DeleteDC(mDC);
}

void LICE_SysBitmap::FreeSection()
{
  if (mPrevBitmap)
  {
    SelectObject(mDC, (HGDIOBJ)mPrevBitmap);
    mPrevBitmap = nullptr;
  }
  if (mSection)
  {
    DeleteObject((HGDIOBJ)mSection);
    mSection = nullptr;
  }
  mBits = nullptr;
}

bool LICE_SysBitmap::Resize(int width, int height)
{
  if (!mDC)
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
    return true;  // keep the larger section; the span stays mAllocWidth

  FreeSection();
  // 64-bit: a huge width must neither wrap the rounding nor the byte count.
  const int64_t allocWidth = ((int64_t)width + 3) & ~(int64_t)3;
  const bool fits = allocWidth * height * 4 <= LICE_MaxBitmapBytes;
  mAllocWidth = fits ? (int)allocWidth : 0;
  mAllocHeight = height;
  if (fits && (mAllocWidth < 1 || height < 1))
    return false;

  bool made = false;
  if (fits)
  {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = mAllocWidth;
    bmi.bmiHeader.biHeight = IsFlipped() ? height : -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;

    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(mDC, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section && bits)
    {
      mSection = section;
      mBits = (LICE_Pixel*)bits;
      mPrevBitmap = SelectObject(mDC, section);
      made = true;
    }
    else if (section)
    {
      DeleteObject(section);
    }
  }

  if (!made)
  {
    // Report the failure: callers check the result or the size before drawing.
    mWidth = mHeight = 0;
    mAllocWidth = mAllocHeight = 0;
    mBits = nullptr;
    return false;
  }
  return true;
}
