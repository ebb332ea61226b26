#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "drawing/LICE_Blit.h"
#include "drawing/LICE_Combine.h"
#include "drawing/LICE_MemBitmap.h"
#include "tests/drawing/TestBitmaps.h"

namespace
{
  struct ModeCase
  {
    int mode;
    LICE_Pixel src, dst;
    LICE_Pixel expected[3];  // at alpha 1.0, 0.5 and 0.3 (weight 76)
  };

  // Three pixel pairs per mode: a half-transparent source, an opaque white one
  // over a transparent destination, and a fully transparent source.
  const ModeCase kModeCases[] = {
    {0x00000, 0x80C84010, 0xFF3060A0, {0x80C84010, 0xBF7C5058, 0xD95E5675}},
    {0x00000, 0xFFFFFFFF, 0x00805A01, {0xFFFFFFFF, 0x7FBFAC7F, 0x4CA68B4D}},
    {0x00000, 0x00FFFFFF, 0x40102030, {0x00FFFFFF, 0x20878F97, 0x2D57636E}},
    {0x00001, 0x80C84010, 0xFF3060A0, {0xFFF8A0B0, 0xFF9480A8, 0xFF6B73A4}},
    {0x00001, 0xFFFFFFFF, 0x00805A01, {0xFFFFFFFF, 0x7FFFD980, 0x4BCBA54C}},
    {0x00001, 0x00FFFFFF, 0x40102030, {0x40FFFFFF, 0x408F9FAF, 0x405B6B7B}},
    {0x00002, 0x80C84010, 0xFF3060A0, {0xFFDB80AA, 0xFF4E6DA5, 0xFF3E67A2}},
    {0x00002, 0xFFFFFFFF, 0x00805A01, {0x00FFFFFF, 0x00FEB201, 0x00B57F01}},
    {0x00002, 0x00FFFFFF, 0x40102030, {0x40FFFFFF, 0x401F3F5F, 0x40162D43}},
    {0x00003, 0x80C84010, 0xFF3060A0, {0x7F25180A, 0xBF2A3C55, 0xD92C4A73}},
    {0x00003, 0xFFFFFFFF, 0x00805A01, {0x007F5900, 0x007F5900, 0x007F5900}},
    {0x00003, 0x00FFFFFF, 0x40102030, {0x000F1F2F, 0x200F1F2F, 0x2D0F1F2F}},
    {0x00004, 0x80C84010, 0xFF3060A0, {0xFF45426B, 0xFF3A5185, 0xFF365790}},
    {0x00004, 0xFFFFFFFF, 0x00805A01, {0x00BF9301, 0x009F7601, 0x00926B01}},
    {0x00004, 0x00FFFFFF, 0x40102030, {0x101E3B56, 0x28172D43, 0x3114283B}},
    {0x00005, 0x80C84010, 0xFF3060A0, {0x80000000, 0x80231A30, 0x802E2A5E}},
    {0x00005, 0xFFFFFFFF, 0x00805A01, {0xFF0058FF, 0xFF00FF2C, 0xFF59CB00}},
    {0x00005, 0x00FFFFFF, 0x40102030, {0x00FF7800, 0x00AC00AF, 0x0031057B}},
    {0x10000, 0x80C84010, 0xFF3060A0, {0xFF7D4F57, 0xFF56587C, 0xFF475B8A}},
    {0x10000, 0xFFFFFFFF, 0x00805A01, {0xFFFFFFFF, 0x80C0AD80, 0x4CA68B4D}},
    {0x10000, 0x00FFFFFF, 0x40102030, {0x40102030, 0x40102030, 0x40102030}},
    {0x10001, 0x80C84010, 0xFF3060A0, {0xFF9480A8, 0xFF6270A4, 0xFF4D69A2}},
    {0x10001, 0xFFFFFFFF, 0x00805A01, {0xFFFFFFFF, 0x7FFFD980, 0x4BCBA54C}},
    {0x10001, 0x00FFFFFF, 0x40102030, {0x40102030, 0x40102030, 0x40102030}},
    {0x10002, 0x80C84010, 0xFF3060A0, {0xFF4E6DA5, 0xFF3B66A2, 0xFF3663A1}},
    {0x10002, 0xFFFFFFFF, 0x00805A01, {0x00FFFFFF, 0x00FEB201, 0x00B57F01}},
    {0x10002, 0x00FFFFFF, 0x40102030, {0x40102030, 0x40102030, 0x40102030}},
    {0x10003, 0x80C84010, 0xFF3060A0, {0xBE2A3B54, 0xDF2D4E7A, 0xEC2E5589}},
    {0x10003, 0xFFFFFFFF, 0x00805A01, {0x007F5900, 0x007F5900, 0x007F5900}},
    {0x10003, 0x00FFFFFF, 0x40102030, {0x40102030, 0x40102030, 0x40102030}},
    {0x10004, 0x80C84010, 0xFF3060A0, {0xFF3B5085, 0xFF355892, 0xFF335B98}},
    {0x10004, 0xFFFFFFFF, 0x00805A01, {0x00BF9301, 0x009F7601, 0x00926B01}},
    {0x10004, 0x00FFFFFF, 0x40102030, {0x3F102030, 0x40102030, 0x40102030}},
    {0x10005, 0x80C84010, 0xFF3060A0, {0x80231A30, 0x802C2C68, 0x80303D7F}},
    {0x10005, 0xFFFFFFFF, 0x00805A01, {0xFF0058FF, 0xFF00FF2C, 0xFF59CB00}},
    {0x10005, 0x00FFFFFF, 0x40102030, {0x00102030, 0x00102030, 0x00102030}},
  };

