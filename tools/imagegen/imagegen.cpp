// Paints the editor's eight images (and, with --seeds, a few tiny PNG files in
// the less common formats for the decoder's fuzz corpus).
//
//   imagegen <output dir>           writes bkg.png, knob.png, ... into the dir
//   imagegen --seeds <output dir>   writes the seed PNG files
//   imagegen --preview <file> <0..1> <0|1>   the panel with its controls set

#include <png.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/imagegen/Canvas.h"
#include "tools/imagegen/StrokeFont.h"

using namespace imagegen;

namespace
{
  const float kMinAngle = -135.0f, kMaxAngle = 135.0f;

  // Panel palette.
  const Colour kLabel = Rgb(0xE9E3D3);
  const Colour kLabelShadow = Rgb(0x000000, 0.65f);
  const Colour kAccent = Rgb(0xD8342A);

  float FrameAngle(int frame, int frames)
  {
    return kMinAngle + (kMaxAngle - kMinAngle) * frame / (float)(frames - 1);
  }

  void Label(Canvas& c, const std::string& text, float cx, float y, float cap, Colour colour = kLabel)
  {
    TextStyle shadow;
    shadow.capHeight = cap;
    shadow.colour = kLabelShadow;
    DrawTextCentred(c, text, cx, y + 1.0f, shadow);
    TextStyle st = shadow;
    st.colour = colour;
    DrawTextCentred(c, text, cx, y, st);
  }

  // Tick marks of a knob's travel, printed on the panel.
  void Scale(Canvas& c, float cx, float cy, float r0, float r1, int ticks)
  {
    for (int i = 0; i < ticks; ++i)
    {
      const float a = FrameAngle(i, ticks);
      const bool major = i == 0 || i == ticks - 1 || i == ticks / 2;
      const float outer = major ? r1 + 1.5f : r1;
      c.Fill(Capsule(cx + DirX(a) * r0, cy + DirY(a) * r0, cx + DirX(a) * outer, cy + DirY(a) * outer,
                     major ? 0.9f : 0.6f),
             WithAlpha(kLabel, major ? 0.9f : 0.6f), Around(cx, cy, outer + 2));
    }
  }

  // A recess the knob sits in.
  void Well(Canvas& c, float cx, float cy, float r)
  {
    c.Fill(Circle(cx, cy, r), [=](float x, float y) {
      const float t = Clamp01((y - (cy - r)) / (2 * r));
      return Mix(Rgb(0x0B0C0E), Rgb(0x1E2024), t);
    }, Around(cx, cy, r));
    c.Fill(Ring(cx, cy, r, 0.6f), [=](float x, float y) {
      const float up = -(y - cy) / r;
      return up > 0 ? Rgb(0x000000, 0.5f * up) : Rgb(0x5A5E66, -0.6f * up);
    }, Around(cx, cy, r + 1));
  }

  void Screw(Canvas& c, float cx, float cy)
  {
    c.Fill(Circle(cx + 0.5f, cy + 1.0f, 4.2f), Rgb(0x000000, 0.5f), Around(cx, cy + 1, 6), 2.0f);
    c.Fill(Circle(cx, cy, 4.0f), [=](float x, float y) {
      return Mix(Rgb(0xB9BCC2), Rgb(0x55585E), Clamp01((x - cx + y - cy + 5) / 10));
    }, Around(cx, cy, 4));
    c.Fill(Capsule(cx - 2.6f, cy + 1.4f, cx + 2.6f, cy - 1.4f, 0.55f), Rgb(0x24262A), Around(cx, cy, 4));
  }

