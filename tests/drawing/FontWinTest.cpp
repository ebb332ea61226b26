// Fonts over GDI under Wine: the glyph cache's coverage of a real face, the
// path choice and the 64-bit build's platform path.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "drawing/LICE_CachedFont.h"
#include "drawing/LICE_FillRect.h"
#include "drawing/LICE_MemBitmap.h"
#include "drawing/LICE_SysBitmap.h"

namespace
{
  // Coverage of "v1.1.1" in Arial, black on white, drawn at (2, 2): 255 - red
  // of each pixel in hex. Committed from a Wine run;
  // both Windows builds compare against it.
  const char* const kArialExpected =
#include "tests/drawing/arial_v111_coverage.inc"
    ;

  constexpr int kGuiFlags = CachedFontFlag::UseNative | CachedFontFlag::OwnsFont;

  HFONT Arial(int height, int quality = 0)
  {
    return CreateFontA(height, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, quality, 0, "Arial");
  }

  struct GdiFontTest : testing::Test
  {
    void SetUp() override { LICE_CachedFont::PresetWineProbeForTests(-1); }
    void TearDown() override { LICE_CachedFont::PresetWineProbeForTests(-1); }

    std::unique_ptr<LICE_CachedFont> MakeFont(int height = 12, int flags = kGuiFlags, int quality = 0)
    {
      std::unique_ptr<LICE_CachedFont> font(new LICE_CachedFont);
      HFONT h = Arial(height, quality);
      EXPECT_NE(nullptr, h);
      font->SetFromHFont(h, flags);
      font->SetTextColour(0xFF000000);
      return font;
    }

    bool Cached(LICE_CachedFont& font, uint16_t code) { return font.FindGlyph(code)->mDataRef > 0; }
  };

  template <class Bitmap>
  std::unique_ptr<Bitmap> White(int w, int h)
  {
    std::unique_ptr<Bitmap> bm(new Bitmap(w, h));
    LICE_FillRect(bm.get(), 0, 0, w, h, 0xFFFFFFFF, 1.0f, 0);
    return bm;
  }

  std::string Dump(LICE_IBitmap* bm)
  {
    std::string s;
    for (int y = 0; y < bm->GetHeight(); ++y)
    {
      for (int x = 0; x < bm->GetWidth(); ++x)
      {
        const int c = 255 - LICE_GETR(*LICE_PixelPointer(bm, x, y));
        s += "0123456789abcdef"[c >> 4];
        s += "0123456789abcdef"[c & 15];
      }
      s += '\n';
    }
    return s;
  }

  int Darkest(LICE_IBitmap* bm)
  {
    int d = 255;
    for (int y = 0; y < bm->GetHeight(); ++y)
      for (int x = 0; x < bm->GetWidth(); ++x)
        d = std::min(d, LICE_GETR(*LICE_PixelPointer(bm, x, y)));
    return d;
  }

  // A heap bitmap that asks for the glyph cache through the extension query.
  class GlyphRequestingBitmap : public LICE_MemBitmap
  {
  public:
    using LICE_MemBitmap::LICE_MemBitmap;
    intptr_t Extended(int id, void*) override { return id == 0x59555678; }
  };
}

TEST_F(GdiFontTest, ArialCoverageIsTheSameInEveryBuild)
{
  struct Case
  {
    int height, quality, width, rows;
  };
  // Arial 12 as the GUI creates it (Liberation Sans asks for no greys at this
  // size), and a larger antialiased size with grey coverage.
  const Case cases[] = {{12, 0, 48, 16}, {24, ANTIALIASED_QUALITY, 80, 30}};
  std::string got;
  for (const Case& c : cases)
  {
    std::unique_ptr<LICE_CachedFont> font = MakeFont(c.height, kGuiFlags, c.quality);
    EXPECT_NEAR(c.height, font->GetLineHeight(), 1);
    auto bm = White<LICE_MemBitmap>(c.width, c.rows);
    LICE_TextRect r = {2, 2, c.width, c.rows};
    EXPECT_EQ(font->GetLineHeight(), font->DrawString(bm.get(), "v1.1.1", -1, &r, 0));
    // Under Wine even the 64-bit build takes the glyph path.
    EXPECT_TRUE(Cached(*font, 'v'));
    EXPECT_TRUE(Cached(*font, '.'));
    got += Dump(bm.get()) + "\n";
  }
  EXPECT_EQ(std::string(kArialExpected), got) << "drawn:\n" << got;
}

TEST_F(GdiFontTest, AGlyphCachedOnceIsNotRasterisedAgain)
{
  std::unique_ptr<LICE_CachedFont> font = MakeFont(12, CachedFontFlag::OwnsFont);
  auto bm = White<LICE_SysBitmap>(80, 20);
  LICE_TextRect r = {0, 0, 80, 20};
  font->DrawString(bm.get(), "v", -1, &r, 0);
  font->DrawString(bm.get(), "1", -1, &r, 0);
  const GlyphRecord v = *font->FindGlyph('v');
  const GlyphRecord one = *font->FindGlyph('1');
  ASSERT_GT(v.mDataRef, 0);
  ASSERT_GT(one.mDataRef, v.mDataRef);

  font->DrawString(bm.get(), "vv1v\nv1", -1, &r, DrawStringFlag::Center);
  LICE_TextRect m = {0, 0, 0, 0};
  font->DrawString(nullptr, "1v", -1, &m, DrawStringFlag::CalcRect);
  EXPECT_EQ(v.mDataRef, font->FindGlyph('v')->mDataRef);
  EXPECT_EQ(one.mDataRef, font->FindGlyph('1')->mDataRef);

  // The glyph data grew by nothing in between: the next glyph follows '1' directly.
  font->DrawString(bm.get(), ".", -1, &r, 0);
  EXPECT_EQ(one.mDataRef + one.mWidth * one.mHeight, font->FindGlyph('.')->mDataRef);
}

