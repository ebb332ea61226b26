// Glyph cache, layout and glyph drawing over the native stand-in renderer,
// whose characters have known shapes.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "drawing/LICE_CachedFont.h"
#include "tests/support/LICE_FakeFont.h"
#include "drawing/LICE_MemBitmap.h"
#include "tests/drawing/GuardedBitmap.h"
#include "tests/drawing/ReferenceCombine.h"

namespace
{
  typedef std::vector<std::vector<uint8_t>> Rows;

  constexpr int kOwned = CachedFontFlag::OwnsFont;

  HFONT NewFont(int height)
  {
    HFONT f = new HFONT__;
    f->mHeight = height;
    return f;
  }

  // Default shapes of a height-10 font: advance 5, ink in columns 0-3 and rows 1-8.
  struct FontTest : testing::Test
  {
    void SetUp() override
    {
      mHandle = NewFont(10);
      mFont.SetFromHFont(mHandle, kOwned);
      mFont.SetTextColour(0xFFFFFFFF);
    }

    void Reset(int flags)
    {
      mHandle = NewFont(mHandle->mHeight);
      mFont.SetFromHFont(mHandle, flags | kOwned);  // the old handle is deleted
    }

    void SetShape(uint16_t code, int advance, Rows rows)
    {
      LICE_FakeGlyph g;
      g.mAdvance = advance;
      g.mRows = rows;
      mHandle->mGlyphs[code] = g;
    }

    int Draw(LICE_IBitmap* bm, const char* text, LICE_TextRect rect, int flags = 0, int length = -1)
    {
      return mFont.DrawString(bm, text, length, &rect, flags);
    }

    std::vector<uint8_t> Coverage(uint16_t code)
    {
      GlyphRecord* r = mFont.FindGlyph(code);
      if (!r || !mFont.GetGlyphCoverage(r))
        return {};
      const unsigned char* c = mFont.GetGlyphCoverage(r);
      return std::vector<uint8_t>(c, c + r->mWidth * r->mHeight);
    }

    HFONT mHandle = nullptr;
    LICE_CachedFont mFont;
  };

  struct InkBox
  {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive
    int count = 0;
  };

  InkBox Ink(LICE_IBitmap* bm, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1)
  {
    if (x1 < 0)
      x1 = bm->GetWidth() - 1;
    if (y1 < 0)
      y1 = bm->GetHeight() - 1;
    InkBox b;
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        if (*LICE_PixelPointer(bm, x, y))
        {
          b.left = std::min(b.left, x);
          b.right = std::max(b.right, x);
          b.top = std::min(b.top, y);
          b.bottom = std::max(b.bottom, y);
          ++b.count;
        }
    return b;
  }

