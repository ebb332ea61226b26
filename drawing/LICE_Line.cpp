#include "drawing/LICE_Line.h"

#include <cstdint>
#include <utility>

#include "drawing/LICE_Combine.h"

namespace
{
  inline LICE_Pixel Half(LICE_Pixel p) { return (p >> 1) & 0x7F7F7F7F; }
  inline LICE_Pixel Quarter(LICE_Pixel p) { return (p >> 2) & 0x3F3F3F3F; }

  struct LineColour
  {
    explicit LineColour(LICE_Pixel c)
      : value(c), r(LICE_GETR(c)), g(LICE_GETG(c)), b(LICE_GETB(c)), a(LICE_GETA(c))
    {
    }
    LICE_Pixel value;
    int r, g, b, a;
  };

  // The plain copy forms at full and half weight, as whole-pixel combiners.
  void SetPixel(LICE_Pixel* p, int r, int g, int b, int a, int) { *p = LICE_RGBA(r, g, b, a); }
  void AveragePixel(LICE_Pixel* p, int r, int g, int b, int a, int)
  {
    const LICE_Pixel d = *p;
    *p = LICE_RGBA((LICE_GETR(d) + r) >> 1, (LICE_GETG(d) + g) >> 1, (LICE_GETB(d) + b) >> 1, (LICE_GETA(d) + a) >> 1);
  }

  // The colour's alpha byte meets the pixel's alpha byte.
  template <LICE_CombineFn Combine>
  inline void Apply(LICE_Pixel* p, const LineColour& c, int w)
  {
    Combine(p, c.r, c.g, c.b, c.a, w);
  }

  // Calls f with the combiner of mode m; without antialiasing, copy mode at the
  // weights 256 and 128 stores or averages instead.
  template <class F>
  void WithLineCombiner(int m, int w, bool plain, F&& f)
  {
    if (plain && m == BlitMode::Copy && w == 256)
      f(LICE_CombineOp<SetPixel>());
    else if (plain && m == BlitMode::Copy && w == 128)
      f(LICE_CombineOp<AveragePixel>());
    else
      LICE_WithCombiner(m, f);
  }

  // Horizontal and vertical runs: n pixels, step apart.
  template <LICE_CombineFn Op>
  void RunKernel(LICE_Pixel* p, ptrdiff_t step, int n, const LineColour& c, int w)
  {
    for (int i = 0; i < n; ++i, p += step)
      Apply<Op>(p, c, w);
  }

  // count + 1 pixels on the diagonal.
  template <LICE_CombineFn Op>
  void DiagonalKernel(LICE_Pixel* p, int count, int xStep, ptrdiff_t yStep, const LineColour& c, int w)
  {
    const ptrdiff_t step = xStep + yStep;
    for (int i = 0; i <= count; ++i, p += step)
      Apply<Op>(p, c, w);
  }

  // Line pixels at 3/4 of the weight, the two side pixels of each but the last
  // at 1/4.
  template <LICE_CombineFn Op>
  void DiagonalAntialiasedKernel(LICE_Pixel* p, int count, int xStep, ptrdiff_t yStep, const LineColour& c, int w)
  {
    const ptrdiff_t step = xStep + yStep;
    const int lineWeight = 3 * w / 4, sideWeight = w / 4;
    for (int i = 0; i < count; ++i, p += step)
    {
      Apply<Op>(p, c, lineWeight);
      Apply<Op>(p + xStep, c, sideWeight);
      Apply<Op>(p + yStep, c, sideWeight);
    }
    Apply<Op>(p, c, lineWeight);
  }

  // Walks from both ends toward the middle, one pixel per major position, the
  // minor position rounded to nearest (ties up).
  template <LICE_CombineFn Op>
  void SlopedKernel(LICE_Pixel* start, LICE_Pixel* end, int slope, ptrdiff_t majorStep, int majorCount,
                    ptrdiff_t minorStep, const LineColour& c, int w)
  {
    const int half = (majorCount + 1) / 2;
    int acc = 0;
    for (int i = 0; i < half; ++i)
    {
      Apply<Op>(start, c, w);
      Apply<Op>(end, c, w);
      acc += slope;
      if (acc >= 0x8000)
      {
        acc -= 0x10000;
        start += minorStep;
        end -= minorStep;
      }
      start += majorStep;
      end -= majorStep;
    }
    if (!(majorCount & 1))
      Apply<Op>(start, c, w);
  }

