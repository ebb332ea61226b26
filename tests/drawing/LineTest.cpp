#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include "drawing/LICE_Line.h"
#include "drawing/LICE_MemBitmap.h"
#include "tests/drawing/GuardedBitmap.h"
#include "tests/drawing/ReferenceCombine.h"

namespace
{
  typedef std::map<std::pair<int, int>, int> WeightMap;  // (x, y) -> pixel weight

  LICE_Pixel Background(int x, int y)
  {
    return LICE_RGBA(20 + 37 * x % 200, 200 - 13 * y % 150, 90 + 7 * (x + y) % 100, 40 + 29 * (x * y) % 210);
  }

  void FillPattern(GuardedBitmap& bm)
  {
    for (int y = 0; y < bm.GetHeight(); ++y)
      for (int x = 0; x < bm.GetWidth(); ++x)
        bm.At(x, y) = Background(x, y);
  }

  // Every pixel of the map combined with colour at its weight, all others unchanged.
  void ExpectWeights(GuardedBitmap& bm, const WeightMap& weights, int mode, LICE_Pixel colour, const char* what)
  {
    for (int y = 0; y < bm.GetHeight(); ++y)
      for (int x = 0; x < bm.GetWidth(); ++x)
      {
        auto it = weights.find({x, y});
        LICE_Pixel want = Background(x, y);
        if (it != weights.end())
          want = RefPixel(mode, want, LICE_GETR(colour), LICE_GETG(colour), LICE_GETB(colour), LICE_GETA(colour),
                          it->second);
        ASSERT_EQ(want, bm.At(x, y)) << what << " mode " << mode << " at " << x << "," << y;
      }
  }

  std::vector<std::pair<int, int>> Drawn(GuardedBitmap& bm)
  {
    std::vector<std::pair<int, int>> out;
    for (int y = 0; y < bm.GetHeight(); ++y)
      for (int x = 0; x < bm.GetWidth(); ++x)
        if (bm.At(x, y) != 0)
          out.push_back({x, y});
    return out;
  }

  typedef std::vector<std::pair<int, int>> Points;
}

TEST(LineGeometry, SinglePointAndClippedRuns)
{
  GuardedBitmap bm(4, 3);
  LICE_Line(&bm, 2, 1, 2, 1, 0xFFFFFFFF, 1.0f, 0, false);
  EXPECT_EQ((Points{{2, 1}}), Drawn(bm));

  bm.Fill(0);
  LICE_Line(&bm, -5, 0, 5, 0, 0xFFFFFFFF, 1.0f, 0, false);
  EXPECT_EQ((Points{{0, 0}, {1, 0}, {2, 0}, {3, 0}}), Drawn(bm));

  bm.Fill(0);
  LICE_Line(&bm, -9, 1, -1, 1, 0xFFFFFFFF, 1.0f, 0, false);
  LICE_Line(&bm, 1, -7, 1, -1, 0xFFFFFFFF, 1.0f, 0, false);
  LICE_Line(nullptr, 0, 0, 3, 0, 0xFFFFFFFF, 1.0f, 0, false);
  EXPECT_TRUE(Drawn(bm).empty());
  EXPECT_TRUE(bm.GuardIntact());
}

TEST(LineGeometry, ClipTakesTheCrossingAtTheEdgeBeyondTheLastRowOrColumn)
{
  // Bottom: the crossing x is computed for y = 10, the endpoint lands on row 9.
  int x1 = 0, y1 = 0, x2 = 10, y2 = 20;
  ASSERT_TRUE(LICE_ClipLine(x1, y1, x2, y2, 10, 10));
  EXPECT_EQ(0, x1);
  EXPECT_EQ(0, y1);
  EXPECT_EQ(5, x2);
  EXPECT_EQ(9, y2);

  // Right: likewise for x = 10.
  x1 = 0, y1 = 0, x2 = 20, y2 = 8;
  ASSERT_TRUE(LICE_ClipLine(x1, y1, x2, y2, 10, 10));
  EXPECT_EQ(9, x2);
  EXPECT_EQ(4, y2);

  // Top and left crossings truncate toward zero.
  x1 = -4, y1 = -6, x2 = 8, y2 = 6;
  ASSERT_TRUE(LICE_ClipLine(x1, y1, x2, y2, 10, 10));
  EXPECT_EQ(2, x1);
  EXPECT_EQ(0, y1);

  x1 = -20, y1 = 5, x2 = -1, y2 = 7;
  EXPECT_FALSE(LICE_ClipLine(x1, y1, x2, y2, 10, 10));
  x1 = 0, y1 = 0, x2 = 5, y2 = 5;
  EXPECT_FALSE(LICE_ClipLine(x1, y1, x2, y2, 0, 10));
}

