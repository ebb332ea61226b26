#pragma once

#include <cstddef>
#include <cstdint>

#include "drawing/LICE_Types.h"

// The 32-bit bitmap interface every drawing operation works through.
// Pixel (x, y) lies at GetBits() + y * GetRowSpan() (or row GetHeight() - 1 - y
// when IsFlipped()); the span is in pixels and at least the width.
class LICE_IBitmap
{
public:
  virtual ~LICE_IBitmap() {}

  virtual LICE_Pixel* GetBits() = 0;
  virtual int GetWidth() = 0;
  virtual int GetHeight() = 0;
  virtual int GetRowSpan() = 0;
  virtual bool IsFlipped() = 0;
  virtual bool Resize(int width, int height) = 0;
  virtual HDC GetDeviceContext() = 0;
  virtual intptr_t Extended(int id, void* data) = 0;
};

// Pointer to the first pixel of row y (top-down numbering), honouring IsFlipped.
// The caller has checked that bits exist and 0 <= y < height.
inline LICE_Pixel* LICE_RowPointer(LICE_IBitmap* bm, int y)
{
  const ptrdiff_t span = bm->GetRowSpan();
  const ptrdiff_t row = bm->IsFlipped() ? (ptrdiff_t)bm->GetHeight() - 1 - y : (ptrdiff_t)y;
  return bm->GetBits() + row * span;
}

// Signed distance in pixels from one top-down row to the next.
inline ptrdiff_t LICE_RowStride(LICE_IBitmap* bm)
{
  const ptrdiff_t span = bm->GetRowSpan();
  return bm->IsFlipped() ? -span : span;
}

// Pointer to pixel (x, y); same preconditions as LICE_RowPointer.
inline LICE_Pixel* LICE_PixelPointer(LICE_IBitmap* bm, int x, int y)
{
  return LICE_RowPointer(bm, y) + x;
}