  LICE_Pixel BlitOne(LICE_Pixel src, LICE_Pixel dst, float alpha, int mode)
  {
    VectorBitmap s(1, 1, false, 0, src), d(1, 1, false, 0, dst);
    LICE_Blit(&d, &s, 0, 0, nullptr, alpha, mode);
    return d.At(0, 0);
  }

  std::string Hex(LICE_Pixel p)
  {
    char buf[16];
    snprintf(buf, sizeof buf, "0x%08X", (unsigned)p);
    return buf;
  }
}

TEST(Blit, EveryModeAtFullHalfAndOddWeight)
{
  const float alphas[3] = {1.0f, 0.5f, 0.3f};
  for (const ModeCase& c : kModeCases)
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(Hex(BlitOne(c.src, c.dst, alphas[i], c.mode)), Hex(c.expected[i]))
          << "mode " << std::hex << c.mode << " src " << c.src << " dst " << c.dst << " alpha " << alphas[i];
}

TEST(Blit, ModesOutsideTheTableAndZeroOpacityDrawNothing)
{
  for (int mode : {6, 7, 0x42, 0xEF, 0x10006, 0x100EF})
    EXPECT_EQ(BlitOne(0xFFFFFFFF, 0x12345678, 1.0f, mode), 0x12345678u) << mode;
  for (int mode : {0, 1, 2, 3, 4, 5, 0x10000, 0x10003, 0xF7})
  {
    EXPECT_EQ(BlitOne(0xFFFFFFFF, 0x12345678, 0.0f, mode), 0x12345678u) << mode;
    EXPECT_EQ(BlitOne(0xFFFFFFFF, 0x12345678, std::nanf(""), mode), 0x12345678u) << mode;
  }
  // Weight below 1 (alpha < 1/256) draws nothing either.
  EXPECT_EQ(BlitOne(0xFFFFFFFF, 0x12345678, 0.002f, 1), 0x12345678u);
  // Bits other than the low byte and source alpha are ignored.
  EXPECT_EQ(BlitOne(0x11223344, 0, 1.0f, 0x2000000), 0x11223344u);
}

TEST(Blit, ChannelCopyMovesOneByte)
{
  // 0xF7: destination byte 1 (green) takes source byte 3 (alpha).
  EXPECT_EQ(BlitOne(0x80FFFFFF, 0x11223344, 1.0f, 0xF7), 0x11228044u);
  // 0xF8 | 2 = 0xFA: destination byte 2 (red) takes source byte 2; opacity is not applied.
  EXPECT_EQ(BlitOne(0x00AB0000, 0x11223344, 0.25f, 0xFA), 0x11AB3344u);
}

TEST(Blit, SourceAlphaCopyAtFullOpacity)
{
  EXPECT_EQ(BlitOne(0x00FFFFFF, 0x80102030, 1.0f, 0x10000), 0x80102030u);
  EXPECT_EQ(BlitOne(0xFF405060, 0x00000000, 1.0f, 0x10000), 0xFF405060u);
  EXPECT_EQ(BlitOne(0x80FFFFFF, 0xFF000000, 1.0f, 0x10000) >> 24, 0xFFu);
}

