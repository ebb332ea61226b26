#include "drawing/LICE_FillRect.h"

#include "drawing/LICE_Combine.h"

namespace
{
  inline LICE_Pixel Half(LICE_Pixel p) { return (p >> 1) & 0x7F7F7F7F; }
  inline LICE_Pixel Quarter(LICE_Pixel p) { return (p >> 2) & 0x3F3F3F3F; }

  template <typename Op>
  void ForEachPixel(LICE_Pixel* row, ptrdiff_t stride, int cols, int rows, Op op)
  {
    for (int y = 0; y < rows; ++y, row += stride)
      for (int x = 0; x < cols; ++x)
        op(row + x);
  }
}

void LICE_FillRect(LICE_IBitmap* dest, int x, int y, int w, int h, LICE_Pixel colour, float alpha, int mode)
{
  if (!dest)
    return;
  if (mode & BlitMode::UseSourceAlpha)
    alpha *= LICE_GETA(colour) / 255.0f;

  // 64-bit so that extreme sizes cannot overflow while clipping.
  int64_t x64 = x, y64 = y, w64 = w, h64 = h;
  if (x64 < 0)
  {
    w64 += x64;
    x64 = 0;
  }
  if (y64 < 0)
  {
    h64 += y64;
    y64 = 0;
  }
  const int width = dest->GetWidth(), height = dest->GetHeight();
  if (alpha == 0.0f || !dest->GetBits() || dest->GetRowSpan() == 0 || w64 <= 0 || h64 <= 0 || x64 >= width ||
      y64 >= height)
    return;

  const int rows = (int)(height - y64 < h64 ? height - y64 : h64);
  const int cols = (int)(width - x64 < w64 ? width - x64 : w64);
  LICE_Pixel* row = LICE_PixelPointer(dest, (int)x64, (int)y64);
  const ptrdiff_t stride = LICE_RowStride(dest);

  int wt = LICE_AlphaWeight(alpha);
  if ((mode & 0xFF) == BlitMode::Copy)
  {
    switch (wt)
    {
      case 256: ForEachPixel(row, stride, cols, rows, [=](LICE_Pixel* p) { *p = colour; }); return;
      case 128: ForEachPixel(row, stride, cols, rows, [=](LICE_Pixel* p) { *p = Half(colour) + Half(*p); }); return;
      case 64:
        ForEachPixel(row, stride, cols, rows, [=](LICE_Pixel* p) { *p = Half(*p) + Quarter(*p) + Quarter(colour); });
        return;
      case 192:
        ForEachPixel(row, stride, cols, rows,
                     [=](LICE_Pixel* p) { *p = Half(colour) + Quarter(colour) + Quarter(*p); });
        return;
      default: break;
    }
  }

  // Opacities outside 0.0-1.0 are not passed by any caller; keep the weight in range.
  if (wt <= 0)
    return;
  if (wt > 256)
    wt = 256;
  const int cr = LICE_GETR(colour), cg = LICE_GETG(colour), cb = LICE_GETB(colour);

  // The weight itself stands in for the source of the alpha channel, except
  // in HSV adjust, where it becomes the alpha: its low byte would turn full
  // opacity (256) into alpha 0, so it is limited to 255.
  const int op = mode & 0xFF;
  if (op == BlitMode::Copy && wt == 256)
  {
    ForEachPixel(row, stride, cols, rows, [=](LICE_Pixel* p) { *p = colour; });
    return;
  }
  const int srcAlpha = op == BlitMode::HsvAdjust && wt > 255 ? 255 : wt;
  LICE_WithCombiner(op, [&](auto combine) {
    ForEachPixel(row, stride, cols, rows,
                 [=](LICE_Pixel* p) { decltype(combine)::value(p, cr, cg, cb, srcAlpha, wt); });
  });
}