TEST(LineGeometry, FlippedBitmapCountsRowsFromTheBottomOfMemory)
{
  GuardedBitmap bm(5, 4, true);
  LICE_Line(&bm, 0, 0, 3, 0, 0xFF112233, 1.0f, 0, false);
  for (int x = 0; x < 4; ++x)
    EXPECT_EQ(0xFF112233u, bm.Memory(x, 3));
  EXPECT_EQ(0u, bm.Memory(4, 3));
  EXPECT_EQ(0u, bm.Memory(0, 0));
}

TEST(LineGeometry, SlopedLineRoundsTiesUpAndIsTheSameBothWays)
{
  GuardedBitmap bm(6, 3);
  LICE_Line(&bm, 0, 0, 4, 1, 0xFFFFFFFF, 1.0f, 0, false);
  const Points want = {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}};
  EXPECT_EQ(want, Drawn(bm));

  // Reversed endpoints swap start and end: the same pixels.
  bm.Fill(0);
  LICE_Line(&bm, 4, 1, 0, 0, 0xFFFFFFFF, 1.0f, 0, false);
  EXPECT_EQ(want, Drawn(bm));

  // Steep: y is the major axis.
  GuardedBitmap steep(3, 6);
  LICE_Line(&steep, 0, 0, 1, 4, 0xFFFFFFFF, 1.0f, 0, false);
  EXPECT_EQ((Points{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {1, 4}}), Drawn(steep));
}

TEST(LineCopy, ShiftFormsAtTheFixedOpacities)
{
  GuardedBitmap bm(4, 1);
  // Halves are truncated separately: 1/2 + 1/2 gives 0.
  bm.Fill(0x01010101);
  LICE_Line(&bm, 0, 0, 3, 0, 0x01010101, 0.5f, 0, false);
  EXPECT_EQ(0u, bm.At(0, 0));
  // W = 128 through the weight: each byte is (byte + colour byte) >> 1.
  bm.Fill(0x01010101);
  LICE_Line(&bm, 0, 0, 3, 0, 0x01010101, 0.5009f, 0, false);
  EXPECT_EQ(0x01010101u, bm.At(0, 0));
  // Old 0, colour 1 at W = 128: the average gives 0 where the copy rule would give 1.
  bm.Fill(0);
  LICE_Line(&bm, 0, 0, 3, 0, 0x01010101, 0.5009f, 0, false);
  EXPECT_EQ(0u, bm.At(0, 0));

  bm.Fill(0xFFFFFFFF);
  LICE_Line(&bm, 0, 0, 3, 0, 0, 0.25f, 0, false);
  EXPECT_EQ(0xBEBEBEBEu, bm.At(0, 0));  // 127 + 63 of the old
  bm.Fill(0);
  LICE_Line(&bm, 0, 0, 3, 0, 0xFFFFFFFF, 0.75f, 0, false);
  EXPECT_EQ(0xBEBEBEBEu, bm.At(0, 0));  // 127 + 63 of the colour
  bm.Fill(0x80808080);
  LICE_Line(&bm, 0, 0, 3, 0, 0x00FF0000, 1.0f, 0, true);
  EXPECT_EQ(0x00FF0000u, bm.At(3, 0));  // plain colour, alpha byte 0 included
}

TEST(LineCopy, FortyFiveDegreesAntialiasedAtFullOpacity)
{
  GuardedBitmap bm(5, 5);
  LICE_Line(&bm, 0, 0, 3, 3, 0xFFFFFFFF, 1.0f, 0, true);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x)
    {
      LICE_Pixel want = 0;
      if (x == y && x <= 3)
        want = 0xBEBEBEBE;  // 127 + 63: three quarters colour
      else if ((x == y + 1 || y == x + 1) && std::min(x, y) < 3)
        want = 0x3F3F3F3F;  // one quarter colour
      EXPECT_EQ(want, bm.At(x, y)) << x << "," << y;
    }
}

