#pragma once
// Fonts that draw UTF-8 text into any LICE_IBitmap from a cache of glyph
// coverage rasterised once per character by the platform text renderer.

#include <cstdint>

#include "drawing/LICE_Blit.h"
#include "drawing/LICE_IBitmap.h"
#include "framework/HeapBuffer.h"

// The GDI font handle as the Windows headers declare it (STRICT). In native
// builds the installed text renderer gives the struct its body
// (drawing/LICE_TextRendererNative.h).
struct HFONT__;
typedef struct HFONT__* HFONT;

class LICE_SysBitmap;

// Text rectangles and glyph clips: right and bottom exclusive.
typedef LICE_BlitRect LICE_TextRect;

namespace CachedFontFlag
{
  constexpr int Vertical = 0x1;     // glyphs a quarter turn, lines run down the page
  constexpr int BottomUp = 0x2;     // with Vertical: the other rotation, text runs upwards
  constexpr int AsciiOnly = 0x4;    // codes 0-127 rasterised at once, nothing else cached
  constexpr int Blur = 0x10;
  constexpr int Invert = 0x20;
  constexpr int NoAntialias = 0x40;
  constexpr int Shadow = 0x80;
  constexpr int Outline = 0x100;
  constexpr int OwnsFont = 0x200;   // the font object deletes the GDI font
  constexpr int UseNative = 0x400;  // the platform renderer may draw plain text directly
}

// DrawString format bits: the platform's DrawText values that the glyph path
// honours, plus two of this library's own in the high bits.
namespace DrawStringFlag
{
  constexpr int Center = 0x1;
  constexpr int Right = 0x2;
  constexpr int VCenter = 0x4;
  constexpr int Bottom = 0x8;
  constexpr int SingleLine = 0x20;  // line feeds draw as spaces
  constexpr int NoClip = 0x100;     // clip to the bitmap only, not to the rectangle
  constexpr int CalcRect = 0x400;   // measure only; the rectangle is written back
  constexpr int ScaleAlphaByColour = 0x40000000;  // opacity x text colour alpha / 255
  constexpr int NoNative = (int)0x80000000u;       // never the platform renderer's path
}

// One cached glyph. mDataRef: 0 not rasterised yet, -1 nothing to draw, else
// 1 + the offset of its coverage (mWidth x mHeight bytes, row-major) in the
// font's glyph data.
struct GlyphRecord
{
  int mDataRef;
  int mWidth;
  int mHeight;
  int mAdvance;
  uint32_t mCode;
};

class LICE_IFont
{
public:
  virtual ~LICE_IFont() {}

  virtual void SetFromHFont(HFONT font, int flags) = 0;
  // The setters return the previous value.
  virtual LICE_Pixel SetTextColour(LICE_Pixel colour) = 0;
  virtual LICE_Pixel SetBackgroundColour(LICE_Pixel colour) = 0;
  virtual LICE_Pixel SetEffectColour(LICE_Pixel colour) = 0;
  virtual int SetBackgroundMode(int mode) = 0;
  virtual void SetCombineMode(int mode, float alpha) = 0;
  // text is UTF-8, length in bytes (negative: up to the zero byte). Returns the
  // extent drawn or measured across lines (height, or width for vertical
  // fonts); 0 when nothing was drawn.
  virtual int DrawString(LICE_IBitmap* bitmap, const char* text, int length, LICE_TextRect* rect, int flags) = 0;
  virtual LICE_Pixel GetTextColour() = 0;
  virtual HFONT GetFontHandle() = 0;
  virtual int GetLineHeight() = 0;
};

class LICE_CachedFont : public LICE_IFont
{
public:
  // Background modes (the platform's TRANSPARENT and OPAQUE).
  static constexpr int kTransparent = 1;
  static constexpr int kOpaque = 2;

  LICE_CachedFont();
  ~LICE_CachedFont() override;

  LICE_CachedFont(const LICE_CachedFont&) = delete;
  LICE_CachedFont& operator=(const LICE_CachedFont&) = delete;