TEST(Blit, HalfOpacityCopyAndDodgeExtremes)
{
  EXPECT_EQ(BlitOne(0xFFFFFFFF, 0xFF000000, 0.5f, 0), 0xFE7F7F7Fu);  // halves truncate separately
  EXPECT_EQ(BlitOne(0xFFFFFFFF, 0x00000000, 0.5f, 0), 0x7F7F7F7Fu);
  EXPECT_EQ(BlitOne(0xFFFFFFFF, 0x01200040, 1.0f, 2), 0xFFFF00FFu);
  // Grey stays grey under a neutral HSV adjustment.
  const LICE_Pixel g = BlitOne(0xFF808080, 0xFF606060, 1.0f, 5);
  EXPECT_EQ(LICE_GETR(g), LICE_GETG(g));
  EXPECT_EQ(LICE_GETG(g), LICE_GETB(g));
}

// Clipping: every destination pixel either comes from the source pixel that
// the offsets map it to, or keeps its old value.
struct ClipCase
{
  int dstx, dsty;
  bool hasRect;
  LICE_BlitRect rect;
};

class BlitClip : public ::testing::TestWithParam<ClipCase>
{
};

TEST_P(BlitClip, CopiesExactlyTheOverlap)
{
  const ClipCase c = GetParam();
  const int SW = 7, SH = 5, DW = 6, DH = 4;
  for (bool flipped : {false, true})
  {
    VectorBitmap src(SW, SH, flipped);
    VectorBitmap dst(DW, DH, !flipped, 8, 0x55555555);
    FillPattern(&src);
    LICE_Blit(&dst, &src, c.dstx, c.dsty, c.hasRect ? &c.rect : nullptr, 1.0f, 0);

    // The mapping, worked out independently: destination (x, y) shows source
    // (x - dstx + left, y - dsty + top) when that lies in both rectangles.
    const int left = c.hasRect ? c.rect.left : 0, top = c.hasRect ? c.rect.top : 0;
    const int right = c.hasRect ? std::min(c.rect.right, SW) : SW;
    const int bottom = c.hasRect ? std::min(c.rect.bottom, SH) : SH;
    for (int y = 0; y < DH; ++y)
      for (int x = 0; x < DW; ++x)
      {
        const int sx = x - c.dstx + left, sy = y - c.dsty + top;
        const bool in = sx >= std::max(left, 0) && sx < right && sy >= std::max(top, 0) && sy < bottom &&
                        sx - left + c.dstx >= 0 && sy - top + c.dsty >= 0;
        const LICE_Pixel want = in ? PatternPixel(sx, sy) : 0x55555555;
        ASSERT_EQ(dst.At(x, y), want) << "at " << x << "," << y << " flipped " << flipped;
      }
    // Pixels beyond the width in the padded span are never written.
    for (int r = 0; r < DH; ++r)
      for (int x = DW; x < 8; ++x)
        ASSERT_EQ(dst.Memory(x, r), 0x55555555u);
  }
}

INSTANTIATE_TEST_SUITE_P(Edges, BlitClip,
                         ::testing::Values(ClipCase{0, 0, false, {}}, ClipCase{-3, 0, false, {}},
                                           ClipCase{0, -2, false, {}}, ClipCase{4, 3, false, {}},
                                           ClipCase{5, 0, false, {}}, ClipCase{-7, 0, false, {}},
                                           ClipCase{0, 4, false, {}}, ClipCase{6, 0, false, {}},
                                           ClipCase{-2, -1, true, {1, 1, 4, 4}}, ClipCase{0, 0, true, {-5, 0, 10, 10}},
                                           ClipCase{1, 0, true, {0, -2, 3, 9}}, ClipCase{0, 0, true, {3, 2, 3, 5}},
                                           ClipCase{0, 0, true, {2, 1, 100, 100}},
                                           ClipCase{2, 1, true, {-1, -1, 2, 2}}));

TEST(Blit, NegativeRectLeftMovesTheDestination)
{
  VectorBitmap src(10, 10), dst(20, 10);
  FillPattern(&src);
  const LICE_BlitRect r = {-5, 0, 10, 10};
  LICE_Blit(&dst, &src, 0, 0, &r, 1.0f, 0);
  EXPECT_EQ(dst.At(4, 0), 0u);
  EXPECT_EQ(dst.At(5, 0), PatternPixel(0, 0));
  EXPECT_EQ(dst.At(14, 3), PatternPixel(9, 3));
}

