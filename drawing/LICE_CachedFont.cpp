#include "drawing/LICE_CachedFont.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "drawing/LICE_Combine.h"
#include "drawing/LICE_FillRect.h"
#include "drawing/LICE_Glyph.h"
#include "drawing/LICE_SysBitmap.h"
#include "drawing/LICE_TextRenderer.h"

LICE_SysBitmap* LICE_CachedFont::GlyphRaster = nullptr;
LICE_SysBitmap* LICE_CachedFont::TextScratch = nullptr;
int LICE_CachedFont::CachedFontCount = 0;
int LICE_CachedFont::IsWineHost = -1;

namespace
{
#if defined(_WIN64)
  // A bitmap answering this extension query asks for the glyph cache.
  constexpr int kExtendedUseGlyphs = 0x59555678;
  // Flags that only the glyph cache can honour.
  constexpr int kGlyphOnlyFlags = CachedFontFlag::AsciiOnly | 0x1F3;
#endif

  inline bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

  inline int ClampToInt(int64_t v) { return v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : (int)v); }

  // A line feed: the pen goes back to the line start (sx or sy) one line
  // advance further on (down, or right for vertical fonts).
  inline void NextLine(bool vertical, int64_t lineAdvance, int64_t sx, int64_t sy, int64_t& x, int64_t& y)
  {
    if (vertical)
    {
      x += lineAdvance;
      y = sy;
    }
    else
    {
      x = sx;
      y += lineAdvance;
    }
  }

  inline int GlyphCount(const HeapBuffer& b) { return b.GetSize() / (int)sizeof(GlyphRecord); }
}

int LICE_DecodeUTF8Char(const char* bytes, int* code, int maxBytes)
{
  const unsigned char* s = (const unsigned char*)bytes;
  if (maxBytes == 0)
  {
    if (code)
      *code = 0;
    return 0;
  }
  // A zero byte is no continuation byte, so the checks below never run past
  // the end of a terminated text; maxBytes bounds an unterminated one.
  auto fits = [maxBytes](int n) { return maxBytes < 0 || n <= maxBytes; };
  const int lead = s[0];
  int result = lead, used = 1;
  if (lead >= 0xC2 && lead <= 0xDF)
  {
    if (fits(2) && IsContinuation(s[1]))
    {
      result = ((lead & 0x1F) << 6) | (s[1] & 0x3F);
      used = 2;
    }
  }
  else if (lead >= 0xE0 && lead <= 0xEF)
  {
    if (fits(3) && IsContinuation(s[1]) && IsContinuation(s[2]))
    {
      result = ((lead << 12) | ((s[1] & 0x3F) << 6) | (s[2] & 0x3F)) & 0xFFFF;
      used = 3;
    }
  }
  else if (lead >= 0xF0 && lead <= 0xF4)
  {
    // Beyond 16 bits: drawn as a space.
    if (fits(4) && IsContinuation(s[1]) && IsContinuation(s[2]) && IsContinuation(s[3]))
    {
      result = ' ';
      used = 4;
    }
  }
  if (code)
    *code = result;
  return used;
}

LICE_CachedFont::LICE_CachedFont()
  : mExtraGlyphs(4096)
  , mGlyphData(65536)
{
  memset(mDirectGlyphs, 0, sizeof(mDirectGlyphs));
  ++CachedFontCount;
}

LICE_CachedFont::~LICE_CachedFont()
{
  if ((mFlags & CachedFontFlag::OwnsFont) && mFont)
    LICE_TextRenderer::DeleteFont(mFont);
  if (--CachedFontCount == 0)
  {
    delete GlyphRaster;
    GlyphRaster = nullptr;
    delete TextScratch;
    TextScratch = nullptr;
  }
}

LICE_SysBitmap* LICE_CachedFont::EnsureGlyphRaster(int size)
{
  if (!GlyphRaster)
    GlyphRaster = new LICE_SysBitmap(0, 0);
  if (GlyphRaster->GetWidth() < size || GlyphRaster->GetHeight() < size)
  {
    GlyphRaster->Resize(size, size);
    LICE_TextRenderer::SetupRaster(GlyphRaster);
  }
  return GlyphRaster;
}