  // Two pixels per major position, split by the top 8 bits of the fraction;
  // the endpoints get the full weight.
  template <LICE_CombineFn Op>
  void SlopedAntialiasedKernel(LICE_Pixel* start, LICE_Pixel* end, int slope, ptrdiff_t majorStep, int majorCount,
                               ptrdiff_t minorStep, const LineColour& c, int w)
  {
    const int half = (majorCount + 1) / 2;
    Apply<Op>(start, c, w);
    Apply<Op>(end, c, w);
    start += majorStep;
    end -= majorStep;
    LICE_Pixel* endNeighbour = end - minorStep;

    // At full weight the split needs no multiplication (w * f >> 8 is f then).
    auto nearWeight = [w](int f) { return w == 256 ? 255 - f : (255 - f) * w >> 8; };
    auto farWeight = [w](int f) { return w == 256 ? f : w * f >> 8; };
    int acc = slope;
    for (int i = 0; i < half - 1; ++i)
    {
      const int f = acc >> 8;
      const int nearW = nearWeight(f), farW = farWeight(f);
      Apply<Op>(start, c, nearW);
      Apply<Op>(start + minorStep, c, farW);
      Apply<Op>(end, c, nearW);
      Apply<Op>(endNeighbour, c, farW);
      acc += slope;
      if (acc >= 0x10000)
      {
        acc -= 0x10000;
        start += minorStep;
        end -= minorStep;
        endNeighbour -= minorStep;
      }
      start += majorStep;
      end -= majorStep;
      endNeighbour -= majorStep;
    }
    if (!(majorCount & 1))
    {
      const int f = acc >> 8;
      Apply<Op>(start, c, nearWeight(f));
      Apply<Op>(start + minorStep, c, farWeight(f));
    }
  }

  int Outcode(int64_t x, int64_t y, int64_t w, int64_t h)
  {
    int c = 0;
    if (x < 0)
      c |= 1;
    else if (x >= w)
      c |= 2;
    if (y < 0)
      c |= 4;
    else if (y >= h)
      c |= 8;
    return c;
  }

  // The clip in 64 bits, so that flipping extreme coordinates cannot overflow.
  // Every new point lies between the current two, so the results stay within
  // the range of the inputs.
  bool ClipLine64(int64_t& x1, int64_t& y1, int64_t& x2, int64_t& y2, int64_t w, int64_t h)
  {
    int c1 = Outcode(x1, y1, w, h), c2 = Outcode(x2, y2, w, h);
    for (;;)
    {
      if (!(c1 | c2))
        return true;
      if (c1 & c2)
        return false;
      const bool first = c1 != 0;
      const int c = first ? c1 : c2;
      const double dx = (double)(x2 - x1), dy = (double)(y2 - y1);
      int64_t x, y;
      if (c & 8)
      {
        y = h - 1;
        x = x1 + (int64_t)(dx * (double)(h - y1) / dy);
      }
      else if (c & 4)
      {
        y = 0;
        x = x1 - (int64_t)(dx * (double)y1 / dy);
      }
      else if (c & 2)
      {
        x = w - 1;
        y = y1 + (int64_t)(dy * (double)(w - x1) / dx);
      }
      else
      {
        x = 0;
        y = y1 - (int64_t)(dy * (double)x1 / dx);
      }
      if (first)
      {
        x1 = x;
        y1 = y;
        c1 = Outcode(x, y, w, h);
      }
      else
      {
        x2 = x;
        y2 = y;
        c2 = Outcode(x, y, w, h);
      }
    }
  }

  // The weight of alpha, limited to 256; 0 when the line draws nothing (a
  // weight of 0 or below, or a mode above 5).
  int LineWeight(float alpha, int m)
  {
    const int w = LICE_AlphaWeight(alpha);
    if (w <= 0 || m > 5)
      return 0;
    return w > 256 ? 256 : w;
  }

  // Horizontal and vertical lines.
  void StraightLine(LICE_Pixel* p, ptrdiff_t step, int n, LICE_Pixel colour, float alpha, int m)
  {
    if (m == BlitMode::Copy)
    {
      // Exact single-precision comparisons; NaN takes none of them.
      if (alpha == 1.0f)
      {
        for (int i = 0; i < n; ++i, p += step)
          *p = colour;
        return;
      }
      if (alpha == 0.5f)
      {
        const LICE_Pixel c = Half(colour);
        for (int i = 0; i < n; ++i, p += step)
          *p = Half(*p) + c;
        return;
      }
      if (alpha == 0.25f)
      {
        const LICE_Pixel c = Quarter(colour);
        for (int i = 0; i < n; ++i, p += step)
          *p = Half(*p) + Quarter(*p) + c;
        return;
      }
      if (alpha == 0.75f)
      {
        const LICE_Pixel c = Half(colour) + Quarter(colour);
        for (int i = 0; i < n; ++i, p += step)
          *p = Quarter(*p) + c;
        return;
      }
    }
    const int w = LineWeight(alpha, m);
    if (!w)
      return;
    const LineColour c(colour);
    WithLineCombiner(m, w, true, [&](auto op) { RunKernel<decltype(op)::value>(p, step, n, c, w); });
  }