  Canvas Background()
  {
    const int W = 410, H = 460;
    Canvas c(W, H);

    // Powder-coated steel: a dark vertical gradient with a fine grain.
    c.FillAll([=](float x, float y) {
      const float t = y / H;
      Colour base = Mix(Rgb(0x2C2E33), Rgb(0x17181B), t);
      const float grain = (Hash((int)x, (int)y, 7) - 0.5f) * 0.035f + (Hash((int)(x / 3), (int)y, 3) - 0.5f) * 0.02f;
      return Colour{base.r + grain, base.g + grain, base.b + grain, 1.0f};
    });
    // Bevelled edge.
    c.Fill([=](float x, float y) { return std::fabs(RoundBox(W / 2.0f, H / 2.0f, W / 2.0f - 2.5f, H / 2.0f - 2.5f, 8)(x, y)) - 1.0f; },
           [=](float x, float y) { return x + y < (W + H) / 2.0f ? Rgb(0x6A6E76, 0.55f) : Rgb(0x000000, 0.6f); },
           Box{0, 0, (float)W, (float)H});

    for (auto p : {std::pair<float, float>{8, 8}, {402, 8}, {8, 452}, {402, 452}})
      Screw(c, p.first, p.second);

    // Knob wells and scales (centres from the layout: knob rectangles plus half their frame).
    Well(c, 65, 69, 40);
    Scale(c, 65, 69, 42.5f, 46.5f, 11);
    Well(c, 249, 69, 40);
    Scale(c, 249, 69, 42.5f, 46.5f, 11);
    Well(c, 157, 104, 31.5f);
    Scale(c, 157, 104, 33.5f, 37.0f, 11);
    Scale(c, 358, 286, 16.5f, 18.5f, 11);

    Label(c, "TONE", 65, 106, 8);
    Label(c, "DIST", 249, 106, 8);
    Label(c, "LEVEL", 157, 146, 8);
    Label(c, "DRY/WET", 358, 256, 8);

    // The status LED's bezel, and the level meter's.
    for (auto p : {std::pair<float, float>{159, 39}, {60, 128}})
    {
      c.Fill(Circle(p.first, p.second, 8.5f), Rgb(0x0A0A0B), Around(p.first, p.second, 9));
      c.Fill(Ring(p.first, p.second, 8.5f, 0.7f), [=](float x, float y) {
        return Mix(Rgb(0x8C9098), Rgb(0x3A3D42), Clamp01((y - p.second + 8) / 16));
      }, Around(p.first, p.second, 10));
    }
    Label(c, "ON", 159, 52, 5.5f);
    Label(c, "PEAK", 86, 125, 6);

    // Switch column.
    Label(c, "SATURATION", 359, 51, 8);
    Label(c, "HISS", 359, 126, 8);
    Label(c, "ULTRA", 359, 198, 8);
    for (float y : {64.0f, 139.0f, 211.0f})
      c.Fill(RoundBox(359, y + 8, 46.5f, 9.5f, 9.5f), Rgb(0x000000, 0.45f), Box{310, y - 3, 408, y + 19}, 2.0f);

    // Name.
    {
      TextStyle st;
      st.capHeight = 14;
      st.tracking = 3.2f;
      st.weight = 0.13f;
      st.colour = kLabelShadow;
      DrawTextCentred(c, "ZENTIK", 157, 177, st);
      st.colour = kLabel;
      DrawTextCentred(c, "ZENTIK", 157, 176, st);

      TextStyle big;
      big.capHeight = 40;
      big.weight = 0.095f;
      big.tracking = 1.4f;
      big.colour = Rgb(0x000000, 0.7f);
      DrawTextCentred(c, "QX40", 158, 200, big);
      big.colour = kAccent;
      DrawTextCentred(c, "QX40", 157, 198, big);

      TextStyle sub;
      sub.capHeight = 8;
      sub.tracking = 2.4f;
      sub.colour = Rgb(0x9A9DA3);
      DrawTextCentred(c, "DISTORTION", 157, 250, sub);
      c.Fill(Capsule(60, 270, 254, 270, 0.6f), Rgb(0x9A9DA3, 0.5f), Box{58, 268, 256, 272});
    }

    // Footswitch plate over the bypass area.
    c.Fill(RoundBox(155.5f, 358, 128, 60, 10), [=](float x, float y) {
      return Mix(Rgb(0x33363C), Rgb(0x1F2125), Clamp01((y - 298) / 120));
    }, Box{27, 298, 284, 418});
    c.Fill([=](float x, float y) { return std::fabs(RoundBox(155.5f, 358, 128, 60, 10)(x, y)) - 0.7f; },
           [=](float x, float y) { return y < 358 ? Rgb(0x70747C, 0.6f) : Rgb(0x000000, 0.7f); }, Box{26, 297, 285, 419});
    {
      const float cx = 155.5f, cy = 350;
      c.Fill(Circle(cx + 1, cy + 3, 29), Rgb(0x000000, 0.6f), Around(cx, cy + 3, 32), 5.0f);
      // Hex nut.
      c.Fill([=](float x, float y) {
        float px = std::fabs(x - cx), py = std::fabs(y - cy);
        const float k = 0.8660254f;  // hexagon of apothem 25
        const float d1 = px * k + py * 0.5f;
        return std::max(d1, py) - 25.0f;
      }, [=](float x, float y) {
        return Mix(Rgb(0xC8CBD0), Rgb(0x5F6268), Clamp01((x - cx + y - cy + 30) / 60));
      }, Around(cx, cy, 30));
      c.Fill(Circle(cx, cy, 19), [=](float x, float y) {
        const float t = Clamp01((y - cy + 19) / 38);
        const float glint = std::exp(-((x - cx + 6) * (x - cx + 6) + (y - cy + 8) * (y - cy + 8)) / 60.0f);
        Colour m = Mix(Rgb(0xE4E6EA), Rgb(0x6E7178), t);
        return Mix(m, Rgb(0xFFFFFF), glint * 0.6f);
      }, Around(cx, cy, 19));
      c.Fill(Ring(cx, cy, 19, 0.6f), Rgb(0x2A2C30, 0.8f), Around(cx, cy, 20));
      for (float r : {7.0f, 12.0f, 16.0f})
        c.Fill(Ring(cx, cy, r, 0.35f), Rgb(0x000000, 0.12f), Around(cx, cy, r + 1));
      Label(c, "BYPASS", cx, 394, 8);
    }

    // Name plate for the version label.
    c.Fill(RoundBox(246, 437, 34, 9, 3), Rgb(0xD9D2BF), Box{211, 427, 281, 447});
    c.Fill([=](float x, float y) { return std::fabs(RoundBox(246, 437, 34, 9, 3)(x, y)) - 0.5f; },
           Rgb(0x8F8874), Box{210, 426, 282, 448});
    return c;
  }