void LICE_CachedFont::SetFromHFont(HFONT font, int flags)
{
  if ((mFlags & CachedFontFlag::OwnsFont) && mFont && mFont != font)
    LICE_TextRenderer::DeleteFont(mFont);
  mFlags = flags;
  mFont = font;
  if (font)
    mLineHeight = LICE_TextRenderer::GetLineHeight(EnsureGlyphRaster(256), font);

  memset(mDirectGlyphs, 0, sizeof(mDirectGlyphs));
  mExtraGlyphs.Resize(0);
  mGlyphData.Resize(0);

  if (flags & CachedFontFlag::AsciiOnly)
    for (int c = 0; c < 128; ++c)
      RenderGlyph((uint16_t)c);
}

LICE_Pixel LICE_CachedFont::SetTextColour(LICE_Pixel colour)
{
  return std::exchange(mTextColour, colour);
}

LICE_Pixel LICE_CachedFont::SetBackgroundColour(LICE_Pixel colour)
{
  return std::exchange(mBackgroundColour, colour);
}

LICE_Pixel LICE_CachedFont::SetEffectColour(LICE_Pixel colour)
{
  return std::exchange(mEffectColour, colour);
}

int LICE_CachedFont::SetBackgroundMode(int mode)
{
  return std::exchange(mBackgroundMode, mode);
}

void LICE_CachedFont::SetCombineMode(int mode, float alpha)
{
  mCombineMode = mode;
  mAlpha = alpha;
}

GlyphRecord* LICE_CachedFont::FindGlyph(uint32_t code)
{
  if (code < 128)
    return &mDirectGlyphs[code];
  const int n = GlyphCount(mExtraGlyphs);
  if (!n)
    return nullptr;
  GlyphRecord* list = (GlyphRecord*)mExtraGlyphs.Get();
  int lo = 0, hi = n - 1;
  while (lo <= hi)
  {
    const int mid = (lo + hi) / 2;
    if (list[mid].mCode == code)
      return &list[mid];
    if (list[mid].mCode < code)
      lo = mid + 1;
    else
      hi = mid - 1;
  }
  return nullptr;
}

