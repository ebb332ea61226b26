#pragma once
// A bitmap that is the inner part of a larger pixel block: the border around
// it is filled with a guard value so that any write outside the bitmap shows.

#include <cstdint>
#include <vector>

#include "drawing/LICE_IBitmap.h"

class GuardedBitmap : public LICE_IBitmap
{
public:
  static constexpr LICE_Pixel kGuard = 0xA5C3E17Bu;

  GuardedBitmap(int width, int height, bool flipped = false, int border = 8)
    : mWidth(width), mHeight(height), mBorder(border), mSpan(width + 2 * border), mFlipped(flipped),
      mBlock((size_t)mSpan * (height + 2 * border), kGuard)
  {
    Fill(0);
  }

  void Fill(LICE_Pixel p)
  {
    for (int y = 0; y < mHeight; ++y)
      for (int x = 0; x < mWidth; ++x)
        Memory(x, y) = p;
  }

  // Pixel by memory row (row 0 first in memory).
  LICE_Pixel& Memory(int x, int row) { return mBlock[(size_t)(row + mBorder) * mSpan + x + mBorder]; }
  // Pixel by the top-down addressing rule of the bitmap.
  LICE_Pixel& At(int x, int y) { return Memory(x, mFlipped ? mHeight - 1 - y : y); }

  bool GuardIntact() const
  {
    for (int row = 0; row < mHeight + 2 * mBorder; ++row)
      for (int col = 0; col < mSpan; ++col)
      {
        const bool inside = row >= mBorder && row < mBorder + mHeight && col >= mBorder && col < mBorder + mWidth;
        if (!inside && mBlock[(size_t)row * mSpan + col] != kGuard)
          return false;
      }
    return true;
  }

  LICE_Pixel* GetBits() override { return &mBlock[(size_t)mBorder * mSpan + mBorder]; }
  int GetWidth() override { return mWidth; }
  int GetHeight() override { return mHeight; }
  int GetRowSpan() override { return mSpan; }
  bool IsFlipped() override { return mFlipped; }
  bool Resize(int, int) override { return false; }
  HDC GetDeviceContext() override { return nullptr; }
  intptr_t Extended(int, void*) override { return 0; }

private:
  int mWidth, mHeight, mBorder, mSpan;
  bool mFlipped;
  std::vector<LICE_Pixel> mBlock;
};

// A bitmap that reports a size but has no pixels.
class BitlessBitmap : public LICE_IBitmap
{
public:
  LICE_Pixel* GetBits() override { return nullptr; }
  int GetWidth() override { return 16; }
  int GetHeight() override { return 16; }
  int GetRowSpan() override { return 16; }
  bool IsFlipped() override { return false; }
  bool Resize(int, int) override { return false; }
  HDC GetDeviceContext() override { return nullptr; }
  intptr_t Extended(int, void*) override { return 0; }
};
