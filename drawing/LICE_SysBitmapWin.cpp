// The pixel store of LICE_SysBitmap on Windows: a top-down DIB section in a memory DC.
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

bool LICE_SysBitmap::CanHoldPixels() const
{
  return mDC != nullptr;
}

bool LICE_SysBitmap::CreateSection()
{
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = mAllocWidth;
  // Negative height: top-down rows, memory row 0 is the top row.
  bmi.bmiHeader.biHeight = IsFlipped() ? mAllocHeight : -mAllocHeight;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;

  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(mDC, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section || !bits)
  {
    if (section)
      DeleteObject(section);
    return false;
  }
  mSection = section;
  mBits = (LICE_Pixel*)bits;
  mPrevBitmap = SelectObject(mDC, section);
  return true;
}