bool LICE_CachedFont::RenderGlyph(uint16_t code)
{
  if (mLineHeight > 1023)
    return false;

  GlyphRecord* record = FindGlyph(code);
  bool appended = false;
  if (!record)
  {
    if (mFlags & CachedFontFlag::AsciiOnly)
      return false;
    const int n = GlyphCount(mExtraGlyphs);
    const int want = (n + 1) * (int)sizeof(GlyphRecord);
    mExtraGlyphs.Resize(want, false);
    if (mExtraGlyphs.GetSize() != want)
      return false;
    record = (GlyphRecord*)mExtraGlyphs.Get() + n;
    *record = GlyphRecord{0, 0, 0, 0, code};
    appended = true;
  }

  LICE_SysBitmap* raster = EnsureGlyphRaster(std::max(mLineHeight, 1) * 2 + 8);
  if (raster->GetBits())
  {
    int advance = 0, height = 0;
    LICE_TextRenderer::MeasureChar(raster, mFont, code, &advance, &height);
    // Room for overhangs past the advance (italics).
    int right = advance + (mLineHeight >= 16 ? mLineHeight / 16 : 0) + 2;
    int bottom = height;
    LICE_FillRect(raster, 0, 0, right, bottom, 0, 1.0f, 0);
    LICE_TextRenderer::DrawChar(raster, mFont, code, right, bottom);

    const int rasterW = raster->GetWidth(), rasterH = raster->GetHeight();
    advance = std::min(advance, rasterW);
    right = std::min(right, rasterW);
    bottom = std::min(bottom, rasterH);

    *record = GlyphRecord{-1, 0, 0, 0, code};
    if (advance >= 1 && bottom >= 1)
    {
      if (mFlags & CachedFontFlag::Blur)
        LICE_BlurRaster(raster, right, bottom);

      const int offset = mGlyphData.GetSize();
      const int64_t want64 = (int64_t)offset + (int64_t)right * bottom;
      if (want64 <= INT_MAX)
        mGlyphData.Resize((int)want64, false);
      if (mGlyphData.GetSize() == want64)
      {
        unsigned char* data = (unsigned char*)mGlyphData.Get() + offset;
        const bool invert = (mFlags & CachedFontFlag::Invert) != 0;
        // Stored width: the advance, or one past the rightmost inked column.
        int width = advance;
        for (int y = 0; y < bottom; ++y)
        {
          const LICE_Pixel* row = LICE_RowPointer(raster, y);
          unsigned char* out = data + (ptrdiff_t)y * right;
          for (int x = 0; x < right; ++x)
          {
            const int red = LICE_GETR(row[x]);
            out[x] = (unsigned char)(invert ? 255 - red : red);
            if (red && x >= width)
              width = x + 1;
          }
        }
        if (width < right)
        {
          for (int y = 1; y < bottom; ++y)
            memmove(data + (ptrdiff_t)y * width, data + (ptrdiff_t)y * right, (size_t)width);
          mGlyphData.Resize(offset + width * bottom, false);
          data = (unsigned char*)mGlyphData.Get() + offset;
        }
        int glyphHeight = bottom;
        ApplyEffects(data, width, glyphHeight);
        *record = GlyphRecord{offset + 1, width, glyphHeight, advance, code};
      }
    }
  }

  if (appended && GlyphCount(mExtraGlyphs) > 1)
  {
    GlyphRecord* list = (GlyphRecord*)mExtraGlyphs.Get();
    std::sort(list, list + GlyphCount(mExtraGlyphs),
              [](const GlyphRecord& a, const GlyphRecord& b) { return a.mCode < b.mCode; });
  }
  return raster->GetBits() != nullptr;
}

void LICE_CachedFont::ApplyEffects(unsigned char* data, int& width, int& height)
{
  const int w = width, h = height;
  if (mFlags & CachedFontFlag::Vertical)
  {
    // The raster's pixels (at least 4 x w x h bytes) hold the unrotated copy.
    unsigned char* in = (unsigned char*)GlyphRaster->GetBits();
    memcpy(in, data, (size_t)w * h);
    const bool bottomUp = (mFlags & CachedFontFlag::BottomUp) != 0;
    for (int k = 0; k < w; ++k)
      for (int l = 0; l < h; ++l)
        data[k * h + l] = bottomUp ? in[l * w + (w - 1 - k)] : in[(h - 1 - l) * w + k];
    width = h;
    height = w;
  }
  const int n = width * height;
  const int effects = mFlags & (CachedFontFlag::NoAntialias | CachedFontFlag::Shadow | CachedFontFlag::Outline);
  if (effects)
    for (int i = 0; i < n; ++i)
      data[i] = data[i] > 130 ? 255 : 0;

  if (mFlags & (CachedFontFlag::Shadow | CachedFontFlag::Outline))
  {
    const bool shadow = (mFlags & CachedFontFlag::Shadow) != 0;
    const int cw = width, ch = height;
    for (int y = 0; y < ch; ++y)
    {
      unsigned char* row = data + y * cw;
      const unsigned char* above = y > 0 ? row - cw : nullptr;
      const unsigned char* below = y < ch - 1 ? row + cw : nullptr;
      for (int x = 0; x < cw; ++x)
      {
        if (row[x])
          continue;
        bool mark;
        if (shadow)
          mark = (x > 0 && row[x - 1] == 255) || (above && x > 0 && above[x - 1] == 255) || (above && above[x] == 255);
        else
          mark = (above && above[x] == 255) || (below && below[x] == 255) || (x > 0 && row[x - 1] == 255) ||
                 (x < cw - 1 && row[x + 1] == 255);
        if (mark)
          row[x] = 128;
      }
    }
  }
}

