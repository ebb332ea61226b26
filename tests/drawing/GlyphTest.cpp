#include <gtest/gtest.h>

#include <vector>

#include "drawing/LICE_Glyph.h"
#include "tests/drawing/ReferenceCombine.h"

namespace
{
  const unsigned char kMask[2][7] = {{0, 1, 127, 128, 200, 254, 255}, {255, 0, 64, 128, 255, 3, 130}};
  constexpr int kW = 7, kH = 2;

  LICE_Pixel Old(int x, int y) { return LICE_RGBA(10 + 35 * x, 250 - 30 * x - y, 128 + 17 * y, 60 + 25 * x); }

  enum Kind
  {
    Antialiased,
    NoAntialias,
    Effect
  };

  int PixelWeight(Kind kind, int c, int W)
  {
    if (kind != Antialiased)
      return W;
    if (W == 256)
      return c + 1;
    const int w = W * c / 256;
    return w > 256 ? 256 : w;
  }
}

TEST(GlyphKernels, EveryKindAndModeMatchesThePerByteRules)
{
  const int tr = 230, tg = 40, tb = 120;  // text colour
  const int er = 15, eg = 200, eb = 90;   // effect colour
  for (const Kind kind : {Antialiased, NoAntialias, Effect})
    for (int mode = 0; mode <= 5; ++mode)
      for (const int W : {256, 255, 128, 1, 300})
      {
        if (W > 256 && kind != Antialiased)
          continue;  // the caller limits these kinds to 256
        // Two rows drawn bottom-up (negative stride), as into a flipped bitmap.
        std::vector<LICE_Pixel> dest(kW * kH);
        for (int y = 0; y < kH; ++y)
          for (int x = 0; x < kW; ++x)
            dest[(kH - 1 - y) * kW + x] = Old(x, y);
        LICE_Pixel* first = &dest[(kH - 1) * kW];
        if (kind == Antialiased)
          LICE_GlyphKernelsAntialiased[mode](&kMask[0][0], first, kW, -kW, kW, kH, tr, tg, tb, W);
        else if (kind == NoAntialias)
          LICE_GlyphKernelsNoAntialias[mode](&kMask[0][0], first, kW, -kW, kW, kH, tr, tg, tb, W);
        else
          LICE_GlyphKernelsEffect[mode](&kMask[0][0], first, kW, -kW, kW, kH, tr, tg, tb, W, er, eg, eb);

        for (int y = 0; y < kH; ++y)
          for (int x = 0; x < kW; ++x)
          {
            const int c = kMask[y][x];
            LICE_Pixel want = Old(x, y);
            if (c)
            {
              const bool effectPixel = kind == Effect && c != 255;
              want = RefPixel(mode, want, effectPixel ? er : tr, effectPixel ? eg : tg, effectPixel ? eb : tb, 255,
                              PixelWeight(kind, c, W));
            }
            ASSERT_EQ(want, dest[(kH - 1 - y) * kW + x])
              << "kind " << kind << " mode " << mode << " W " << W << " at " << x << "," << y;
          }
      }
}

TEST(GlyphKernels, CopyAtFullCoverageAndWeight)
{
  // Coverage 255 at W = 256 gives the text colour exactly and alpha 255;
  // coverage 127 is weight 128.
  const unsigned char mask[3] = {255, 127, 0};
  LICE_Pixel dest[3] = {0x00000000, 0x00000000, 0x12345678};
  LICE_GlyphKernelsAntialiased[0](mask, dest, 3, 3, 3, 1, 0xFF, 0x80, 0x01, 256);
  EXPECT_EQ(0xFFFF8001u, dest[0]);
  EXPECT_EQ(LICE_RGBA(128, 64, 1, 128), dest[1]);  // blue: 1 - 1 * 128 / 256 truncates to 1
  EXPECT_EQ(0x12345678u, dest[2]);

  // Add saturates; multiply by 255 at full weight still scales down by 255/256.
  LICE_Pixel add = LICE_RGBA(250, 10, 0, 200);
  LICE_GlyphKernelsNoAntialias[1](mask, &add, 1, 1, 1, 1, 100, 100, 100, 256);
  EXPECT_EQ(LICE_RGBA(255, 110, 100, 255), add);
  LICE_Pixel mul = LICE_RGBA(200, 100, 1, 255);
  LICE_GlyphKernelsNoAntialias[3](mask, &mul, 1, 1, 1, 1, 255, 255, 255, 256);
  EXPECT_EQ(LICE_RGBA(199, 99, 0, 254), mul);
}