  // One knob frame: a knurled skirt, a cap and a pointer at `angle`.
  Canvas KnobFrame(int size, float angle, bool dark)
  {
    Canvas c(size, size);
    const float s = size / 100.0f;
    const float cx = size / 2.0f, cy = size / 2.0f;
    const float skirtR = 37 * s, capR = 29 * s;
    const float rad = angle * 3.14159265f / 180.0f;

    c.Fill(Circle(cx + 1.2f * s, cy + 3 * s, 39 * s), Rgb(0x000000, 0.55f), Around(cx, cy + 3 * s, 44 * s), 6 * s);

    // Knurled skirt: the edge ripples with the rotation.
    const int teeth = 36;
    auto skirt = [=](float x, float y) {
      const float phi = std::atan2(x - cx, -(y - cy));
      return Length(x - cx, y - cy) - (skirtR - 0.6f * s + 0.6f * s * std::cos(teeth * (phi - rad)));
    };
    c.Fill(skirt, [=](float x, float y) {
      const float phi = std::atan2(x - cx, -(y - cy));
      const float ridge = 0.82f + 0.18f * std::cos(teeth * (phi - rad));
      const float t = Clamp01((y - cy + skirtR) / (2 * skirtR));
      const float light = 0.75f + 0.35f * std::cos(phi + 0.7f);
      return Scale(Mix(Rgb(0x55585E), Rgb(0x1A1B1E), t), ridge * light);
    }, Around(cx, cy, skirtR + s));

    // Cap: brushed aluminium, or black anodised for the smaller knob.
    c.Fill(Circle(cx, cy, capR + 1.2f * s), Rgb(0x0E0F11, 0.9f), Around(cx, cy, capR + 2 * s));
    c.Fill(Circle(cx, cy, capR), [=](float x, float y) {
      const float dx = x - cx, dy = y - cy;
      const float t = Clamp01((dx + dy + 1.3f * capR) / (2.6f * capR));
      const float r = Length(dx, dy);
      const float brush = 0.018f * std::sin(r * 2.1f / s + 3.0f * Hash((int)(r * 2), 0, 11));
      Colour base = dark ? Mix(Rgb(0x4A4D53), Rgb(0x17181B), t) : Mix(Rgb(0xE2E4E8), Rgb(0x7D8087), t);
      const float glint = std::exp(-((dx + 9 * s) * (dx + 9 * s) + (dy + 11 * s) * (dy + 11 * s)) / (90 * s * s));
      base = Mix(base, Rgb(0xFFFFFF), glint * (dark ? 0.25f : 0.45f));
      return Colour{base.r + brush, base.g + brush, base.b + brush, 1.0f};
    }, Around(cx, cy, capR));
    c.Fill(Ring(cx, cy, capR - 0.8f * s, 0.5f * s), [=](float x, float y) {
      return Rgb(0xFFFFFF, 0.35f * Clamp01(-(y - cy) / capR));
    }, Around(cx, cy, capR));

    // Pointer.
    const float dx = DirX(angle), dy = DirY(angle);
    const Colour pointer = dark ? kAccent : Rgb(0xF6F2E8);
    c.Fill(Capsule(cx + dx * 9 * s, cy + dy * 9 * s, cx + dx * 25 * s, cy + dy * 25 * s, 2.7f * s), Rgb(0x000000, 0.55f),
           Around(cx, cy, capR));
    c.Fill(Capsule(cx + dx * 9 * s, cy + dy * 9 * s, cx + dx * 25 * s, cy + dy * 25 * s, 1.8f * s), pointer,
           Around(cx, cy, capR));
    c.Fill(Circle(cx + dx * 33 * s, cy + dy * 33 * s, 1.7f * s), dark ? Rgb(0xF6F2E8) : kAccent,
           Around(cx + dx * 33 * s, cy + dy * 33 * s, 3 * s));
    return c;
  }