TEST_F(GdiFontTest, PlatformPathOnlyInTheSixtyFourBitBuildOutsideWine)
{
  LICE_CachedFont::PresetWineProbeForTests(0);
  std::unique_ptr<LICE_CachedFont> font = MakeFont();
  font->SetCombineMode(0, 0.25f);
  auto sys = White<LICE_SysBitmap>(48, 16);
  LICE_TextRect r = {2, 2, 48, 16};
  font->DrawString(sys.get(), "v1.1.1", -1, &r, 0);
#if defined(_WIN64)
  // Through the bitmap's DC: the cache stays empty and the opacity does not apply.
  EXPECT_FALSE(Cached(*font, 'v'));
  EXPECT_EQ(0, Darkest(sys.get()));

  // A heap bitmap goes through the scratch bitmap and is blended back at the font's opacity.
  font->SetCombineMode(0, 0.5f);
  auto mem = White<LICE_MemBitmap>(48, 16);
  font->DrawString(mem.get(), "v1.1.1", -1, &r, 0);
  EXPECT_FALSE(Cached(*font, 'v'));
  EXPECT_EQ(127, Darkest(mem.get()));
  EXPECT_EQ(255, LICE_GETR(*LICE_PixelPointer(mem.get(), 1, 1)));

  // Measuring with and without a DC agrees.
  LICE_TextRect a = {5, 5, 0, 0}, b = {5, 5, 0, 0};
  const int ha = font->DrawString(sys.get(), "v1.1.1", -1, &a, DrawStringFlag::CalcRect);
  const int hb = font->DrawString(nullptr, "v1.1.1", -1, &b, DrawStringFlag::CalcRect);
  EXPECT_EQ(ha, hb);
  EXPECT_EQ(a.right, b.right);
  EXPECT_EQ(a.bottom, b.bottom);
  EXPECT_GT(a.right, 5 + 20);
  EXPECT_FALSE(Cached(*font, 'v'));

  // Any of these sends the same font through the glyph cache.
  font->DrawString(mem.get(), "v", -1, &r, DrawStringFlag::NoNative);
  EXPECT_TRUE(Cached(*font, 'v'));
  font->DrawString(sys.get(), "1", -1, &r, DrawStringFlag::ScaleAlphaByColour);
  EXPECT_TRUE(Cached(*font, '1'));
  GlyphRequestingBitmap asking(20, 20);
  font->DrawString(&asking, ".", -1, &r, 0);
  EXPECT_TRUE(Cached(*font, '.'));
  std::unique_ptr<LICE_CachedFont> blurred = MakeFont(12, kGuiFlags | CachedFontFlag::Blur);
  blurred->DrawString(sys.get(), "v", -1, &r, 0);
  EXPECT_TRUE(Cached(*blurred, 'v'));
#else
  // The 32-bit builds always draw from the glyph cache.
  EXPECT_TRUE(Cached(*font, 'v'));
  EXPECT_GT(Darkest(sys.get()), 150);
#endif
}

TEST_F(GdiFontTest, TallFontsGoThroughThePlatformEvenUnderWine)
{
  LICE_CachedFont::PresetWineProbeForTests(1);
  std::unique_ptr<LICE_CachedFont> font = MakeFont(300);
  ASSERT_GE(font->GetLineHeight(), 256);
  auto sys = White<LICE_SysBitmap>(300, 320);
  LICE_TextRect r = {0, 0, 300, 320};
  font->DrawString(sys.get(), "v", -1, &r, 0);
  EXPECT_LT(Darkest(sys.get()), 128);
#if defined(_WIN64)
  EXPECT_FALSE(Cached(*font, 'v'));
#else
  EXPECT_TRUE(Cached(*font, 'v'));
#endif
}

#if defined(_WIN64)
TEST_F(GdiFontTest, PlatformPathPassesTextWithItsLength)
{
  LICE_CachedFont::PresetWineProbeForTests(0);
  std::unique_ptr<LICE_CachedFont> font = MakeFont();
  auto sys = White<LICE_SysBitmap>(60, 16);
  auto width = [&](const char* text, int length) {
    LICE_TextRect m = {0, 0, 0, 0};
    font->DrawString(sys.get(), text, length, &m, DrawStringFlag::CalcRect | DrawStringFlag::SingleLine);
    return m.right;
  };
  // UTF-16 converted from a bounded text carries no terminator: only its units count.
  const char accents[] = "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9";
  EXPECT_EQ(width("\xC3\xA9", -1), width(accents, 2));
  EXPECT_EQ(width("\xC3\xA9\xC3\xA9", -1), width(accents, 4));
  EXPECT_LT(width(accents, 2), width(accents, -1));
  // The 8-bit form likewise, and a zero byte ends the text on this path too.
  EXPECT_EQ(width("ab", -1), width("abc", 2));
  EXPECT_EQ(width("ab", -1), width("ab\0cd", 5));
  EXPECT_FALSE(Cached(*font, 'a'));
}
#endif
