#pragma once
// Per-pixel combine operations shared by blits, fills, glyphs and lines.
// Each takes the source red, green, blue and alpha (the alpha may be a weight
// up to 256 when a fill stands its weight in for it) and a weight of 1-256, and
// changes one destination pixel in place. Divisions truncate toward zero.

#include <cstdint>
#include <type_traits>

#include "drawing/LICE_Types.h"

// entry i = floor(65536 / i) - 1, entry 0 = 0
extern const uint16_t ReciprocalTable[256];

// alpha x 256 truncated toward zero (1.0 gives 256). NaN gives 0, and the value
// is kept within +-2^24 so the float-to-int conversion is always defined.
inline int LICE_AlphaWeight(double alpha)
{
  const double v = alpha * 256.0;
  if (!(v == v))
    return 0;
  if (v > 16777216.0)
    return 16777216;
  if (v < -16777216.0)
    return -16777216;
  return (int)v;
}

inline int LICE_Clamp255(int v)
{
  return v < 0 ? 0 : (v > 255 ? 255 : v);
}

inline void LICE_StorePixelClamped(LICE_Pixel* p, int r, int g, int b, int a)
{
  *p = LICE_RGBA(LICE_Clamp255(r), LICE_Clamp255(g), LICE_Clamp255(b), LICE_Clamp255(a));
}

namespace LICE_ChannelOps
{
  inline int Copy(int d, int s, int w) { return s + (d - s) * (256 - w) / 256; }
  inline int Add(int d, int s, int w) { return LICE_Clamp255(d + s * w / 256); }
  inline int Dodge(int d, int s, int w)
  {
    const int t = s * w / 256;
    if (t > 254)
      return LICE_Clamp255(d * 256);
    return LICE_Clamp255(d * 256 / (256 - t));
  }
  inline int Multiply(int d, int s, int w) { return (d * ((s - 256) * w + 65536)) >> 16; }
  inline int SoftLight(int d, int s, int w)
  {
    const int t = s * w + (256 - w) * 128;
    return LICE_Clamp255(((((32768 - t) * d) / 256) + t) * d >> 15);
  }
}

// Applies a channel operation to all four bytes of *p.
template <int (*Op)(int, int, int)>
inline void LICE_CombineWith(LICE_Pixel* p, int r, int g, int b, int a, int w)
{
  const LICE_Pixel d = *p;
  *p = LICE_RGBA(Op(LICE_GETR(d), r, w), Op(LICE_GETG(d), g, w), Op(LICE_GETB(d), b, w),
                 Op(LICE_GETA(d), a, w));
}

inline void LICE_CombineCopy(LICE_Pixel* p, int r, int g, int b, int a, int w)
{
  LICE_CombineWith<LICE_ChannelOps::Copy>(p, r, g, b, a, w);
}
inline void LICE_CombineAdd(LICE_Pixel* p, int r, int g, int b, int a, int w)
{
  LICE_CombineWith<LICE_ChannelOps::Add>(p, r, g, b, a, w);
}
inline void LICE_CombineDodge(LICE_Pixel* p, int r, int g, int b, int a, int w)
{
  LICE_CombineWith<LICE_ChannelOps::Dodge>(p, r, g, b, a, w);
}
inline void LICE_CombineMultiply(LICE_Pixel* p, int r, int g, int b, int a, int w)
{
  LICE_CombineWith<LICE_ChannelOps::Multiply>(p, r, g, b, a, w);
}
inline void LICE_CombineSoftLight(LICE_Pixel* p, int r, int g, int b, int a, int w)
{
  LICE_CombineWith<LICE_ChannelOps::SoftLight>(p, r, g, b, a, w);
}

// Hue 0-383 (384 is the full circle), saturation and value 0-255; the result's
// alpha is a's low byte.
LICE_Pixel LICE_HsvToPixel(int hue, int saturation, int value, int alpha);

// r, g, b adjust the destination's hue, saturation and value (128 = no change),
// scaled by the weight; the whole pixel is replaced and its alpha becomes a.
void LICE_CombineHsvAdjust(LICE_Pixel* p, int r, int g, int b, int a, int w);

// A whole-pixel combiner: (pixel, red, green, blue, alpha, weight).
typedef void (*LICE_CombineFn)(LICE_Pixel*, int, int, int, int, int);
template <LICE_CombineFn Fn>
using LICE_CombineOp = std::integral_constant<LICE_CombineFn, Fn>;

// Calls f once with LICE_CombineOp<combiner of op> for the operations 0-5
// (copy, add, dodge, multiply, soft light, HSV adjust), so a kernel templated on
// decltype(op)::value holds no mode branch. Other ops call nothing.
template <class F>
inline void LICE_WithCombiner(int op, F&& f)
{
  switch (op)
  {
    case BlitMode::Copy: f(LICE_CombineOp<LICE_CombineCopy>()); break;
    case BlitMode::Add: f(LICE_CombineOp<LICE_CombineAdd>()); break;
    case BlitMode::Dodge: f(LICE_CombineOp<LICE_CombineDodge>()); break;
    case BlitMode::Multiply: f(LICE_CombineOp<LICE_CombineMultiply>()); break;
    case BlitMode::SoftLight: f(LICE_CombineOp<LICE_CombineSoftLight>()); break;
    case BlitMode::HsvAdjust: f(LICE_CombineOp<LICE_CombineHsvAdjust>()); break;
    default: break;
  }
}