  void DiagonalPath(LICE_Pixel* p, int d, int xStep, ptrdiff_t yStep, LICE_Pixel colour, float alpha, int m,
                    bool antialias)
  {
    if (m == BlitMode::Copy && alpha == 1.0f)
    {
      LICE_DiagonalLine(p, d, xStep, yStep, colour, antialias);
      return;
    }
    const int w = LineWeight(alpha, m);
    if (!w)
      return;
    const LineColour c(colour);
    WithLineCombiner(m, w, !antialias, [&](auto op) {
      if (antialias)
        DiagonalAntialiasedKernel<decltype(op)::value>(p, d, xStep, yStep, c, w);
      else
        DiagonalKernel<decltype(op)::value>(p, d, xStep, yStep, c, w);
    });
  }

  void SlopedPath(LICE_Pixel* start, LICE_Pixel* end, int slope, ptrdiff_t majorStep, int majorCount,
                  ptrdiff_t minorStep, LICE_Pixel colour, float alpha, int m, bool antialias)
  {
    const int w = LineWeight(alpha, m);
    if (!w)
      return;
    const LineColour c(colour);
    WithLineCombiner(m, w, !antialias, [&](auto op) {
      if (antialias)
        SlopedAntialiasedKernel<decltype(op)::value>(start, end, slope, majorStep, majorCount, minorStep, c, w);
      else
        SlopedKernel<decltype(op)::value>(start, end, slope, majorStep, majorCount, minorStep, c, w);
    });
  }
}

bool LICE_ClipLine(int& x1, int& y1, int& x2, int& y2, int width, int height)
{
  int64_t a = x1, b = y1, c = x2, d = y2;
  const bool inside = ClipLine64(a, b, c, d, width, height);
  x1 = (int)a;
  y1 = (int)b;
  x2 = (int)c;
  y2 = (int)d;
  return inside;
}

void LICE_DiagonalLine(LICE_Pixel* p, int count, int xStep, ptrdiff_t yStep, LICE_Pixel colour, bool antialias)
{
  const ptrdiff_t step = xStep + yStep;
  if (!antialias)
  {
    for (int i = 0; i <= count; ++i, p += step)
      *p = colour;
    return;
  }
  const LICE_Pixel lineColour = Half(colour) + Quarter(colour);  // three quarters of the colour
  const LICE_Pixel sideColour = Quarter(colour);
  for (int i = 0; i < count; ++i, p += step)
  {
    *p = lineColour + Quarter(*p);
    p[xStep] = Half(p[xStep]) + Quarter(p[xStep]) + sideColour;
    p[yStep] = Half(p[yStep]) + Quarter(p[yStep]) + sideColour;
  }
  *p = lineColour + Quarter(*p);
}

void LICE_Line(LICE_IBitmap* bitmap, int x1_, int y1_, int x2_, int y2_, LICE_Pixel colour, float alpha, int mode,
               bool antialias)
{
  if (!bitmap)
    return;
  const int w = bitmap->GetWidth(), h = bitmap->GetHeight();
  int64_t x1 = x1_, y1 = y1_, x2 = x2_, y2 = y2_;
  if (bitmap->IsFlipped())
  {
    y1 = h - y1 - 1;
    y2 = h - y2 - 1;
  }
  if (!ClipLine64(x1, y1, x2, y2, w, h))
    return;
  LICE_Pixel* bits = bitmap->GetBits();
  if (!bits)
    return;

  // Memory addressing: the flip has been applied to the coordinates.
  const ptrdiff_t span = bitmap->GetRowSpan();
  auto at = [=](int64_t x, int64_t y) { return bits + (ptrdiff_t)y * span + (ptrdiff_t)x; };
  const int m = mode & 0xFF;

  if (y1 == y2)
  {
    if (x1 > x2)
      std::swap(x1, x2);
    StraightLine(at(x1, y1), 1, (int)(x2 - x1 + 1), colour, alpha, m);
    return;
  }
  if (x1 == x2)
  {
    if (y1 > y2)
      std::swap(y1, y2);
    StraightLine(at(x1, y1), span, (int)(y2 - y1 + 1), colour, alpha, m);
    return;
  }

  const int64_t dx = x2 - x1, dy = y2 - y1;
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  if (adx == ady)
  {
    DiagonalPath(at(x1, y1), (int)adx, dx > 0 ? 1 : -1, dy > 0 ? span : -span, colour, alpha, m, antialias);
    return;
  }

  const bool xMajor = adx > ady;
  const ptrdiff_t majorStep = xMajor ? 1 : span;
  ptrdiff_t minorStep = xMajor ? span : 1;
  int64_t majorDelta = xMajor ? dx : dy;
  int64_t minorDelta = xMajor ? dy : dx;
  LICE_Pixel* start = at(x1, y1);
  LICE_Pixel* end = at(x2, y2);
  if (majorDelta < 0)
  {
    std::swap(start, end);
    majorDelta = -majorDelta;
    minorDelta = -minorDelta;
  }
  if (minorDelta < 0)
  {
    minorDelta = -minorDelta;
    minorStep = -minorStep;
  }
  const int slope = (int)((double)minorDelta / (double)majorDelta * 65536.0);
  SlopedPath(start, end, slope, majorStep, (int)majorDelta, minorStep, colour, alpha, m, antialias);
}