const unsigned char* LICE_CachedFont::GetGlyphCoverage(const GlyphRecord* record)
{
  if (record->mDataRef < 1 || record->mWidth < 1 || record->mHeight < 1)
    return nullptr;
  const int64_t end = (int64_t)record->mDataRef - 1 + (int64_t)record->mWidth * record->mHeight;
  if (end > mGlyphData.GetSize())
    return nullptr;
  return (const unsigned char*)mGlyphData.Get() + record->mDataRef - 1;
}

bool LICE_CachedFont::DrawGlyph(LICE_IBitmap* bitmap, uint16_t code, int x_, int y_, const LICE_TextRect* clip)
{
  if (!bitmap || !clip)
    return false;
  const GlyphRecord* record = FindGlyph(code);
  if (!record)
    return false;
  const unsigned char* mask = GetGlyphCoverage(record);
  if (!mask || !bitmap->GetBits())
    return false;

  // The clip never reaches past the bitmap.
  const int64_t clipL = std::max(clip->left, 0), clipT = std::max(clip->top, 0);
  const int64_t clipR = std::min(clip->right, bitmap->GetWidth()), clipB = std::min(clip->bottom, bitmap->GetHeight());
  const int gw = record->mWidth, gh = record->mHeight;
  int64_t x = x_, y = y_;
  if (x >= clipR || y >= clipB || x + gw <= clipL || y + gh <= clipT)
    return false;

  int64_t visW = gw, visH = gh;
  if (x < clipL)
  {
    mask += clipL - x;
    visW = x + gw - clipL;
    x = clipL;
  }
  if (y < clipT)
  {
    mask += (clipT - y) * gw;
    visH -= clipT - y;
    y = clipT;
  }
  visW = std::min(visW, clipR - x);
  visH = std::min(visH, clipB - y);
  if (visW < 1 || visH < 1)
    return false;

  const int vw = (int)visW, vh = (int)visH;
  LICE_Pixel* dest = LICE_PixelPointer(bitmap, (int)x, (int)y);
  const ptrdiff_t stride = LICE_RowStride(bitmap);
  const int m = mCombineMode & ~BlitMode::UseSourceAlpha;
  const int op = m & 0xFF;
  const float a = mAlpha;
  if (a != a)
    return true;  // NaN opacity: nothing at all, not even the background

  if (mBackgroundMode == kOpaque)
    LICE_FillRect(bitmap, (int)x, (int)y, vw, vh, mBackgroundColour, a, m);

  const int r = LICE_GETR(mTextColour), g = LICE_GETG(mTextColour), b = LICE_GETB(mTextColour);
  if (mFlags & CachedFontFlag::NoAntialias)
  {
    if (a == 1.0f && op == 0)
    {
      const LICE_Pixel colour = mTextColour;
      for (int yy = 0; yy < vh; ++yy, mask += gw, dest += stride)
        for (int xx = 0; xx < vw; ++xx)
          if (mask[xx])
            dest[xx] = colour;
      return true;
    }
    const int W = std::min(LICE_AlphaWeight(a), 256);
    if (W > 0 && op <= 5)
      LICE_GlyphKernelsNoAntialias[op](mask, dest, gw, stride, vw, vh, r, g, b, W);
    return true;
  }

  if (mFlags & (CachedFontFlag::Shadow | CachedFontFlag::Outline))
  {
    if (a == 1.0f && op == 0)
    {
      const LICE_Pixel colour = mTextColour, effect = mEffectColour;
      for (int yy = 0; yy < vh; ++yy, mask += gw, dest += stride)
        for (int xx = 0; xx < vw; ++xx)
        {
          const int c = mask[xx];
          if (c == 255)
            dest[xx] = colour;
          else if (c)
            dest[xx] = effect;
        }
      return true;
    }
    const int W = std::min(LICE_AlphaWeight(a), 256);
    if (W > 0 && op <= 5)
      LICE_GlyphKernelsEffect[op](mask, dest, gw, stride, vw, vh, r, g, b, W, LICE_GETR(mEffectColour),
                                  LICE_GETG(mEffectColour), LICE_GETB(mEffectColour));
    return true;
  }

  // Antialiased: the weight is not limited here; the kernel limits each pixel's.
  const int W = LICE_AlphaWeight(a);
  if (W > 0 && op <= 5)
    LICE_GlyphKernelsAntialiased[op](mask, dest, gw, stride, vw, vh, r, g, b, W);
  return true;
}

