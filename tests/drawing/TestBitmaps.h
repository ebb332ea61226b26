#pragma once
// Helpers shared by the drawing tests.

#include <cstdint>
#include <vector>

#include "drawing/LICE_IBitmap.h"

// A bitmap over a plain vector whose memory rows run bottom-up when flipped,
// so tests can check that every operation follows the addressing rule.
class VectorBitmap : public LICE_IBitmap
{
public:
  VectorBitmap(int w, int h, bool flipped = false, int span = 0, LICE_Pixel fill = 0)
      : mW(w), mH(h), mSpan(span ? span : w), mFlipped(flipped), mPx((size_t)mSpan * h, fill)
  {
  }

  LICE_Pixel* GetBits() override { return mPx.empty() ? nullptr : mPx.data(); }
  int GetWidth() override { return mW; }
  int GetHeight() override { return mH; }
  int GetRowSpan() override { return mSpan; }
  bool IsFlipped() override { return mFlipped; }
  bool Resize(int, int) override { return false; }
  HDC GetDeviceContext() override { return nullptr; }
  intptr_t Extended(int, void*) override { return 0; }

  // Pixel (x, y) in top-down coordinates.
  LICE_Pixel& At(int x, int y) { return mPx[(size_t)(mFlipped ? mH - 1 - y : y) * mSpan + x]; }
  // Raw memory row r.
  LICE_Pixel& Memory(int x, int r) { return mPx[(size_t)r * mSpan + x]; }

private:
  int mW, mH, mSpan;
  bool mFlipped;
  std::vector<LICE_Pixel> mPx;
};

inline void FillAll(LICE_IBitmap* bm, LICE_Pixel v)
{
  for (int y = 0; y < bm->GetHeight(); ++y)
    for (int x = 0; x < bm->GetWidth(); ++x)
      *LICE_PixelPointer(bm, x, y) = v;
}

// Gives every pixel a distinct value derived from its position.
inline LICE_Pixel PatternPixel(int x, int y) { return 0xA0000000u | ((LICE_Pixel)y << 12) | (LICE_Pixel)x; }
inline void FillPattern(LICE_IBitmap* bm)
{
  for (int y = 0; y < bm->GetHeight(); ++y)
    for (int x = 0; x < bm->GetWidth(); ++x)
      *LICE_PixelPointer(bm, x, y) = PatternPixel(x, y);
}