  // Distance to an arc of radius r from angle a0 to a1 (degrees, clockwise from up).
  float ArcDistance(float x, float y, float cx, float cy, float r, float a0, float a1)
  {
    const float phi = std::atan2(x - cx, -(y - cy)) * 180.0f / 3.14159265f;
    if (phi >= a0 && phi <= a1)
      return std::fabs(Length(x - cx, y - cy) - r);
    const float d0 = Length(x - (cx + DirX(a0) * r), y - (cy + DirY(a0) * r));
    const float d1 = Length(x - (cx + DirX(a1) * r), y - (cy + DirY(a1) * r));
    return std::min(d0, d1);
  }

  Canvas LineKnobFrame(float angle)
  {
    const int size = 32;
    Canvas c(size, size);
    const float cx = 16, cy = 16;
    c.Fill([=](float x, float y) { return ArcDistance(x, y, cx, cy, 13.2f, kMinAngle, kMaxAngle) - 1.3f; },
           Rgb(0x0C0D0F), Around(cx, cy, 16));
    c.Fill([=](float x, float y) { return ArcDistance(x, y, cx, cy, 13.2f, kMinAngle, angle) - 1.4f; },
           [=](float x, float y) { return Mix(Rgb(0xFF7A3C), Rgb(0xD8342A), Clamp01((y - 3) / 26)); },
           Around(cx, cy, 16));
    c.Fill(Circle(cx + 0.5f, cy + 1.2f, 9.5f), Rgb(0x000000, 0.6f), Around(cx, cy + 1, 12), 2.5f);
    c.Fill(Circle(cx, cy, 9), [=](float x, float y) {
      return Mix(Rgb(0x5A5D63), Rgb(0x1A1B1E), Clamp01((x - cx + y - cy + 12) / 24));
    }, Around(cx, cy, 9));
    c.Fill(Ring(cx, cy, 8.6f, 0.4f), [=](float x, float y) { return Rgb(0xFFFFFF, 0.3f * Clamp01(-(y - cy) / 9)); },
           Around(cx, cy, 9));
    const float dx = DirX(angle), dy = DirY(angle);
    c.Fill(Capsule(cx + dx * 3, cy + dy * 3, cx + dx * 7.6f, cy + dy * 7.6f, 1.0f), Rgb(0xF6F2E8), Around(cx, cy, 9));
    return c;
  }

  Canvas SwitchFrame(bool on)
  {
    Canvas c(90, 16);
    const Shape track = RoundBox(45, 8, 44.5f, 7.5f, 7.5f);
    c.Fill(track, [](float, float y) { return Mix(Rgb(0x050506), Rgb(0x1C1D21), Clamp01((y - 1) / 14)); },
           Box{0, 0, 90, 16});
    if (on)
    {
      c.Fill(RoundBox(25, 8, 21, 5.5f, 5.5f), [](float x, float y) {
        return Mix(Rgb(0xE5392C), Rgb(0x9E1A12), Clamp01((y - 2.5f) / 11));
      }, Box{3, 2, 47, 14});
      TextStyle st;
      st.capHeight = 6;
      st.weight = 0.17f;
      st.colour = Rgb(0xFFEDE6);
      DrawTextCentred(c, "ON", 25, 5, st);
    }
    else
    {
      TextStyle st;
      st.capHeight = 6;
      st.weight = 0.17f;
      st.colour = Rgb(0x6E7177);
      DrawTextCentred(c, "OFF", 66, 5, st);
    }
    const float tx = on ? 68.0f : 22.0f;
    c.Fill(RoundBox(tx + 0.5f, 9, 20, 6, 5), Rgb(0x000000, 0.6f), Box{tx - 22, 2, tx + 22, 16}, 1.5f);
    c.Fill(RoundBox(tx, 8, 19.5f, 5.8f, 5), [](float, float y) {
      return Mix(Rgb(0xEDEEF1), Rgb(0x7F8288), Clamp01((y - 2) / 12));
    }, Box{tx - 20, 2, tx + 20, 14});
    for (float gx : {-4.0f, 0.0f, 4.0f})
      c.Fill(Capsule(tx + gx, 5.2f, tx + gx, 10.8f, 0.55f), Rgb(0x3A3C41, 0.7f), Box{tx - 6, 4, tx + 6, 12});
    return c;
  }

