#include <gtest/gtest.h>

#include <cstdint>

#include "drawing/LICE_MemBitmap.h"
#include "drawing/LICE_SysBitmap.h"

TEST(MemBitmap, RowSpanIsWidthRoundedUpToFourAndBitsAreAligned)
{
  const struct { int width, span; } cases[] = {{1, 4}, {4, 4}, {5, 8}, {7, 8}, {8, 8}, {100, 100}, {90, 92}};
  for (const auto& c : cases)
  {
    LICE_MemBitmap bm(c.width, 3);
    EXPECT_EQ(bm.GetRowSpan(), c.span) << c.width;
    EXPECT_EQ(bm.GetWidth(), c.width);
    EXPECT_EQ(bm.GetHeight(), 3);
    ASSERT_NE(bm.GetBits(), nullptr);
    EXPECT_EQ((uintptr_t)bm.GetBits() % 64, 0u);
    // Every pixel of every row is writable (ASan checks the bounds).
    for (int i = 0; i < bm.GetRowSpan() * bm.GetHeight(); ++i)
      bm.GetBits()[i] = 0xFFFFFFFF;
    EXPECT_FALSE(bm.IsFlipped());
    EXPECT_EQ(bm.GetDeviceContext(), nullptr);
    EXPECT_EQ(bm.Extended(0x59555678, nullptr), 0);
  }
}

TEST(MemBitmap, ShrinkKeepsBufferAndGrowthReservesAQuarterMore)
{
  LICE_MemBitmap bm(100, 100);
  EXPECT_EQ(bm.GetAllocatedBytes(), 40000);
  LICE_Pixel* bits = bm.GetBits();

  EXPECT_TRUE(bm.Resize(10, 10));
  EXPECT_EQ(bm.GetBits(), bits);
  EXPECT_EQ(bm.GetAllocatedBytes(), 40000);

  EXPECT_TRUE(bm.Resize(200, 100));
  EXPECT_EQ(bm.GetAllocatedBytes(), 100000);  // 5/4 of the 80,000 needed
  EXPECT_EQ(bm.GetWidth(), 200);
  EXPECT_EQ(bm.GetBits()[200 * 100 - 1] = 1, 1u);
}

TEST(MemBitmap, SameSizeIsNoChangeAndEmptySizesFreeTheBuffer)
{
  LICE_MemBitmap bm(16, 16);
  EXPECT_FALSE(bm.Resize(16, 16));

  const struct { int w, h; } empties[] = {{0, 5}, {5, 0}, {-4, 8}, {8, -1}};
  for (const auto& e : empties)
  {
    LICE_MemBitmap b(16, 16);
    EXPECT_TRUE(b.Resize(e.w, e.h));
    EXPECT_EQ(b.GetWidth(), 0);
    EXPECT_EQ(b.GetHeight(), 0);
    EXPECT_EQ(b.GetBits(), nullptr);
    EXPECT_EQ(b.GetAllocatedBytes(), 0);
  }

  LICE_MemBitmap none(0, 0);
  EXPECT_EQ(none.GetBits(), nullptr);
  EXPECT_EQ(none.GetWidth(), 0);
}

// Byte counts that wrap in 32 bits (32768 x 32769 x 4 = 2^32 + 131072) or
// exceed the cap must fail to an empty bitmap, never report the size over a
// small buffer.
TEST(MemBitmap, OversizedRequestsFailToEmpty)
{
  const struct { int w, h; } huge[] = {{32768, 32769}, {65536, 16384}, {0x7FFFFFFF, 2}, {20000, 20000}};
  for (const auto& s : huge)
  {
    LICE_MemBitmap bm(64, 64);
    bm.Resize(s.w, s.h);
    EXPECT_EQ(bm.GetWidth(), 0) << s.w << "x" << s.h;
    EXPECT_EQ(bm.GetHeight(), 0);
    EXPECT_EQ(bm.GetBits(), nullptr);

    LICE_MemBitmap fresh(s.w, s.h);
    EXPECT_EQ(fresh.GetWidth(), 0);
    EXPECT_EQ(fresh.GetBits(), nullptr);
  }
}

TEST(SysBitmap, ShrinkKeepsTheLargerStoreAndItsSpan)
{
  LICE_SysBitmap bm(64, 64);
  ASSERT_NE(bm.GetBits(), nullptr);
  EXPECT_EQ(bm.GetRowSpan(), 64);
  LICE_Pixel* bits = bm.GetBits();

  EXPECT_FALSE(bm.Resize(64, 64));
  EXPECT_TRUE(bm.Resize(32, 32));
  EXPECT_EQ(bm.GetBits(), bits);
  EXPECT_EQ(bm.GetRowSpan(), 64);
  EXPECT_EQ(bm.GetWidth(), 32);
  EXPECT_EQ(bm.GetHeight(), 32);

  EXPECT_TRUE(bm.Resize(65, 10));
  EXPECT_EQ(bm.GetRowSpan(), 68);
  ASSERT_NE(bm.GetBits(), nullptr);
  bm.GetBits()[68 * 10 - 1] = 7;
  EXPECT_FALSE(bm.IsFlipped());
}

TEST(SysBitmap, ZeroDimensionDropsThePixels)
{
  LICE_SysBitmap bm(20, 20);
  EXPECT_FALSE(bm.Resize(0, 5));
  EXPECT_EQ(bm.GetWidth(), 0);
  EXPECT_EQ(bm.GetBits(), nullptr);

  EXPECT_TRUE(bm.Resize(8, 8));
  EXPECT_NE(bm.GetBits(), nullptr);

  LICE_SysBitmap empty(0, 0);
  EXPECT_EQ(empty.GetBits(), nullptr);
  EXPECT_EQ(empty.GetWidth(), 0);
  EXPECT_EQ(empty.GetHeight(), 0);
}

// A store that cannot be made is reported as a failure, with an empty bitmap.
TEST(SysBitmap, FailedAllocationReportsFailure)
{
  LICE_SysBitmap bm(16, 16);
  EXPECT_FALSE(bm.Resize(32768, 32769));
  EXPECT_EQ(bm.GetWidth(), 0);
  EXPECT_EQ(bm.GetHeight(), 0);
  EXPECT_EQ(bm.GetBits(), nullptr);

  EXPECT_TRUE(bm.Resize(4, 4));
  EXPECT_NE(bm.GetBits(), nullptr);
}