bool LICE_CachedFont::NextGlyph(const char*& text, int& remaining, int flags, int& code, bool& newLine,
                                GlyphRecord*& record)
{
  newLine = false;
  record = nullptr;
  if (remaining == 0 || !*text)
    return false;
  const int used = LICE_DecodeUTF8Char(text, &code, remaining);
  text += used;
  if (remaining > 0)
    remaining = std::max(remaining - used, 0);

  if (code == 13)
    return true;
  if (code == 10)
  {
    if (!(flags & DrawStringFlag::SingleLine))
    {
      newLine = true;
      return true;
    }
    code = ' ';
  }

  record = FindGlyph((uint32_t)code);
  if (!record)
  {
    const int before = GlyphCount(mExtraGlyphs);
    RenderGlyph((uint16_t)code);
    if (GlyphCount(mExtraGlyphs) != before)
      record = FindGlyph((uint32_t)code);
  }
  else if (record->mDataRef == 0)
  {
    RenderGlyph((uint16_t)code);
  }
  if (record && record->mDataRef <= 0)
    record = nullptr;  // nothing to draw, or it could not be rasterised
  return true;
}

int LICE_CachedFont::MeasureGlyphs(const char* text, int length, LICE_TextRect* rect, int flags)
{
  const bool vertical = (mFlags & CachedFontFlag::Vertical) != 0;
  const int64_t lineAdvance = (int64_t)mLineHeight + mLineSpacing;
  int64_t x = 0, y = 0, maxX = 0, maxY = 0;
  int code;
  bool newLine;
  GlyphRecord* record;
  while (NextGlyph(text, length, flags, code, newLine, record))
  {
    if (newLine)
    {
      NextLine(vertical, lineAdvance, 0, 0, x, y);
      continue;
    }
    if (!record)
      continue;
    if (vertical)
    {
      maxX = std::max(maxX, x + record->mWidth);
      maxY = std::max({maxY, y + record->mAdvance, y + record->mHeight});
      y += record->mAdvance;
    }
    else
    {
      maxX = std::max({maxX, x + record->mAdvance, x + record->mWidth});
      maxY = std::max(maxY, y + record->mHeight);
      x += record->mAdvance;
    }
  }
  rect->right = ClampToInt(rect->left + maxX);
  rect->bottom = ClampToInt(rect->top + maxY);
  return ClampToInt(vertical ? maxX : maxY);
}

