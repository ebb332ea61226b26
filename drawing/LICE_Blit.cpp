#include "drawing/LICE_Blit.h"

#include <cstring>

#include "drawing/LICE_Combine.h"

namespace
{
  inline LICE_Pixel Half(LICE_Pixel p) { return (p >> 1) & 0x7F7F7F7F; }

  // One loop per kernel; the weight is fixed per call, the op is inlined.
  template <typename Op>
  void ForEachPixel(LICE_Pixel* d, ptrdiff_t dstride, const LICE_Pixel* s, ptrdiff_t sstride, int cols, int rows,
                    Op op)
  {
    for (int y = 0; y < rows; ++y, d += dstride, s += sstride)
      for (int x = 0; x < cols; ++x)
        op(d + x, s[x]);
  }

  // Source-alpha variants: the weight is w * (sa + 1) / 256 per pixel.
  template <int (*ChannelOp)(int, int, int), bool SkipTransparent>
  void CombineRowsBySourceAlpha(LICE_Pixel* d, ptrdiff_t ds, const LICE_Pixel* s, ptrdiff_t ss, int cols, int rows,
                                int w)
  {
    ForEachPixel(d, ds, s, ss, cols, rows, [w](LICE_Pixel* dp, LICE_Pixel sp) {
      const int sa = LICE_GETA(sp);
      if (SkipTransparent && sa == 0)
        return;
      const int k = w * (sa + 1) / 256;
      LICE_CombineWith<ChannelOp>(dp, LICE_GETR(sp), LICE_GETG(sp), LICE_GETB(sp), sa, k);
    });
  }

  void CopyBySourceAlphaOpaque(LICE_Pixel* d, ptrdiff_t ds, const LICE_Pixel* s, ptrdiff_t ss, int cols, int rows)
  {
    ForEachPixel(d, ds, s, ss, cols, rows, [](LICE_Pixel* dp, LICE_Pixel sp) {
      const int sa = LICE_GETA(sp);
      if (sa == 0)
        return;
      if (sa == 255)
      {
        *dp = sp | 0xFF000000u;
        return;
      }
      const LICE_Pixel dv = *dp;
      const int inv = 255 - sa;
      const int da = LICE_GETA(dv) + sa;
      *dp = LICE_RGBA(LICE_GETR(sp) + (LICE_GETR(dv) - LICE_GETR(sp)) * inv / 256,
                      LICE_GETG(sp) + (LICE_GETG(dv) - LICE_GETG(sp)) * inv / 256,
                      LICE_GETB(sp) + (LICE_GETB(dv) - LICE_GETB(sp)) * inv / 256, da > 255 ? 255 : da);
    });
  }

  void CopyBySourceAlpha(LICE_Pixel* d, ptrdiff_t ds, const LICE_Pixel* s, ptrdiff_t ss, int cols, int rows, int w)
  {
    ForEachPixel(d, ds, s, ss, cols, rows, [w](LICE_Pixel* dp, LICE_Pixel sp) {
      const int sa = LICE_GETA(sp);
      if (sa == 0)
        return;
      const int k = w * (sa + 1) / 256;
      const LICE_Pixel dv = *dp;
      const int da = LICE_GETA(dv) + k;
      *dp = LICE_RGBA(LICE_ChannelOps::Copy(LICE_GETR(dv), LICE_GETR(sp), k),
                      LICE_ChannelOps::Copy(LICE_GETG(dv), LICE_GETG(sp), k),
                      LICE_ChannelOps::Copy(LICE_GETB(dv), LICE_GETB(sp), k), da > 255 ? 255 : da);
    });
  }
}