  // A 16 x 16 LED lens; intensity 0 is off, 1 fully lit.
  Canvas LedFrame(Colour dim, Colour lit, Colour hot, float intensity)
  {
    Canvas c(16, 16);
    const float cx = 8, cy = 8;
    if (intensity > 0)
    {
      c.Fill(Circle(cx, cy, 8), [=](float x, float y) {
        const float d = Length(x - cx, y - cy) / 8.0f;
        return WithAlpha(lit, 0.7f * intensity * (1 - d) * (1 - d));
      }, Around(cx, cy, 8));
    }
    const Colour body = Mix(dim, lit, intensity);
    c.Fill(Circle(cx, cy, 5.6f), [=](float x, float y) {
      const float d = Clamp01(Length(x - cx, y - cy) / 5.6f);
      Colour col = Mix(body, Scale(body, 0.55f), d * d);
      col = Mix(col, hot, intensity * Clamp01(1 - d * 1.6f));
      return WithAlpha(col, 1.0f);
    }, Around(cx, cy, 6));
    c.Fill(Ring(cx, cy, 5.6f, 0.45f), Rgb(0x000000, 0.55f), Around(cx, cy, 7));
    c.Fill(Circle(cx - 1.8f, cy - 2.0f, 1.5f), Rgb(0xFFFFFF, 0.45f), Around(cx - 1.8f, cy - 2, 2), 1.5f);
    return c;
  }

  Canvas Strip(int frameW, int frameH, int frames, const std::function<Canvas(int)>& frame)
  {
    Canvas strip(frameW, frameH * frames);
    for (int i = 0; i < frames; ++i)
      strip.Place(frame(i), 0, i * frameH);
    return strip;
  }

  bool Save(const std::string& dir, const char* name, const Canvas& c)
  {
    const std::string path = dir + "/" + name;
    if (!WritePNG(path, c))
    {
      fprintf(stderr, "imagegen: cannot write %s\n", path.c_str());
      return false;
    }
    return true;
  }

  int WriteImages(const std::string& dir)
  {
    const Colour redDim = Rgb(0x3A0B09), redLit = Rgb(0xFF3326), redHot = Rgb(0xFFD2C4);
    bool ok = true;
    ok &= Save(dir, "bkg.png", Background());
    ok &= Save(dir, "knob.png", Strip(100, 100, 100, [](int i) { return KnobFrame(100, FrameAngle(i, 100), false); }));
    ok &= Save(dir, "knob2.png", Strip(80, 80, 100, [](int i) { return KnobFrame(80, FrameAngle(i, 100), true); }));
    ok &= Save(dir, "onoff.png", Strip(90, 16, 2, [](int i) { return SwitchFrame(i == 1); }));
    ok &= Save(dir, "led.png", Strip(16, 16, 2, [=](int i) { return LedFrame(redDim, redLit, redHot, (float)i); }));
    ok &= Save(dir, "led-white.png", Strip(16, 16, 2, [](int i) {
      return LedFrame(Rgb(0x2A2C31), Rgb(0xE8F0FF), Rgb(0xFFFFFF), (float)i);
    }));
    ok &= Save(dir, "led-red-24.png",
               Strip(16, 16, 24, [=](int i) { return LedFrame(redDim, redLit, redHot, i / 23.0f); }));
    ok &= Save(dir, "line-knob.png", Strip(32, 32, 100, [](int i) { return LineKnobFrame(FrameAngle(i, 100)); }));
    return ok ? 0 : 1;
  }