TEST(LineCopy, SlopedAntialiasedSplitsEachColumn)
{
  GuardedBitmap bm(6, 3);
  LICE_Line(&bm, 0, 0, 4, 1, 0xFFFFFFFF, 1.0f, 0, true);
  const int want[3][6] = {{255, 191, 127, 64, 0, 0}, {0, 64, 128, 191, 255, 0}, {0, 0, 0, 0, 0, 0}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(want[y][x] * 0x01010101u, bm.At(x, y)) << x << "," << y;

  // Longer line: the endpoints take the full colour, each interior column splits
  // between the floor position and the pixel below it.
  GuardedBitmap longer(12, 5);
  LICE_Line(&longer, 0, 0, 10, 3, 0xFFFFFFFF, 1.0f, 0, true);
  EXPECT_EQ(0xFFFFFFFFu, longer.At(0, 0));
  EXPECT_EQ(0xFFFFFFFFu, longer.At(10, 3));
  for (int x = 1; x < 10; ++x)
  {
    int inked = 0;
    for (int y = 0; y < 5; ++y)
      inked += longer.At(x, y) != 0;
    EXPECT_LE(inked, 2) << x;
    EXPECT_GE(inked, 1) << x;
  }
}

TEST(LineModes, EveryPathAndModeCombinesWithItsWeights)
{
  const LICE_Pixel colour = LICE_RGBA(200, 90, 30, 170);
  for (int mode = 0; mode <= 5; ++mode)
    for (const float alpha : {0.6f, 0.999f})
    {
      const int W = (int)(alpha * 256);
      GuardedBitmap bm(8, 8);

      FillPattern(bm);
      LICE_Line(&bm, 6, 2, 1, 2, colour, alpha, mode, true);  // runs ignore the antialias flag
      LICE_Line(&bm, 7, 0, 7, 5, colour, alpha, mode, false);
      WeightMap runs;
      for (int x = 1; x <= 6; ++x)
        runs[{x, 2}] = W;
      for (int y = 0; y <= 5; ++y)
        runs[{7, y}] = W;
      ExpectWeights(bm, runs, mode, colour, "runs");

      FillPattern(bm);
      LICE_Line(&bm, 1, 5, 4, 2, colour, alpha, mode, false);
      ExpectWeights(bm, {{{1, 5}, W}, {{2, 4}, W}, {{3, 3}, W}, {{4, 2}, W}}, mode, colour, "diagonal");

      FillPattern(bm);
      LICE_Line(&bm, 1, 1, 4, 4, colour, alpha, mode, true);
      WeightMap diag = {{{4, 4}, 3 * W / 4}};
      for (int i = 1; i < 4; ++i)
      {
        diag[{i, i}] = 3 * W / 4;
        diag[{i + 1, i}] = W / 4;
        diag[{i, i + 1}] = W / 4;
      }
      ExpectWeights(bm, diag, mode, colour, "antialiased diagonal");

      FillPattern(bm);
      LICE_Line(&bm, 0, 0, 4, 1, colour, alpha, mode, false);
      ExpectWeights(bm, {{{0, 0}, W}, {{1, 0}, W}, {{2, 1}, W}, {{3, 1}, W}, {{4, 1}, W}}, mode, colour, "sloped");

      FillPattern(bm);
      LICE_Line(&bm, 0, 0, 4, 1, colour, alpha, mode, true);
      ExpectWeights(bm,
                    {{{0, 0}, W},
                     {{4, 1}, W},
                     {{1, 0}, 191 * W >> 8},
                     {{3, 1}, 191 * W >> 8},
                     {{1, 1}, W * 64 >> 8},
                     {{3, 0}, W * 64 >> 8},
                     {{2, 0}, 127 * W >> 8},
                     {{2, 1}, W * 128 >> 8}},
                    mode, colour, "antialiased sloped");
    }
}

TEST(LineModes, UnknownModesZeroAndNaNOpacityDrawNothing)
{
  GuardedBitmap bm(8, 8);
  const float nan = std::nanf("");
  const int segments[][4] = {{0, 3, 7, 3}, {3, 0, 3, 7}, {0, 0, 7, 7}, {0, 0, 7, 2}};
  for (const auto& s : segments)
    for (const bool aa : {false, true})
    {
      LICE_Line(&bm, s[0], s[1], s[2], s[3], 0xFFFFFFFF, 1.0f, 6, aa);
      LICE_Line(&bm, s[0], s[1], s[2], s[3], 0xFFFFFFFF, 1.0f, 0xF7, aa);
      LICE_Line(&bm, s[0], s[1], s[2], s[3], 0xFFFFFFFF, 0.0f, 1, aa);
      LICE_Line(&bm, s[0], s[1], s[2], s[3], 0xFFFFFFFF, 0.001f, 0, aa);  // W = 0
      for (int mode = 0; mode <= 5; ++mode)
        LICE_Line(&bm, s[0], s[1], s[2], s[3], 0xFFFFFFFF, nan, mode, aa);
    }
  EXPECT_TRUE(Drawn(bm).empty());

  // Bits above the low byte are ignored: UseSourceAlpha with copy draws like copy.
  LICE_Line(&bm, 0, 0, 7, 0, 0x00123456, 1.0f, BlitMode::UseSourceAlpha, false);
  EXPECT_EQ(0x00123456u, bm.At(5, 0));
}

TEST(LineClipping, RandomSegmentsStayInsideTheirClippedBox)
{
  std::mt19937 rng(20240611);
  auto coord = [&](int size) -> int {
    switch (rng() % 16)
    {
      case 0: return INT_MIN;
      case 1: return INT_MAX;
      case 2: return (int)(rng() % 2000001) - 1000000;
      default: return (int)(rng() % (unsigned)(5 * size)) - 2 * size;
    }
  };
  const float alphas[] = {1.0f, 0.75f, 0.5f, 0.25f, 0.5009f, 0.3f, 0.999f};
  for (const bool flipped : {false, true})
  {
    GuardedBitmap bm(37, 23, flipped);
    std::vector<LICE_Pixel> before(37 * 23);
    for (int i = 0; i < 20000; ++i)
    {
      for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x)
          before[y * 37 + x] = bm.Memory(x, y) = (LICE_Pixel)rng();
      int x1 = coord(37), y1 = coord(23), x2 = coord(37), y2 = coord(23);
      if (rng() % 4 == 0)
      {
        // Exact diagonals are rare among random points.
        const int d = (int)(rng() % 60) - 30;
        const int64_t ex = (int64_t)x1 + d, ey = (int64_t)y1 + ((rng() & 1) ? d : -d);
        if (ex >= INT_MIN && ex <= INT_MAX && ey >= INT_MIN && ey <= INT_MAX)
          x2 = (int)ex, y2 = (int)ey;
      }
      const int mode = (int)(rng() % 7);
      const bool aa = rng() & 1;
      LICE_Line(&bm, x1, y1, x2, y2, (LICE_Pixel)rng(), alphas[rng() % 7], mode, aa);

      // Memory coordinates of the clipped segment bound every pixel touched.
      int64_t my1 = flipped ? 22 - (int64_t)y1 : y1, my2 = flipped ? 22 - (int64_t)y2 : y2;
      int64_t bx1 = x1, by1 = my1, bx2 = x2, by2 = my2;
      bool inside = false;
      if (by1 >= INT_MIN && by1 <= INT_MAX && by2 >= INT_MIN && by2 <= INT_MAX)
      {
        int a = (int)bx1, b = (int)by1, c = (int)bx2, d = (int)by2;
        inside = LICE_ClipLine(a, b, c, d, 37, 23);
        bx1 = std::min(a, c), bx2 = std::max(a, c), by1 = std::min(b, d), by2 = std::max(b, d);
      }
      else
      {
        inside = true;  // a flip beyond the int range: only the guard check applies
        bx1 = 0, bx2 = 36, by1 = 0, by2 = 22;
      }
      for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x)
          if (bm.Memory(x, y) != before[y * 37 + x])
            ASSERT_TRUE(inside && x >= bx1 && x <= bx2 && y >= by1 && y <= by2)
              << "segment " << x1 << "," << y1 << " - " << x2 << "," << y2 << " wrote " << x << "," << y;
      ASSERT_TRUE(bm.GuardIntact()) << "segment " << x1 << "," << y1 << " - " << x2 << "," << y2;
    }
  }
}