  // Adopts font (CachedFontFlag bits in flags) and empties the glyph cache.
  void SetFromHFont(HFONT font, int flags) override;
  LICE_Pixel SetTextColour(LICE_Pixel colour) override;
  LICE_Pixel SetBackgroundColour(LICE_Pixel colour) override;
  LICE_Pixel SetEffectColour(LICE_Pixel colour) override;
  int SetBackgroundMode(int mode) override;
  void SetCombineMode(int mode, float alpha) override;
  int DrawString(LICE_IBitmap* bitmap, const char* text, int length, LICE_TextRect* rect, int flags) override;
  LICE_Pixel GetTextColour() override { return mTextColour; }
  HFONT GetFontHandle() override { return mFont; }
  int GetLineHeight() override { return mLineHeight; }

  // Draws one cached glyph with its top-left corner at (x, y), inside clip and
  // the bitmap. False when the glyph is missing or nothing of it is visible.
  virtual bool DrawGlyph(LICE_IBitmap* bitmap, uint16_t code, int x, int y, const LICE_TextRect* clip);

  // The record of code, or null (codes below 128 always have one).
  GlyphRecord* FindGlyph(uint32_t code);
  // Rasterises code into the cache; false when it cannot be cached.
  bool RenderGlyph(uint16_t code);

  // The coverage bytes of a cached record (mWidth x mHeight), or null.
  const unsigned char* GetGlyphCoverage(const GlyphRecord* record);

  // Fixes the result of the "Software\Wine" probe, -1 to probe again, so tests
  // reach both paths on any machine. Nothing in the plug-in calls it.
  static void PresetWineProbeForTests(int isWine);

private:
  int DrawStringGlyphs(LICE_IBitmap* bitmap, const char* text, int length, LICE_TextRect* rect, int flags,
                       bool noNative);
  int MeasureGlyphs(const char* text, int length, LICE_TextRect* rect, int flags);
  // Steps over one character, rasterising its glyph when needed. False at the
  // end of the text; otherwise newLine is set for a line feed, else record is
  // the glyph to place (null for a character that is skipped).
  bool NextGlyph(const char*& text, int& remaining, int flags, int& code, bool& newLine, GlyphRecord*& record);
  void ApplyEffects(unsigned char* data, int& width, int& height);
#if defined(_WIN64)
  // Only the 64-bit build has the platform path and asks whether it runs under Wine.
  bool UseNativePath(LICE_IBitmap* bitmap, int flags, bool noNative);
  int DrawStringNative(LICE_IBitmap* bitmap, const char* text, int length, LICE_TextRect* rect, int flags);
  static bool ProbeWineHost();
#endif
  static LICE_SysBitmap* EnsureGlyphRaster(int size);

  LICE_Pixel mTextColour = 0;
  LICE_Pixel mBackgroundColour = 0xFFFFFFFF;
  LICE_Pixel mEffectColour = 0xFFFFFFFF;
  int mBackgroundMode = kTransparent;
  int mCombineMode = 0;
  float mAlpha = 1.0f;
  int mFlags = 0;
  int mLineHeight = 0;
  int mLineSpacing = 0;
  GlyphRecord mDirectGlyphs[128];
  HeapBuffer mExtraGlyphs;  // GlyphRecord entries for codes 128 and above, sorted by code
  HeapBuffer mGlyphData;    // coverage of all cached glyphs
  HFONT mFont = nullptr;

  // Process-wide, UI thread only: the raster glyphs are drawn onto, the scratch
  // bitmap of the platform path, the number of live fonts (the last one frees
  // both bitmaps) and the Wine probe's result (-1 until probed).
  static LICE_SysBitmap* GlyphRaster;
  static LICE_SysBitmap* TextScratch;
  static int CachedFontCount;
  static int IsWineHost;
};

// Decodes one UTF-8 character. Returns the bytes consumed (1-4) and stores the
// code (null allowed). maxBytes bounds the read (negative: the text ends at a
// zero byte); a sequence cut off by it counts as its single lead byte. Bytes
// outside valid sequences are codes 0x80-0xFF; 4-byte forms give a space.
int LICE_DecodeUTF8Char(const char* bytes, int* code, int maxBytes = -1);
