#include "tools/imagegen/Canvas.h"

#include <png.h>

#include <algorithm>
#include <cstdio>

namespace imagegen
{
  void Canvas::Fill(const Shape& shape, const Paint& paint, Box bb, float soft)
  {
    const int x0 = std::max(0, (int)std::floor(bb.x0 - soft - 1));
    const int y0 = std::max(0, (int)std::floor(bb.y0 - soft - 1));
    const int x1 = std::min(mW, (int)std::ceil(bb.x1 + soft + 1));
    const int y1 = std::min(mH, (int)std::ceil(bb.y1 + soft + 1));
    for (int y = y0; y < y1; ++y)
    {
      for (int x = x0; x < x1; ++x)
      {
        const float px = x + 0.5f, py = y + 0.5f;
        const float d = shape(px, py);
        const float cov = Clamp01(0.5f - d / soft);
        if (cov <= 0)
          continue;
        const Colour c = paint(px, py);
        const float a = Clamp01(c.a) * cov;
        Colour& dst = mPx[(size_t)y * mW + x];
        dst.r = c.r * a + dst.r * (1 - a);
        dst.g = c.g * a + dst.g * (1 - a);
        dst.b = c.b * a + dst.b * (1 - a);
        dst.a = a + dst.a * (1 - a);
      }
    }
  }

  template <class F>
  void Canvas::ForEachOverlap(const Canvas& src, int dx, int dy, F f)
  {
    for (int y = 0; y < src.mH; ++y)
    {
      if (y + dy < 0 || y + dy >= mH)
        continue;
      for (int x = 0; x < src.mW; ++x)
      {
        if (x + dx < 0 || x + dx >= mW)
          continue;
        f(mPx[(size_t)(y + dy) * mW + x + dx], src.mPx[(size_t)y * src.mW + x]);
      }
    }
  }

  void Canvas::Place(const Canvas& src, int dx, int dy)
  {
    ForEachOverlap(src, dx, dy, [](Colour& d, const Colour& s) { d = s; });
  }

  void Canvas::Over(const Canvas& src, int dx, int dy)
  {
    ForEachOverlap(src, dx, dy, [](Colour& d, const Colour& s) {
      d = {s.r + d.r * (1 - s.a), s.g + d.g * (1 - s.a), s.b + d.b * (1 - s.a), s.a + d.a * (1 - s.a)};
    });
  }

  std::vector<uint8_t> Canvas::ToRGBA8() const
  {
    std::vector<uint8_t> out((size_t)mW * mH * 4);
    for (size_t i = 0; i < mPx.size(); ++i)
    {
      const Colour& p = mPx[i];
      const float a = Clamp01(p.a);
      auto chan = [a](float v) {
        const float s = a > 0 ? v / a : 0;
        return (uint8_t)std::lround(Clamp01(s) * 255.0f);
      };
      out[i * 4 + 0] = chan(p.r);
      out[i * 4 + 1] = chan(p.g);
      out[i * 4 + 2] = chan(p.b);
      out[i * 4 + 3] = (uint8_t)std::lround(a * 255.0f);
      if (out[i * 4 + 3] == 0)
        out[i * 4 + 0] = out[i * 4 + 1] = out[i * 4 + 2] = 0;
    }
    return out;
  }

  Shape Circle(float cx, float cy, float r)
  {
    return [=](float x, float y) { return Length(x - cx, y - cy) - r; };
  }

  Shape Ring(float cx, float cy, float r, float halfWidth)
  {
    return [=](float x, float y) { return std::fabs(Length(x - cx, y - cy) - r) - halfWidth; };
  }

  Shape Capsule(float ax, float ay, float bx, float by, float r)
  {
    return [=](float x, float y) {
      const float pax = x - ax, pay = y - ay, bax = bx - ax, bay = by - ay;
      const float len2 = bax * bax + bay * bay;
      const float h = len2 > 0 ? Clamp01((pax * bax + pay * bay) / len2) : 0.0f;
      return Length(pax - bax * h, pay - bay * h) - r;
    };
  }

  Shape RoundBox(float cx, float cy, float hw, float hh, float r)
  {
    return [=](float x, float y) {
      const float qx = std::fabs(x - cx) - hw + r, qy = std::fabs(y - cy) - hh + r;
      const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
      return Length(ox, oy) + std::min(std::max(qx, qy), 0.0f) - r;
    };
  }

  Shape Union(std::vector<Shape> parts)
  {
    return [parts](float x, float y) {
      float d = 1e9f;
      for (const Shape& s : parts)
        d = std::min(d, s(x, y));
      return d;
    };
  }

  float Hash(int x, int y, int seed)
  {
    uint32_t h = (uint32_t)x * 374761393u + (uint32_t)y * 668265263u + (uint32_t)seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / 16777215.0f;
  }

  bool WritePNGRows(const std::string& path, png_bytep* rows, const std::function<void(png_structp, png_infop)>& describe)
  {
    // No local with a destructor lives in this frame: a long jump skips them.
    FILE* fp = fopen(path.c_str(), "wb");
    if (!fp)
      return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png)))
    {
      png_destroy_write_struct(&png, &info);
      fclose(fp);
      return false;
    }
    png_init_io(png, fp);
    describe(png, info);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return fclose(fp) == 0;
  }

  bool WritePNG(const std::string& path, const Canvas& c)
  {
    std::vector<uint8_t> pixels = c.ToRGBA8();
    std::vector<png_bytep> rows((size_t)c.Height());
    for (int y = 0; y < c.Height(); ++y)
      rows[(size_t)y] = pixels.data() + (size_t)y * c.Width() * 4;
    return WritePNGRows(path, rows.data(), [&c](png_structp png, png_infop info) {
      png_set_compression_level(png, 9);
      png_set_IHDR(png, info, (png_uint_32)c.Width(), (png_uint_32)c.Height(), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                   PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    });
  }
}