void LICE_Blit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx_, int dsty_, const LICE_BlitRect* srcRect,
               float alpha, int mode)
{
  // A NaN opacity draws nothing either, channel copies included.
  if (!dest || !src || alpha == 0.0f || alpha != alpha)
    return;

  // 64-bit clipping: extreme coordinates must not overflow.
  int64_t dstx = dstx_, dsty = dsty_;
  int64_t left = 0, top = 0;
  int64_t right = src->GetWidth(), bottom = src->GetHeight();
  if (srcRect)
  {
    if (srcRect->right < right)
      right = srcRect->right;
    if (srcRect->bottom < bottom)
      bottom = srcRect->bottom;
    left = srcRect->left;
    top = srcRect->top;
    if (left < 0)
    {
      dstx -= left;
      left = 0;
    }
    if (top < 0)
    {
      dsty -= top;
      top = 0;
    }
  }
  if (dstx < 0)
  {
    left -= dstx;
    dstx = 0;
  }
  if (dsty < 0)
  {
    top -= dsty;
    dsty = 0;
  }

  const int64_t destW = dest->GetWidth(), destH = dest->GetHeight();
  if (left >= right || top >= bottom || dstx >= destW || dsty >= destH)
    return;

  int64_t cols64 = destW + left - dstx;
  if (cols64 > right)
    cols64 = right;
  cols64 -= left;
  int64_t rows64 = destH + top - dsty;
  if (rows64 > bottom)
    rows64 = bottom;
  rows64 -= top;
  if (cols64 <= 0 || rows64 <= 0)
    return;
  const int cols = (int)cols64, rows = (int)rows64;

  if (!dest->GetBits() || !src->GetBits())
    return;

  LICE_Pixel* d = LICE_PixelPointer(dest, (int)dstx, (int)dsty);
  const LICE_Pixel* s = LICE_PixelPointer(src, (int)left, (int)top);
  const ptrdiff_t ds = LICE_RowStride(dest), ss = LICE_RowStride(src);

  if ((mode & 0xFF) >= BlitMode::ChannelCopy)
  {
    const int fromShift = (mode & 3) * 8, toShift = ((mode >> 2) & 3) * 8;
    const LICE_Pixel keep = ~((LICE_Pixel)0xFF << toShift);
    ForEachPixel(d, ds, s, ss, cols, rows, [=](LICE_Pixel* dp, LICE_Pixel sp) {
      *dp = (*dp & keep) | (((sp >> fromShift) & 0xFF) << toShift);
    });
    return;
  }

  mode &= BlitMode::Mask;
  if (mode == BlitMode::Copy)
  {
    if (alpha == 1.0f)
    {
      for (int y = 0; y < rows; ++y, d += ds, s += ss)
        memmove(d, s, (size_t)cols * sizeof(LICE_Pixel));
      return;
    }
    if (alpha == 0.5f)
    {
      ForEachPixel(d, ds, s, ss, cols, rows, [](LICE_Pixel* dp, LICE_Pixel sp) { *dp = Half(sp) + Half(*dp); });
      return;
    }
  }

  int w = LICE_AlphaWeight(alpha);
  if (w <= 0)
    return;
  if (w > 256)
    w = 256;

  if (mode == BlitMode::Copy && w == 256)
  {
    ForEachPixel(d, ds, s, ss, cols, rows, [](LICE_Pixel* dp, LICE_Pixel sp) { *dp = sp; });
    return;
  }
  if (mode <= BlitMode::HsvAdjust)
  {
    // Every operation, HSV adjust included, takes the source alpha as its alpha.
    LICE_WithCombiner(mode, [&](auto combine) {
      ForEachPixel(d, ds, s, ss, cols, rows, [w](LICE_Pixel* dp, LICE_Pixel sp) {
        decltype(combine)::value(dp, LICE_GETR(sp), LICE_GETG(sp), LICE_GETB(sp), LICE_GETA(sp), w);
      });
    });
    return;
  }

  switch (mode)
  {
    case BlitMode::UseSourceAlpha | BlitMode::Copy:
      if (w == 256)
        CopyBySourceAlphaOpaque(d, ds, s, ss, cols, rows);
      else
        CopyBySourceAlpha(d, ds, s, ss, cols, rows, w);
      break;
    case BlitMode::UseSourceAlpha | BlitMode::Add:
      CombineRowsBySourceAlpha<LICE_ChannelOps::Add, true>(d, ds, s, ss, cols, rows, w);
      break;
    case BlitMode::UseSourceAlpha | BlitMode::Dodge:
      CombineRowsBySourceAlpha<LICE_ChannelOps::Dodge, false>(d, ds, s, ss, cols, rows, w);
      break;
    case BlitMode::UseSourceAlpha | BlitMode::Multiply:
      CombineRowsBySourceAlpha<LICE_ChannelOps::Multiply, true>(d, ds, s, ss, cols, rows, w);
      break;
    case BlitMode::UseSourceAlpha | BlitMode::SoftLight:
      CombineRowsBySourceAlpha<LICE_ChannelOps::SoftLight, false>(d, ds, s, ss, cols, rows, w);
      break;
    case BlitMode::UseSourceAlpha | BlitMode::HsvAdjust:
      ForEachPixel(d, ds, s, ss, cols, rows, [w](LICE_Pixel* dp, LICE_Pixel sp) {
        const int sa = LICE_GETA(sp);
        LICE_CombineHsvAdjust(dp, LICE_GETR(sp), LICE_GETG(sp), LICE_GETB(sp), sa, w * (sa + 1) / 256);
      });
      break;
    default: break;  // unknown modes draw nothing
  }
}