int LICE_CachedFont::DrawStringGlyphs(LICE_IBitmap* bitmap, const char* text, int length, LICE_TextRect* rect,
                                      int flags, bool noNative)
{
  const float savedAlpha = mAlpha;
  float alpha = mAlpha;
  if (flags & DrawStringFlag::ScaleAlphaByColour)
    alpha *= LICE_GETA(mTextColour) / 255.0f;
  if (alpha == 0.0f || alpha != alpha)
    return 0;

  const bool vertical = (mFlags & CachedFontFlag::Vertical) != 0;
  const bool bottomUp = vertical && (mFlags & CachedFontFlag::BottomUp);
  int64_t sx = rect->left, sy = rect->top;
  const int alignFlags = DrawStringFlag::Center | DrawStringFlag::Right | DrawStringFlag::VCenter | DrawStringFlag::Bottom;
  if ((flags & alignFlags) || bottomUp)
  {
    LICE_TextRect measured = {0, 0, 0, 0};
    DrawString(bitmap, text, length, &measured,
               (noNative ? DrawStringFlag::NoNative : 0) | (flags & DrawStringFlag::SingleLine) |
                 DrawStringFlag::CalcRect);
    const int64_t mw = (int64_t)measured.right - measured.left, mh = (int64_t)measured.bottom - measured.top;
    if (flags & DrawStringFlag::Center)
      sx = ((int64_t)rect->right - mw - rect->left) / 2 + rect->left;
    else if (flags & DrawStringFlag::Right)
      sx = rect->right - mw;
    if (flags & DrawStringFlag::VCenter)
      sy += ((int64_t)rect->bottom - mh - rect->top) / 2;
    else if (flags & DrawStringFlag::Bottom)
      sy = rect->bottom - mh;
    if (bottomUp)
      sy += mh;
  }

  LICE_TextRect clip;
  if (flags & DrawStringFlag::NoClip)
    clip = {0, 0, bitmap->GetWidth(), bitmap->GetHeight()};
  else
    clip = {std::max(rect->left, 0), std::max(rect->top, 0), std::min(rect->right, bitmap->GetWidth()),
            std::min(rect->bottom, bitmap->GetHeight())};
  if (clip.right <= clip.left || clip.bottom <= clip.top)
    return 0;

  mAlpha = alpha;
  const int64_t lineAdvance = (int64_t)mLineHeight + mLineSpacing;
  int64_t x = sx, y = sy, maxX = sx, maxY = sy;
  int code;
  bool newLine;
  GlyphRecord* record;
  while (NextGlyph(text, length, flags, code, newLine, record))
  {
    if (newLine)
    {
      NextLine(vertical, lineAdvance, sx, sy, x, y);
      continue;
    }
    if (!record || !GetGlyphCoverage(record))
      continue;
    const int gw = record->mWidth, gh = record->mHeight, advance = record->mAdvance;
    if (bottomUp)
      y -= gh;
    // Pens beyond the int range are far off every bitmap.
    const bool drawn = x >= INT_MIN && x <= INT_MAX && y >= INT_MIN && y <= INT_MAX &&
                       DrawGlyph(bitmap, (uint16_t)code, (int)x, (int)y, &clip);
    if (vertical)
    {
      y += bottomUp ? gh - advance : advance;
      if (drawn)
        maxX = std::max(maxX, x + gw);
    }
    else
    {
      x += advance;
      if (drawn)
        maxY = std::max(maxY, y + gh);
    }
  }
  mAlpha = savedAlpha;
  return ClampToInt(vertical ? maxX - sx : maxY - sy);
}

int LICE_CachedFont::DrawString(LICE_IBitmap* bitmap, const char* text, int length, LICE_TextRect* rect, int flags)
{
  if (!bitmap && !(flags & DrawStringFlag::CalcRect))
    return 0;
  const bool noNative = (flags & DrawStringFlag::NoNative) != 0;
  flags &= ~DrawStringFlag::NoNative;
  if (!text || !rect)
    return 0;
  // A NaN opacity draws nothing on any path.
  if (!(flags & DrawStringFlag::CalcRect) && mAlpha != mAlpha)
    return 0;

#if defined(_WIN64)
  if (UseNativePath(bitmap, flags, noNative))
    return DrawStringNative(bitmap, text, length, rect, flags);
#endif
  if (flags & DrawStringFlag::CalcRect)
    return MeasureGlyphs(text, length, rect, flags);
  return DrawStringGlyphs(bitmap, text, length, rect, flags, noNative);
}

#if defined(_WIN64)
bool LICE_CachedFont::ProbeWineHost()
{
  if (IsWineHost < 0)
    IsWineHost = LICE_TextRenderer::ProbeWineHost() ? 1 : 0;
  return IsWineHost == 1;
}

bool LICE_CachedFont::UseNativePath(LICE_IBitmap* bitmap, int flags, bool noNative)
{
  if (bitmap && bitmap->Extended(kExtendedUseGlyphs, nullptr))
    return false;
  // In this order: the Wine probe runs only when everything before it allows the platform path.
  if ((mFlags & CachedFontFlag::UseNative) && mFont && !noNative && !ProbeWineHost() &&
      !(flags & DrawStringFlag::ScaleAlphaByColour) && !(mFlags & kGlyphOnlyFlags) &&
      (mLineSpacing == 0 || (flags & DrawStringFlag::SingleLine)))
    return true;
  return mLineHeight >= 256;
}
#endif
