#pragma once
// A small float RGBA canvas with signed-distance shapes, used to paint the
// editor's images. Coordinates are in pixels, pixel centres at +0.5.

#include <png.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace imagegen
{
  struct Colour
  {
    float r, g, b, a;
  };

  inline Colour Rgb(uint32_t hex, float a = 1.0f)
  {
    return {((hex >> 16) & 0xFF) / 255.0f, ((hex >> 8) & 0xFF) / 255.0f, (hex & 0xFF) / 255.0f, a};
  }
  inline Colour Mix(const Colour& x, const Colour& y, float t)
  {
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
  }
  inline Colour Scale(const Colour& c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }
  inline Colour WithAlpha(const Colour& c, float a) { return {c.r, c.g, c.b, a}; }

  inline float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
  inline float Smooth(float e0, float e1, float x)
  {
    const float t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
  }

  // Signed distance (negative inside) at a point.
  using Shape = std::function<float(float x, float y)>;
  // Straight colour and opacity at a point.
  using Paint = std::function<Colour(float x, float y)>;

  struct Box
  {
    float x0, y0, x1, y1;
  };

  class Canvas
  {
  public:
    Canvas(int w, int h) : mW(w), mH(h), mPx((size_t)w * h, Colour{0, 0, 0, 0}) {}

    int Width() const { return mW; }
    int Height() const { return mH; }

    // Composites paint over the canvas where shape is inside, antialiased over
    // `soft` pixels (1 for a crisp edge, more for a blurred one).
    void Fill(const Shape& shape, const Paint& paint, Box bb, float soft = 1.0f);
    void Fill(const Shape& shape, const Colour& c, Box bb, float soft = 1.0f)
    {
      Fill(shape, [c](float, float) { return c; }, bb, soft);
    }
    void FillAll(const Paint& paint)
    {
      Fill([](float, float) { return -1e9f; }, paint, Box{0, 0, (float)mW, (float)mH});
    }

    // Copies another canvas's pixels to (dx, dy), replacing what is there.
    void Place(const Canvas& src, int dx, int dy);

    // Composites another canvas over this one at (dx, dy).
    void Over(const Canvas& src, int dx, int dy);

    // 8-bit straight RGBA rows, top row first.
    std::vector<uint8_t> ToRGBA8() const;

  private:
    // Calls f(destination pixel, source pixel) where src placed at (dx, dy) overlaps.
    template <class F>
    void ForEachOverlap(const Canvas& src, int dx, int dy, F f);

    int mW, mH;
    std::vector<Colour> mPx;  // premultiplied
  };

  // Distance functions.
  inline float Length(float x, float y) { return std::sqrt(x * x + y * y); }
  Shape Circle(float cx, float cy, float r);
  Shape Ring(float cx, float cy, float r, float halfWidth);
  Shape Capsule(float ax, float ay, float bx, float by, float r);
  Shape RoundBox(float cx, float cy, float hw, float hh, float r);
  Shape Union(std::vector<Shape> parts);

  inline Box Around(float cx, float cy, float r) { return Box{cx - r, cy - r, cx + r, cy + r}; }

  // A direction in degrees: 0 points up, positive turns clockwise.
  inline float DirX(float deg) { return std::sin(deg * 3.14159265f / 180.0f); }
  inline float DirY(float deg) { return -std::cos(deg * 3.14159265f / 180.0f); }

  // Deterministic hash noise in 0..1.
  float Hash(int x, int y, int seed);

  // Writes rows already in the file's pixel format; describe sets the header
  // (and any further chunks) before the info is written.
  bool WritePNGRows(const std::string& path, png_bytep* rows,
                    const std::function<void(png_structp, png_infop)>& describe);

  // 8-bit RGBA, the canvas's own size.
  bool WritePNG(const std::string& path, const Canvas& c);
}
