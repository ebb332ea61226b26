#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "drawing/LICE_FillRect.h"
#include "drawing/LICE_MemBitmap.h"
#include "tests/drawing/TestBitmaps.h"

namespace
{
  struct FillCase
  {
    int mode;
    LICE_Pixel colour, dst;
    LICE_Pixel expected[5];  // at alpha 1.0, 0.5, 0.25, 0.75 and 0.3 (weight 76)
  };

  const FillCase kFillCases[] = {
    {0x00000, 0x80C84010, 0xFF3060A0, {0x80C84010, 0xBF7C5058, 0xDE56587C, 0x9FA24834, 0xC95E5675}},
    {0x00000, 0xFFFFFFFF, 0x00805A01, {0xFFFFFFFF, 0x7FBFAC7F, 0x3F9F823F, 0xBEDED4BE, 0x17A68B4D}},
    {0x00000, 0x80FFFFFF, 0x40102030, {0x80FFFFFF, 0x60878F97, 0x504B5763, 0x70C2C6CA, 0x4457636E}},
    {0x00001, 0x80C84010, 0xFF3060A0, {0xFFF8A0B0, 0xFF9480A8, 0xFF6270A4, 0xFFC690AC, 0xFF6B73A4}},
    {0x00001, 0xFFFFFFFF, 0x00805A01, {0xFFFFFFFF, 0x40FFD980, 0x10BF9940, 0x90FFFFC0, 0x16CBA54C}},
    {0x00001, 0x80FFFFFF, 0x40102030, {0xFFFFFFFF, 0x808F9FAF, 0x504F5F6F, 0xD0CFDFEF, 0x565B6B7B}},
    {0x00002, 0x80C84010, 0xFF3060A0, {0xFFDB80AA, 0xFF4E6DA5, 0xFF3B66A2, 0xFF7376A7, 0xFF3E67A2}},
    {0x00002, 0xFFFFFFFF, 0x00805A01, {0x00FFFFFF, 0x00FEB201, 0x00A97701, 0x00FFFF03, 0x00B57F01}},
    {0x00002, 0x80FFFFFF, 0x40102030, {0xFFFFFFFF, 0x551F3F5F, 0x44152A3F, 0x923F7EBD, 0x46162D43}},
    {0x00003, 0x80C84010, 0xFF3060A0, {0xFF25180A, 0xBF2A3C55, 0xCF2D4E7A, 0xCF282A2F, 0xC92C4A73}},
    {0x00003, 0xFFFFFFFF, 0x00805A01, {0x007F5900, 0x007F5900, 0x007F5900, 0x007F5900, 0x007F5900}},
    {0x00003, 0x80FFFFFF, 0x40102030, {0x400F1F2F, 0x300F1F2F, 0x340F1F2F, 0x340F1F2F, 0x320F1F2F}},
    {0x00004, 0x80C84010, 0xFF3060A0, {0xFF45426B, 0xFF3A5185, 0xFE355892, 0xFF404978, 0xFE365790}},
    {0x00004, 0xFFFFFFFF, 0x00805A01, {0x00BF9301, 0x009F7601, 0x008F6801, 0x00AF8501, 0x00926B01}},
    {0x00004, 0x80FFFFFF, 0x40102030, {0x701E3B56, 0x40172D43, 0x3A132639, 0x521B344D, 0x3A14283B}},
    // HSV adjust: full opacity leaves the pixel opaque (not alpha 0).
    {0x00005, 0x80C84010, 0xFF3060A0, {0xFF000000, 0x80231A30, 0x402C2C68, 0xC0000000, 0x4C2E2A5E}},
    {0x00005, 0xFFFFFFFF, 0x00805A01, {0xFF0058FF, 0x8000FF2C, 0x406EBF00, 0xC000FFE7, 0x4C59CB00}},
    {0x00005, 0x80FFFFFF, 0x40102030, {0xFFFF7800, 0x80AC00AF, 0x4021096F, 0xC0EE0043, 0x4C31057B}},
    // Source alpha scales the opacity by the colour's alpha byte.
    {0x10000, 0x80C84010, 0xFF3060A0, {0xBF7C5058, 0xDE56587C, 0xE3435C8E, 0xC369546A, 0xDE475B8A}},
    {0x10000, 0xFFFFFFFF, 0x00805A01, {0xFFFFFFFF, 0x7FBFAC7F, 0x3F9F823F, 0xBEDED4BE, 0x17A68B4D}},
    {0x10000, 0x80FFFFFF, 0x40102030, {0x60878F97, 0x504B5763, 0x3C2E3C4A, 0x4C6A747E, 0x3C34424F}},
    {0x10003, 0x80C84010, 0xFF3060A0, {0xBF2A3C55, 0xCF2D4E7A, 0xE32E578D, 0xC32C4567, 0xDE2E5589}},
    {0x10003, 0xFFFFFFFF, 0x00805A01, {0x007F5900, 0x007F5900, 0x007F5900, 0x007F5900, 0x007F5900}},
    {0x10003, 0x80FFFFFF, 0x40102030, {0x300F1F2F, 0x340F1F2F, 0x390F1F2F, 0x310F1F2F, 0x370F1F2F}},
  };

  std::string Hex(LICE_Pixel p)
  {
    char buf[16];
    snprintf(buf, sizeof buf, "0x%08X", (unsigned)p);
    return buf;
  }
}