TEST(Blit, NullAndEmptyBitmapsDrawNothing)
{
  VectorBitmap dst(4, 4, false, 0, 0x1234);
  LICE_MemBitmap empty;
  LICE_Blit(&dst, nullptr, 0, 0, nullptr, 1.0f, 0);
  LICE_Blit(&dst, &empty, 0, 0, nullptr, 1.0f, 0);
  LICE_Blit(nullptr, &dst, 0, 0, nullptr, 1.0f, 0);
  LICE_Blit(&empty, &dst, 0, 0, nullptr, 1.0f, 0);
  // Extreme offsets must clip without overflow.
  VectorBitmap src(4, 4, false, 0, 0xFFFFFFFF);
  LICE_Blit(&dst, &src, INT32_MIN, INT32_MIN, nullptr, 1.0f, 0);
  LICE_Blit(&dst, &src, INT32_MAX, 0, nullptr, 1.0f, 0);
  const LICE_BlitRect r = {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  LICE_Blit(&dst, &src, INT32_MAX, INT32_MAX, &r, 1.0f, 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(dst.At(x, y), 0x1234u);
}

TEST(Combine, ReciprocalTableAndHsvRoundTrip)
{
  EXPECT_EQ(ReciprocalTable[0], 0);
  EXPECT_EQ(ReciprocalTable[1], 65535);
  EXPECT_EQ(ReciprocalTable[3], 21844);
  EXPECT_EQ(ReciprocalTable[255], 256);

  // Pure primaries sit at hue 0, 128 and 256.
  EXPECT_EQ(LICE_HsvToPixel(0, 255, 255, 0x1FF), 0xFFFF0000u);
  EXPECT_EQ(LICE_HsvToPixel(128, 255, 255, 255), 0xFF00FF00u);
  EXPECT_EQ(LICE_HsvToPixel(256, 255, 255, 255), 0xFF0000FFu);
  EXPECT_EQ(LICE_HsvToPixel(10, 0, 200, 7), 0x07C8C8C8u);

  // Rotating red by a third of the circle (adjust 214: +129 units) gives green.
  LICE_Pixel p = 0xFFFF0000;
  LICE_CombineHsvAdjust(&p, 214, 128, 128, 255, 256);
  EXPECT_EQ(LICE_GETR(p), 0);
  EXPECT_EQ(LICE_GETG(p), 255);
  EXPECT_LE(LICE_GETB(p), 8);
}

TEST(Blur, SpreadsEachChannelToItsNeighbours)
{
  // 4 x 3 raster, one pixel of 0x40 in every byte at (1, 1).
  VectorBitmap r(4, 3);
  r.At(1, 1) = 0x40404040;
  LICE_BlurRaster(&r, 4, 3);
  const LICE_Pixel want[3][4] = {
    // first row: a quarter of the pixel below
    {0, 0x10101010, 0, 0},
    // the pixel keeps half; an edge neighbour takes a quarter, an inner one an eighth
    {0x10101010, 0x20202020, 0x08080808, 0},
    // last row: a quarter of the row above as already blurred
    {0x04040404, 0x08080808, 0x02020202, 0},
  };
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(r.At(x, y), want[y][x]) << x << "," << y;
}

TEST(Blur, ClipsToTheRasterAndIgnoresTinyAreas)
{
  VectorBitmap r(3, 3, false, 0, 0x80808080);
  LICE_BlurRaster(&r, 1, 3);
  LICE_BlurRaster(&r, 3, 1);
  EXPECT_EQ(r.At(1, 1), 0x80808080u);
  // A uniform raster stays uniform under a blur bigger than it (edge sums lose
  // only the truncated low bits).
  LICE_BlurRaster(&r, 100, 100);
  EXPECT_EQ(r.At(1, 1), 0x80808080u);
  LICE_BlurRaster(nullptr, 4, 4);

  // Wider than the stack buffer: the heap path.
  VectorBitmap wide(1500, 3, false, 0, 0x40404040);
  LICE_BlurRaster(&wide, 1500, 3);
  EXPECT_EQ(wide.At(700, 1), 0x40404040u);
}
