#pragma once
// The per-byte combine rules of glyphs and lines, written out one byte at a
// time as the oracle for the kernels (HSV adjust goes through the combiner).

#include "drawing/LICE_Combine.h"

inline int RefClamp(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// x the old byte, k the colour byte, w the pixel weight; mode 0-4.
inline int RefByte(int mode, int x, int k, int w)
{
  switch (mode)
  {
    case 0: return k + (x - k) * (256 - w) / 256;
    case 1: return RefClamp(x + k * w / 256);
    case 2:
    {
      const int t = k * w / 256;
      return t > 254 ? RefClamp(x * 256) : RefClamp(x * 256 / (256 - t));
    }
    case 3: return (x * (256 * (256 - w) + k * w)) >> 16;
    case 4:
    {
      const int K = 32768 + w * (k - 128);
      return RefClamp((((32768 - K) * x / 256) + K) * x >> 15);
    }
  }
  return x;
}

inline LICE_Pixel RefPixel(int mode, LICE_Pixel p, int r, int g, int b, int a, int w)
{
  if (mode == 5)
  {
    LICE_CombineHsvAdjust(&p, r, g, b, a, w);
    return p;
  }
  return LICE_RGBA(RefByte(mode, LICE_GETR(p), r, w), RefByte(mode, LICE_GETG(p), g, w),
                   RefByte(mode, LICE_GETB(p), b, w), RefByte(mode, LICE_GETA(p), a, w));
}