  // The panel with every control at its place, for looking the set over.
  int WritePreview(const std::string& path, float t, bool on)
  {
    Canvas c = Background();
    const int k = (int)std::lround(t * 99);
    c.Over(KnobFrame(100, FrameAngle(k, 100), false), 15, 19);
    c.Over(KnobFrame(100, FrameAngle(99 - k, 100), false), 199, 19);
    c.Over(KnobFrame(80, FrameAngle(k, 100), true), 117, 64);
    c.Over(SwitchFrame(on), 314, 64);
    c.Over(SwitchFrame(!on), 314, 139);
    c.Over(SwitchFrame(on), 314, 211);
    c.Over(LineKnobFrame(FrameAngle(k, 100)), 342, 270);
    c.Over(LedFrame(Rgb(0x3A0B09), Rgb(0xFF3326), Rgb(0xFFD2C4), on ? 1.0f : 0.0f), 151, 31);
    if (on)
      c.Over(LedFrame(Rgb(0x2A2C31), Rgb(0xE8F0FF), Rgb(0xFFFFFF), 1.0f), 151, 31);
    c.Over(LedFrame(Rgb(0x3A0B09), Rgb(0xFF3326), Rgb(0xFFD2C4), t), 52, 120);
    return WritePNG(path, c) ? 0 : 1;
  }

  // ---- fuzz seeds: tiny images in the formats the decoder transforms ----

  struct SeedFormat
  {
    const char* name;
    int width, height, bitDepth, colourType, interlace;
    bool trns;
  };

  bool WriteSeed(const std::string& dir, const SeedFormat& s)
  {
    const int channels = s.colourType == PNG_COLOR_TYPE_RGB ? 3
                         : s.colourType == PNG_COLOR_TYPE_RGB_ALPHA ? 4
                         : s.colourType == PNG_COLOR_TYPE_GRAY_ALPHA ? 2 : 1;
    const size_t rowBytes = ((size_t)s.width * channels * s.bitDepth + 7) / 8;
    std::vector<png_byte> pixels(rowBytes * s.height);
    for (size_t i = 0; i < pixels.size(); ++i)
      pixels[i] = (png_byte)(i * 37 + 11);
    if (s.colourType == PNG_COLOR_TYPE_PALETTE && s.bitDepth == 8)
      for (auto& p : pixels)
        p &= 3;
    std::vector<png_bytep> rows(s.height);
    for (int y = 0; y < s.height; ++y)
      rows[y] = pixels.data() + rowBytes * y;

    png_color palette[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {40, 60, 200}};
    png_byte trnsAlpha[4] = {0, 128, 255, 64};
    png_color_16 trnsColour = {};
    return WritePNGRows(dir + "/" + s.name, rows.data(), [&](png_structp png, png_infop info) {
      png_set_IHDR(png, info, s.width, s.height, s.bitDepth, s.colourType, s.interlace, PNG_COMPRESSION_TYPE_DEFAULT,
                   PNG_FILTER_TYPE_DEFAULT);
      if (s.colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_PLTE(png, info, palette, 4);
      if (s.trns)
      {
        if (s.colourType == PNG_COLOR_TYPE_PALETTE)
          png_set_tRNS(png, info, trnsAlpha, 4, nullptr);
        else
        {
          trnsColour.gray = 1;
          trnsColour.red = trnsColour.green = trnsColour.blue = 11;
          png_set_tRNS(png, info, nullptr, 0, &trnsColour);
        }
      }
    });
  }

  int WriteSeeds(const std::string& dir)
  {
    const SeedFormat seeds[] = {
      {"palette-trns.png", 5, 3, 2, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, true},
      {"palette8.png", 4, 4, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, false},
      {"grey1.png", 9, 2, 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE, false},
      {"grey8-trns.png", 3, 3, 8, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE, true},
      {"grey-alpha16.png", 3, 2, 16, PNG_COLOR_TYPE_GRAY_ALPHA, PNG_INTERLACE_NONE, false},
      {"rgb16.png", 3, 3, 16, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, false},
      {"rgb8-trns.png", 2, 2, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, true},
      {"rgba-adam7.png", 7, 6, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_ADAM7, false},
    };
    bool ok = true;
    for (const SeedFormat& s : seeds)
      ok &= WriteSeed(dir, s);
    return ok ? 0 : 1;
  }
}

int main(int argc, char** argv)
{
  if (argc == 3 && strcmp(argv[1], "--seeds") == 0)
    return WriteSeeds(argv[2]);
  if (argc == 5 && strcmp(argv[1], "--preview") == 0)
    return WritePreview(argv[2], (float)atof(argv[3]), atoi(argv[4]) != 0);
  if (argc == 2)
    return WriteImages(argv[1]);
  fprintf(stderr, "usage: imagegen <output dir> | imagegen --seeds <output dir>\n");
  return 2;
}