  LICE_MemBitmap* Blank(int w, int h)
  {
    LICE_MemBitmap* bm = new LICE_MemBitmap(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        *LICE_PixelPointer(bm, x, y) = 0;
    return bm;
  }
}

TEST_F(FontTest, LineHeightComesFromTheFont)
{
  EXPECT_EQ(10, mFont.GetLineHeight());
  EXPECT_EQ(mHandle, mFont.GetFontHandle());
  // A null font keeps the line height.
  mFont.SetFromHFont(nullptr, 0);
  EXPECT_EQ(10, mFont.GetLineHeight());
}

TEST_F(FontTest, MeasuringTakesTheWidestOfAdvanceAndInk)
{
  LICE_TextRect r = {3, 4, 0, 0};
  EXPECT_EQ(10, mFont.DrawString(nullptr, "AB", -1, &r, DrawStringFlag::CalcRect));
  EXPECT_EQ(3 + 10, r.right);
  EXPECT_EQ(4 + 10, r.bottom);

  // Ink beyond the advance (the box has two spare columns) widens the stored
  // glyph and the measure.
  SetShape('W', 3, {{0, 0, 0, 0, 255}});
  r = {0, 0, 0, 0};
  mFont.DrawString(nullptr, "W", -1, &r, DrawStringFlag::CalcRect);
  EXPECT_EQ(5, r.right);
  EXPECT_EQ(5, mFont.FindGlyph('W')->mWidth);
  EXPECT_EQ(3, mFont.FindGlyph('W')->mAdvance);
  r = {0, 0, 0, 0};
  mFont.DrawString(nullptr, "WA", -1, &r, DrawStringFlag::CalcRect);
  EXPECT_EQ(3 + 5, r.right);

  // Two lines: the second line's height counts from one line advance down.
  r = {0, 0, 0, 0};
  EXPECT_EQ(20, mFont.DrawString(nullptr, "A\nAA", -1, &r, DrawStringFlag::CalcRect));
  EXPECT_EQ(10, r.right);

  // Without a bitmap only measuring does anything.
  r = {0, 0, 50, 50};
  EXPECT_EQ(0, mFont.DrawString(nullptr, "A", -1, &r, 0));
  EXPECT_EQ(50, r.right);
}

TEST_F(FontTest, LineFeedsCarriageReturnsAndLengths)
{
  struct Case
  {
    const char* text;
    int length;
    int flags;
    std::vector<int> columns;  // left edge of each glyph on the first line
    bool secondLine;            // a glyph at x = 2 one line advance down
    int result;
  };
  const Case cases[] = {
    {"A\nB", -1, 0, {2}, true, 20},
    {"A\nB", -1, DrawStringFlag::SingleLine, {2, 12}, false, 10},  // the feed draws as a space
    {"A\rB", -1, 0, {2, 7}, false, 10},
    {"ABC", 2, 0, {2, 7}, false, 10},
    {"AB\0C", 4, 0, {2, 7}, false, 10},
    {"A\x01" "B", -1, 0, {2, 7}, false, 10},  // a character without extent takes no room
    {"", -1, 0, {}, false, 0},
    {"ABC", 0, 0, {}, false, 0},
  };
  for (const Case& c : cases)
  {
    std::unique_ptr<LICE_MemBitmap> bm(Blank(40, 30));
    EXPECT_EQ(c.result, Draw(bm.get(), c.text, {2, 3, 40, 30}, c.flags, c.length)) << c.text;
    for (int x = 0; x < 40; ++x)
    {
      bool glyphStart = false;
      for (int col : c.columns)
        glyphStart |= x >= col && x < col + 4;
      EXPECT_EQ(glyphStart, *LICE_PixelPointer(bm.get(), x, 5) != 0) << c.text << " column " << x;
    }
    EXPECT_EQ(c.secondLine, *LICE_PixelPointer(bm.get(), 2, 3 + 10 + 2) != 0) << c.text;
  }
}

TEST_F(FontTest, AlignmentFlagsPlaceTheMeasuredText)
{
  struct Case
  {
    int flags;
    int left, top;  // top-left of the first glyph cell
  };
  // Eight glyphs of advance 5 measure 40 x 10 in a rect 100 x 30 at (10, 0).
  const Case cases[] = {
    {0, 10, 0},
    {DrawStringFlag::Center, 40, 0},
    {DrawStringFlag::Right, 70, 0},
    {DrawStringFlag::VCenter, 10, 10},
    {DrawStringFlag::Bottom, 10, 20},
    {DrawStringFlag::Center | DrawStringFlag::Bottom, 40, 20},
  };
  for (const Case& c : cases)
  {
    std::unique_ptr<LICE_MemBitmap> bm(Blank(120, 40));
    Draw(bm.get(), "ABCDEFGH", {10, 0, 110, 30}, c.flags);
    const InkBox b = Ink(bm.get());
    EXPECT_EQ(c.left, b.left) << c.flags;
    EXPECT_EQ(c.top + 1, b.top) << c.flags;
    EXPECT_EQ(c.left + 38, b.right) << c.flags;
  }
}

TEST_F(FontTest, ClippingToTheRectangleOrOnlyTheBitmap)
{
  std::unique_ptr<LICE_MemBitmap> bm(Blank(20, 20));
  Draw(bm.get(), "A", {0, 0, 3, 3});
  InkBox b = Ink(bm.get());
  EXPECT_EQ(2, b.right);
  EXPECT_EQ(2, b.bottom);

  Draw(bm.get(), "A", {0, 0, 3, 3}, DrawStringFlag::NoClip);
  b = Ink(bm.get());
  EXPECT_EQ(3, b.right);
  EXPECT_EQ(8, b.bottom);

  // A rectangle wholly off the bitmap draws nothing.
  std::unique_ptr<LICE_MemBitmap> other(Blank(20, 20));
  EXPECT_EQ(0, Draw(other.get(), "A", {25, 0, 40, 10}));
  EXPECT_EQ(0, Ink(other.get()).count);
}

TEST_F(FontTest, ShadowAndOutlineMarkTheNeighboursOfFullPixels)
{
  mHandle->mHeight = 8;
  Rows dot(8, std::vector<uint8_t>(6, 0));
  dot[3][3] = 255;
  auto at = [](int x, int y) { return y * 6 + x; };

  Reset(CachedFontFlag::Shadow);
  SetShape('.', 6, dot);
  ASSERT_TRUE(mFont.RenderGlyph('.'));
  std::vector<uint8_t> want(48, 0);
  want[at(3, 3)] = 255;
  want[at(4, 3)] = want[at(4, 4)] = want[at(3, 4)] = 128;
  EXPECT_EQ(want, Coverage('.'));

  Reset(CachedFontFlag::Outline);
  SetShape('.', 6, dot);
  ASSERT_TRUE(mFont.RenderGlyph('.'));
  want.assign(48, 0);
  want[at(3, 3)] = 255;
  want[at(3, 2)] = want[at(3, 4)] = want[at(2, 3)] = want[at(4, 3)] = 128;
  EXPECT_EQ(want, Coverage('.'));
}

TEST_F(FontTest, InvertNoAntialiasAndBlur)
{
  mHandle->mHeight = 8;
  Rows shape(8, std::vector<uint8_t>(6, 0));
  shape[3][3] = 255;
  shape[5][1] = 130;
  shape[5][2] = 131;

  Reset(CachedFontFlag::Invert);
  SetShape('x', 6, shape);
  mFont.RenderGlyph('x');
  std::vector<uint8_t> cov = Coverage('x');
  ASSERT_EQ(48u, cov.size());
  EXPECT_EQ(0, cov[3 * 6 + 3]);
  EXPECT_EQ(125, cov[5 * 6 + 1]);
  EXPECT_EQ(255, cov[0]);

  Reset(CachedFontFlag::NoAntialias);
  SetShape('x', 6, shape);
  mFont.RenderGlyph('x');
  cov = Coverage('x');
  EXPECT_EQ(255, cov[3 * 6 + 3]);
  EXPECT_EQ(0, cov[5 * 6 + 1]);    // 130 is not above the threshold
  EXPECT_EQ(255, cov[5 * 6 + 2]);  // 131 is

  // Blur on the raster: half of the pixel stays, an eighth goes to each side.
  Rows dot(8, std::vector<uint8_t>(6, 0));
  dot[3][3] = 255;
  Reset(CachedFontFlag::Blur);
  SetShape('.', 6, dot);
  mFont.RenderGlyph('.');
  cov = Coverage('.');
  ASSERT_EQ(48u, cov.size());
  std::vector<uint8_t> want(48, 0);
  want[3 * 6 + 3] = 127;
  want[3 * 6 + 2] = want[3 * 6 + 4] = want[2 * 6 + 3] = want[4 * 6 + 3] = 31;
  EXPECT_EQ(want, cov);
}

TEST_F(FontTest, VerticalGlyphsTurnAQuarterEitherWay)
{
  const Rows ell = {{255, 0, 0}, {255, 0, 0}, {255, 0, 0}, {255, 200, 100}};
  mHandle->mHeight = 4;

  Reset(CachedFontFlag::Vertical);
  SetShape('L', 3, ell);
  mFont.RenderGlyph('L');
  GlyphRecord* r = mFont.FindGlyph('L');
  EXPECT_EQ(4, r->mWidth);
  EXPECT_EQ(3, r->mHeight);
  EXPECT_EQ(3, r->mAdvance);
  EXPECT_EQ((std::vector<uint8_t>{255, 255, 255, 255, 200, 0, 0, 0, 100, 0, 0, 0}), Coverage('L'));

  // Lines run down the page: the advance moves y, the line advance x.
  LICE_TextRect m = {1, 2, 0, 0};
  EXPECT_EQ(4 + 4, mFont.DrawString(nullptr, "LL\nL", -1, &m, DrawStringFlag::CalcRect));
  EXPECT_EQ(1 + 8, m.right);
  EXPECT_EQ(2 + 6, m.bottom);

  Reset(CachedFontFlag::Vertical | CachedFontFlag::BottomUp);
  SetShape('L', 3, ell);
  mFont.RenderGlyph('L');
  EXPECT_EQ((std::vector<uint8_t>{0, 0, 0, 100, 0, 0, 0, 200, 255, 255, 255, 255}), Coverage('L'));

  // Bottom-up text starts one measured height down and climbs by the advance.
  std::unique_ptr<LICE_MemBitmap> bm(Blank(20, 20));
  EXPECT_EQ(4, Draw(bm.get(), "LL", {0, 0, 20, 20}));
  for (int y = 0; y < 8; ++y)
    EXPECT_EQ(y == 2 || y == 5, *LICE_PixelPointer(bm.get(), 1, y) != 0) << y;
}

TEST_F(FontTest, AsciiOnlyCachesEverythingUpFrontAndNothingElse)
{
  Reset(CachedFontFlag::AsciiOnly);
  EXPECT_EQ(128, mHandle->mDrawCount);
  EXPECT_GT(mFont.FindGlyph('A')->mDataRef, 0);

  LICE_TextRect r = {0, 0, 0, 0};
  EXPECT_EQ(0, mFont.DrawString(nullptr, "\xC3\xA9", -1, &r, DrawStringFlag::CalcRect));
  EXPECT_EQ(0, r.right);
  EXPECT_EQ(nullptr, mFont.FindGlyph(0xE9));

  std::unique_ptr<LICE_MemBitmap> bm(Blank(30, 12));
  Draw(bm.get(), "\xC3\xA9" "A", {0, 0, 30, 12});
  EXPECT_EQ(0, Ink(bm.get()).left);  // A moved into the place of the skipped character
  EXPECT_EQ(128, mHandle->mDrawCount);
}

TEST_F(FontTest, AGlyphIsRasterisedOnce)
{
  std::unique_ptr<LICE_MemBitmap> bm(Blank(60, 12));
  Draw(bm.get(), "AAA", {0, 0, 60, 12});
  EXPECT_EQ(1, mHandle->mDrawCount);
  LICE_TextRect r = {0, 0, 0, 0};
  mFont.DrawString(bm.get(), "AA", -1, &r, DrawStringFlag::CalcRect);
  Draw(bm.get(), "A", {0, 0, 60, 12}, DrawStringFlag::Center);
  EXPECT_EQ(1, mHandle->mDrawCount);

  // Codes above 127 go to the sorted extra list, each rasterised once.
  const char* extra = "\xE2\x82\xAC\xC3\xA9\xC4\x80\xC3\xA9\xE2\x82\xAC";
  Draw(bm.get(), extra, {0, 0, 60, 12});
  EXPECT_EQ(4, mHandle->mDrawCount);
  for (uint32_t code : {0xE9u, 0x100u, 0x20ACu})
  {
    ASSERT_NE(nullptr, mFont.FindGlyph(code)) << code;
    EXPECT_EQ(code, mFont.FindGlyph(code)->mCode);
  }
  EXPECT_EQ(nullptr, mFont.FindGlyph(0xEA));
  Draw(bm.get(), extra, {0, 0, 60, 12});
  EXPECT_EQ(4, mHandle->mDrawCount);

  // Adopting a font empties the cache.
  mFont.SetFromHFont(mHandle, kOwned);
  EXPECT_EQ(0, mFont.FindGlyph('A')->mDataRef);
  EXPECT_EQ(nullptr, mFont.FindGlyph(0xE9));
}

TEST_F(FontTest, TallFontsCacheNothing)
{
  mHandle->mHeight = 1024;
  Reset(0);
  std::unique_ptr<LICE_MemBitmap> bm(Blank(20, 20));
  EXPECT_EQ(0, Draw(bm.get(), "AB", {0, 0, 20, 20}));
  LICE_TextRect r = {0, 0, 0, 0};
  EXPECT_EQ(0, mFont.DrawString(nullptr, "AB", -1, &r, DrawStringFlag::CalcRect));
  EXPECT_EQ(0, Ink(bm.get()).count);
  EXPECT_EQ(0, mHandle->mDrawCount);
}

TEST_F(FontTest, OpacityZeroNaNAndScaleByColourAlpha)
{
  std::unique_ptr<LICE_MemBitmap> bm(Blank(20, 12));
  mFont.SetCombineMode(0, 0.0f);
  EXPECT_EQ(0, Draw(bm.get(), "A", {0, 0, 20, 12}));
  mFont.SetCombineMode(0, std::nanf(""));
  mFont.SetBackgroundMode(LICE_CachedFont::kOpaque);
  EXPECT_EQ(0, Draw(bm.get(), "A", {0, 0, 20, 12}));
  EXPECT_EQ(0, Ink(bm.get()).count);
  LICE_TextRect r = {0, 0, 0, 0};
  EXPECT_EQ(10, mFont.DrawString(nullptr, "A", -1, &r, DrawStringFlag::CalcRect));  // measuring still works
  mFont.SetBackgroundMode(LICE_CachedFont::kTransparent);

  // The colour's alpha scales the opacity for this call only.
  mFont.SetCombineMode(0, 1.0f);
  mFont.SetTextColour(0x00FFFFFF);
  EXPECT_EQ(0, Draw(bm.get(), "A", {0, 0, 20, 12}, DrawStringFlag::ScaleAlphaByColour));
  EXPECT_EQ(0, Ink(bm.get()).count);
  mFont.SetTextColour(0x7FFFFFFF);
  EXPECT_EQ(10, Draw(bm.get(), "A", {0, 0, 20, 12}, DrawStringFlag::ScaleAlphaByColour));
  // W = trunc(127 / 255 x 256) = 127 on full coverage: 255 x 127 / 256 = 126.
  EXPECT_EQ(126, LICE_GETR(*LICE_PixelPointer(bm.get(), 1, 2)));
  Draw(bm.get(), "A", {0, 0, 20, 12});
  EXPECT_EQ(255, LICE_GETR(*LICE_PixelPointer(bm.get(), 1, 2)));
}

namespace
{
  struct KindCase
  {
    const char* name;
    int flags;
  };
}

TEST_F(FontTest, DrawGlyphPicksTheKernelByKindModeAndWeight)
{
  const Rows shape = {{0, 1, 127, 128, 200, 255}, {255, 131, 64, 255, 0, 3}, {0, 0, 255, 0, 0, 0}};
  const KindCase kinds[] = {{"antialiased", 0},
                            {"no-antialias", CachedFontFlag::NoAntialias},
                            {"shadow", CachedFontFlag::Shadow},
                            {"outline", CachedFontFlag::Outline}};
  const LICE_Pixel text = LICE_RGBA(255, 0, 0, 128), effect = LICE_RGBA(10, 220, 60, 40);
  for (const KindCase& kind : kinds)
  {
    mHandle->mHeight = 3;
    Reset(kind.flags);
    SetShape('g', 6, shape);
    ASSERT_TRUE(mFont.RenderGlyph('g'));
    const GlyphRecord* rec = mFont.FindGlyph('g');
    const std::vector<uint8_t> cov = Coverage('g');
    ASSERT_EQ(18u, cov.size());
    mFont.SetTextColour(text);
    mFont.SetEffectColour(effect);
    for (int mode = 0; mode <= 7; ++mode)
      for (const float alpha : {1.0f, 0.999f, 0.5f, 1.5f})
      {
        const int m = mode == 7 ? (BlitMode::UseSourceAlpha | 1) : mode;  // the bit is ignored
        const int op = m & 0xFF;
        mFont.SetCombineMode(m, alpha);
        GuardedBitmap bm(9, 6);
        for (int y = 0; y < 6; ++y)
          for (int x = 0; x < 9; ++x)
            bm.At(x, y) = LICE_RGBA(30 * x, 200 - 20 * y, 77, 10 * x + 5 * y);
        GuardedBitmap before = bm;
        const LICE_TextRect clip = {0, 0, 9, 6};
        EXPECT_TRUE(mFont.DrawGlyph(&bm, 'g', 2, 1, &clip));

        const bool mono = kind.flags & CachedFontFlag::NoAntialias;
        const bool fx = !mono && kind.flags;
        const int W = (int)(alpha * 256);
        for (int y = 0; y < 6; ++y)
          for (int x = 0; x < 9; ++x)
          {
            LICE_Pixel want = before.At(x, y);
            const int gx = x - 2, gy = y - 1;
            const int c = gx >= 0 && gx < rec->mWidth && gy >= 0 && gy < rec->mHeight ? cov[gy * rec->mWidth + gx] : 0;
            const bool effectPixel = fx && c != 255;
            const LICE_Pixel colour = effectPixel ? effect : text;
            if (c && op <= 5)
            {
              if ((mono || fx) && alpha == 1.0f && op == 0)
                want = colour;  // whole value, alpha byte included
              else
              {
                int w = mono || fx ? std::min(W, 256) : (W == 256 ? c + 1 : std::min(W * c / 256, 256));
                want = RefPixel(op, want, LICE_GETR(colour), LICE_GETG(colour), LICE_GETB(colour), 255, w);
              }
            }
            ASSERT_EQ(want, bm.At(x, y)) << kind.name << " mode " << m << " alpha " << alpha << " at " << x << ","
                                         << y;
          }
        ASSERT_TRUE(bm.GuardIntact());
      }
  }

  // The no-antialias example: at exactly 1.0 the colour lands whole (alpha 128),
  // just below it the copy kernel runs and alpha becomes 255.
  mHandle->mHeight = 3;
  Reset(CachedFontFlag::NoAntialias);
  SetShape('g', 6, shape);
  mFont.RenderGlyph('g');
  mFont.SetTextColour(LICE_RGBA(255, 0, 0, 128));
  GuardedBitmap bm(6, 3);
  const LICE_TextRect clip = {0, 0, 6, 3};
  mFont.SetCombineMode(0, 1.0f);
  mFont.DrawGlyph(&bm, 'g', 0, 0, &clip);
  EXPECT_EQ(LICE_RGBA(255, 0, 0, 128), bm.At(5, 0));
  bm.Fill(0);
  mFont.SetCombineMode(0, 0.999f);
  mFont.DrawGlyph(&bm, 'g', 0, 0, &clip);
  EXPECT_EQ(LICE_RGBA(255, 0, 0, 255), bm.At(5, 0));
}

TEST_F(FontTest, DrawGlyphClipsToClipAndBitmap)
{
  mFont.RenderGlyph('A');  // 5 x 10, ink in columns 0-3, rows 1-8
  mFont.SetBackgroundMode(LICE_CachedFont::kOpaque);
  mFont.SetBackgroundColour(0xFF0000FF);
  GuardedBitmap bm(20, 20);
  const LICE_TextRect clip = {5, 5, 15, 15};

  // Touching the clip from outside, or starting at its far edges: false, nothing written.
  EXPECT_FALSE(mFont.DrawGlyph(&bm, 'A', 0, 6, &clip));
  EXPECT_FALSE(mFont.DrawGlyph(&bm, 'A', 6, -5, &clip));
  EXPECT_FALSE(mFont.DrawGlyph(&bm, 'A', 15, 6, &clip));
  EXPECT_FALSE(mFont.DrawGlyph(&bm, 'A', 6, 15, &clip));
  // A code that is not rasterised yet has an empty record: false, no background.
  EXPECT_FALSE(mFont.DrawGlyph(&bm, 'Z', 6, 6, &clip));
  EXPECT_EQ(0, Ink(&bm).count);

  // Sticking out left and top: drawn from the first visible mask column and row;
  // right and bottom: cut at the clip. The background covers the visible cell only.
  EXPECT_TRUE(mFont.DrawGlyph(&bm, 'A', 3, 3, &clip));
  EXPECT_EQ(0xFFFFFFFFu, bm.At(5, 5));  // mask column 2, row 2: ink
  EXPECT_EQ(0xFFFFFFFFu, bm.At(6, 11));  // mask column 3, row 8
  EXPECT_EQ(0xFF0000FFu, bm.At(7, 5));  // mask column 4: background
  EXPECT_EQ(0xFF0000FFu, bm.At(7, 12));  // mask row 9: background
  EXPECT_EQ(0u, bm.At(8, 5));
  EXPECT_EQ(0u, bm.At(5, 13));
  InkBox b = Ink(&bm);
  EXPECT_EQ(5, b.left);
  EXPECT_EQ(5, b.top);
  EXPECT_EQ(7, b.right);
  EXPECT_EQ(12, b.bottom);

  bm.Fill(0);
  mFont.DrawGlyph(&bm, 'A', 13, 13, &clip);
  b = Ink(&bm);
  EXPECT_EQ(14, b.right);
  EXPECT_EQ(14, b.bottom);

  // Alpha 0: only the background; an unknown mode: only the background.
  bm.Fill(0);
  mFont.SetCombineMode(0, 0.0f);
  EXPECT_TRUE(mFont.DrawGlyph(&bm, 'A', 6, 6, &clip));
  EXPECT_EQ(0u, bm.At(6, 6));  // the fill at alpha 0 draws nothing either
  mFont.SetCombineMode(6, 1.0f);
  EXPECT_TRUE(mFont.DrawGlyph(&bm, 'A', 6, 6, &clip));
  EXPECT_EQ(0u, bm.At(6, 7));  // mode 6 fills nothing and draws no glyph
  mFont.SetCombineMode(0, std::nanf(""));
  EXPECT_TRUE(mFont.DrawGlyph(&bm, 'A', 6, 6, &clip));
  EXPECT_EQ(0, Ink(&bm).count);
  mFont.SetCombineMode(0, 1.0f);

  // Flipped: glyph row 0 lands in memory row height - 1 - y.
  GuardedBitmap flipped(8, 12, true);
  const LICE_TextRect all = {0, 0, 8, 12};
  mFont.SetBackgroundMode(LICE_CachedFont::kTransparent);
  mFont.DrawGlyph(&flipped, 'A', 1, 2, &all);
  EXPECT_EQ(0u, flipped.Memory(1, 12 - 1 - 2));        // mask row 0 is empty
  EXPECT_EQ(0xFFFFFFFFu, flipped.Memory(1, 12 - 1 - 3));  // mask row 1 is ink
  EXPECT_TRUE(flipped.GuardIntact());

  // No bits, no bitmap, no clip.
  BitlessBitmap bitless;
  EXPECT_FALSE(mFont.DrawGlyph(&bitless, 'A', 0, 0, &all));
  EXPECT_FALSE(mFont.DrawGlyph(nullptr, 'A', 0, 0, &all));
  EXPECT_FALSE(mFont.DrawGlyph(&flipped, 'A', 0, 0, nullptr));
  EXPECT_EQ(0, mFont.DrawString(&bitless, "A", -1, nullptr, 0));
  LICE_TextRect r = {0, 0, 16, 16};
  EXPECT_EQ(0, mFont.DrawString(&bitless, "A", -1, &r, 0));
}

TEST_F(FontTest, DrawGlyphNeverWritesOutsideTheBitmap)
{
  mFont.RenderGlyph('A');
  mFont.SetBackgroundMode(LICE_CachedFont::kOpaque);
  std::mt19937 rng(7);
  for (const bool flipped : {false, true})
  {
    GuardedBitmap bm(13, 9, flipped, 12);
    for (int i = 0; i < 5000; ++i)
    {
      auto coord = [&]() { return (int)(rng() % 61) - 30; };
      const LICE_TextRect clip = {coord(), coord(), coord(), coord()};
      const int x = rng() % 8 == 0 ? (rng() & 1 ? INT_MIN : INT_MAX) : coord();
      mFont.SetCombineMode((int)(rng() % 6), rng() & 1 ? 1.0f : 0.6f);
      mFont.DrawGlyph(&bm, 'A', x, coord(), &clip);
      ASSERT_TRUE(bm.GuardIntact()) << i;
    }
    // Whole strings with clipping off reach the bitmap's edges only.
    for (int i = 0; i < 500; ++i)
    {
      LICE_TextRect r = {(int)(rng() % 41) - 20, (int)(rng() % 41) - 20, 0, 0};
      r.right = r.left + (int)(rng() % 30);
      r.bottom = r.top + (int)(rng() % 30);
      mFont.DrawString(&bm, "AA\nA A", -1, &r, (int)(rng() % 0x200));
      ASSERT_TRUE(bm.GuardIntact()) << i;
    }
  }
}
