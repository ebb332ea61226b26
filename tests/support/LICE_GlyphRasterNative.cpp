// The unit tests' text renderer of native builds, installed when the program
// starts: draws the shapes of a LICE_FakeFont white on black straight into
// the raster's pixels.
#include "tests/support/LICE_FakeFont.h"
#include "drawing/LICE_TextRendererNative.h"

namespace
{
  // What a null font stands for: the surface's default font.
  HFONT__ DefaultFont;

  HFONT__* Resolve(HFONT font) { return font ? font : &DefaultFont; }

  bool HasExtent(uint16_t ch) { return ch >= 0x20; }

  HFONT NewFont(int height)
  {
    if (height <= 0) return nullptr;
    HFONT font = new HFONT__;
    font->mHeight = height;
    return font;
  }

  void SetupRaster(LICE_IBitmap*)
  {
  }

  int GetLineHeight(LICE_IBitmap*, HFONT font)
  {
    return Resolve(font)->mHeight;
  }

  void MeasureChar(LICE_IBitmap*, HFONT font, uint16_t ch, int* advance, int* height)
  {
    HFONT__* f = Resolve(font);
    auto it = f->mGlyphs.find(ch);
    if (it != f->mGlyphs.end())
    {
      *advance = it->second.mAdvance;
      *height = f->mHeight;
    }
    else
    {
      *advance = HasExtent(ch) ? (f->mHeight / 2 > 1 ? f->mHeight / 2 : 1) : 0;
      *height = HasExtent(ch) ? f->mHeight : 0;
    }
  }

  void DrawChar(LICE_IBitmap* raster, HFONT font, uint16_t ch, int right, int bottom)
  {
    HFONT__* f = Resolve(font);
    ++f->mDrawCount;
    LICE_Pixel* bits = raster->GetBits();
    if (!bits)
      return;
    const int w = raster->GetWidth(), h = raster->GetHeight();
    auto plot = [&](int x, int y, int v) {
      if (x >= 0 && y >= 0 && x < w && y < h)
        *LICE_PixelPointer(raster, x, y) = LICE_RGBA(v, v, v, 255);
    };
    auto it = f->mGlyphs.find(ch);
    if (it != f->mGlyphs.end())
    {
      const auto& rows = it->second.mRows;
      for (int y = 0; y < (int)rows.size(); ++y)
        for (int x = 0; x < (int)rows[y].size(); ++x)
          if (rows[y][x])
            plot(x, y, rows[y][x]);
      return;
    }
    if (!HasExtent(ch) || ch == ' ')
      return;
    const int advance = f->mHeight / 2 > 1 ? f->mHeight / 2 : 1;
    for (int y = 1; y < f->mHeight - 1 && y < bottom; ++y)
      for (int x = 0; x < advance - 1 && x < right; ++x)
        plot(x, y, 255);
  }

  void DeleteFont(HFONT font)
  {
    delete font;
  }

  const LICE_NativeTextRenderer FakeRenderer = {NewFont, DeleteFont, SetupRaster, GetLineHeight, MeasureChar,
                                                DrawChar};

  struct Installer
  {
    Installer() { LICE_TextRenderer::InstallNative(&FakeRenderer); }
  } Install;
}