TEST(FillRect, EveryModeAtTheFastAndWeightedOpacities)
{
  const float alphas[5] = {1.0f, 0.5f, 0.25f, 0.75f, 0.3f};
  for (const FillCase& c : kFillCases)
    for (int i = 0; i < 5; ++i)
    {
      VectorBitmap bm(1, 1, false, 0, c.dst);
      LICE_FillRect(&bm, 0, 0, 1, 1, c.colour, alphas[i], c.mode);
      EXPECT_EQ(Hex(bm.At(0, 0)), Hex(c.expected[i]))
          << "mode " << std::hex << c.mode << " colour " << c.colour << " dst " << c.dst << " alpha " << alphas[i];
    }
}

TEST(FillRect, NothingHappensForInvalidInput)
{
  VectorBitmap bm(4, 4, false, 0, 0x1234);
  LICE_FillRect(nullptr, 0, 0, 4, 4, 0xFFFFFFFF, 1.0f, 0);
  LICE_FillRect(&bm, 0, 0, 4, 4, 0xFFFFFFFF, 0.0f, 0);
  for (int mode : {0, 1, 5, 0x10000})
    LICE_FillRect(&bm, 0, 0, 4, 4, 0xFFFFFFFF, std::nanf(""), mode);
  LICE_FillRect(&bm, 0, 0, 4, 4, 0x00FFFFFF, 1.0f, 0x10000);  // colour alpha 0
  LICE_FillRect(&bm, 0, 0, 4, 4, 0xFFFFFFFF, 1.0f, 6);
  LICE_FillRect(&bm, 0, 0, 4, 4, 0xFFFFFFFF, 1.0f, 0xF7);
  LICE_FillRect(&bm, 0, 0, 0, 4, 0xFFFFFFFF, 1.0f, 0);
  LICE_FillRect(&bm, 4, 0, 4, 4, 0xFFFFFFFF, 1.0f, 0);
  LICE_FillRect(&bm, 0, 4, 4, 4, 0xFFFFFFFF, 1.0f, 0);
  LICE_FillRect(&bm, -4, 0, 4, 4, 0xFFFFFFFF, 1.0f, 0);
  LICE_FillRect(&bm, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0xFFFFFFFF, 1.0f, 0);
  LICE_MemBitmap empty;
  LICE_FillRect(&empty, 0, 0, 4, 4, 0xFFFFFFFF, 1.0f, 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(bm.At(x, y), 0x1234u);
}

struct FillClip
{
  int x, y, w, h;
  int x0, y0, x1, y1;  // the painted pixels, right and bottom exclusive
};

TEST(FillRect, ClipsAtEveryEdge)
{
  const FillClip cases[] = {
    {-2, -2, 4, 4, 0, 0, 2, 2},   {3, 2, 100, 100, 3, 2, 6, 5}, {-10, 1, 12, 1, 0, 1, 2, 2},
    {5, -3, 1, 4, 5, 0, 6, 1},    {0, 0, 6, 5, 0, 0, 6, 5},     {-1, -1, 100, 100, 0, 0, 6, 5},
    {2, 4, 2, 1, 2, 4, 4, 5},
  };
  for (const FillClip& c : cases)
    for (bool flipped : {false, true})
    {
      VectorBitmap bm(6, 5, flipped, 8, 0x11111111);
      LICE_FillRect(&bm, c.x, c.y, c.w, c.h, 0xFFABCDEF, 1.0f, 0);
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
        {
          const bool in = x >= c.x0 && x < c.x1 && y >= c.y0 && y < c.y1;
          ASSERT_EQ(bm.At(x, y), in ? 0xFFABCDEFu : 0x11111111u)
              << "fill " << c.x << "," << c.y << " " << c.w << "x" << c.h << " at " << x << "," << y;
        }
      for (int r = 0; r < 5; ++r)
        for (int x = 6; x < 8; ++x)
          ASSERT_EQ(bm.Memory(x, r), 0x11111111u);
    }
}

TEST(FillRect, KnownValues)
{
  VectorBitmap bm(2, 1, false, 0, 0xFF000000);
  bm.At(1, 0) = 0x00000000;
  LICE_FillRect(&bm, 0, 0, 2, 1, 0xFFFFFFFF, 0.5f, 0);
  EXPECT_EQ(bm.At(0, 0), 0xFE7F7F7Fu);
  EXPECT_EQ(bm.At(1, 0), 0x7F7F7F7Fu);

  // Add at full opacity: the weight (256) stands in for the alpha source.
  VectorBitmap a(1, 1, false, 0, 0x0A000000);
  LICE_FillRect(&a, 0, 0, 1, 1, 0x00000000, 1.0f, 1);
  EXPECT_EQ(a.At(0, 0) >> 24, 0xFFu);

  // Source alpha with an opaque colour is the same as plain copy.
  VectorBitmap s(1, 1, false, 0, 0x12345678), p(1, 1, false, 0, 0x12345678);
  LICE_FillRect(&s, 0, 0, 1, 1, 0xFF806040, 0.4f, 0x10000);
  LICE_FillRect(&p, 0, 0, 1, 1, 0xFF806040, 0.4f, 0);
  EXPECT_EQ(s.At(0, 0), p.At(0, 0));
}
