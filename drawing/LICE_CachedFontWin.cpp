// The platform path of the 64-bit build: plain text drawn and measured by GDI
// itself, into the bitmap's own DC or, for bitmaps without one, through the
// shared scratch bitmap.
#include "drawing/LICE_CachedFont.h"

#if defined(_WIN64)

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "drawing/LICE_SelectedFontWin.h"
#include "drawing/LICE_SysBitmap.h"

namespace
{
  inline bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

  // True when the bytes hold at least one multi-byte UTF-8 sequence start.
  bool HasMultiByteSequence(const unsigned char* s, int n)
  {
    for (int i = 0; i < n; ++i)
    {
      const unsigned char c = s[i];
      if (c >= 0xC2 && c <= 0xDF && i + 1 < n && IsContinuation(s[i + 1]))
        return true;
      if (c >= 0xE0 && c <= 0xF4 && i + 2 < n && IsContinuation(s[i + 1]) && IsContinuation(s[i + 2]))
        return true;
    }
    return false;
  }

  inline COLORREF ToColorref(LICE_Pixel p) { return RGB(LICE_GETR(p), LICE_GETG(p), LICE_GETB(p)); }

  // The text in the form DrawText takes: UTF-16 with its unit count when it
  // holds multi-byte sequences and converts cleanly, else the bytes as they are.
  class PlatformText
  {
  public:
    PlatformText(const char* text, int bytes) : mBytes(text), mByteCount(bytes)
    {
      if (!HasMultiByteSequence((const unsigned char*)text, bytes))
        return;
      const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, bytes, nullptr, 0);
      if (units <= 0)
        return;
      WCHAR* buf = mLocal;
      if (units > 999)
      {
        mHeap = (WCHAR*)malloc(((size_t)units + 32) * sizeof(WCHAR));
        buf = mHeap;
      }
      if (buf && MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, bytes, buf, units) == units)
      {
        mWide = buf;
        mUnits = units;
      }
      else
      {
        free(mHeap);
        mHeap = nullptr;
      }
    }
    ~PlatformText() { free(mHeap); }

    PlatformText(const PlatformText&) = delete;
    PlatformText& operator=(const PlatformText&) = delete;

    int Draw(HDC dc, RECT* r, UINT format) const
    {
      // Counts, never -1: the converted text has no terminator.
      return mWide ? DrawTextW(dc, mWide, mUnits, r, format) : DrawTextA(dc, mBytes, mByteCount, r, format);
    }

  private:
    const char* mBytes;
    int mByteCount;
    WCHAR mLocal[1024];
    WCHAR* mHeap = nullptr;
    WCHAR* mWide = nullptr;
    int mUnits = 0;
  };
}

int LICE_CachedFont::DrawStringNative(LICE_IBitmap* bitmap, const char* text, int length, LICE_TextRect* rect,
                                      int flags)
{
  // The bytes up to the given length, never past a zero byte.
  int bytes = 0;
  if (length < 0)
  {
    const size_t n = strlen(text);
    bytes = n > INT_MAX ? INT_MAX : (int)n;
  }
  else
  {
    while (bytes < length && text[bytes])
      ++bytes;
  }
  const PlatformText platformText(text, bytes);
  const UINT format = (UINT)(flags & ~DrawStringFlag::ScaleAlphaByColour) | DT_NOPREFIX;

  auto setColours = [this](HDC dc) {
    SetTextColor(dc, ToColorref(mTextColour));
    SetBkMode(dc, mBackgroundMode);
    if (mBackgroundMode == OPAQUE)
      SetBkColor(dc, ToColorref(mBackgroundColour));
  };

  HDC dc = bitmap ? bitmap->GetDeviceContext() : nullptr;
  if (dc)
  {
    // The font's opacity and combine mode do not apply on this route.
    LICE_SelectedFont selected(dc, mFont);
    setColours(dc);
    RECT r = {rect->left, rect->top, rect->right, rect->bottom};
    const int result = platformText.Draw(dc, &r, format);
    GdiFlush();
    if (format & DT_CALCRECT)
      *rect = LICE_TextRect{(int)r.left, (int)r.top, (int)r.right, (int)r.bottom};
    return result;
  }

  if (!TextScratch)
    TextScratch = new LICE_SysBitmap(0, 0);
  if (TextScratch->GetWidth() < 4 || TextScratch->GetHeight() < 4)
    TextScratch->Resize(4, 4);
  HDC sdc = TextScratch->GetDeviceContext();
  if (!sdc)
    return 0;
  LICE_SelectedFont selected(sdc, mFont);
  RECT m = {0, 0, 0, 0};
  int result = platformText.Draw(sdc, &m, (format & ~0xFu) | DT_CALCRECT | DT_NOPREFIX);
  const int64_t w = m.right, h = m.bottom;

  if (format & DT_CALCRECT)
  {
    rect->right = (int)std::min<int64_t>(rect->left + w, INT_MAX);
    rect->bottom = (int)std::min<int64_t>(rect->top + h, INT_MAX);
    return result;
  }
  if (!bitmap)
    return result;

  int64_t x = rect->left, y = rect->top;
  if (format & DT_RIGHT)
    x = rect->right - w;
  else if (format & DT_CENTER)
    x = ((int64_t)rect->right + rect->left - w) / 2;
  if (format & DT_BOTTOM)
    y = rect->bottom - h;
  else if (format & DT_VCENTER)
    y = ((int64_t)rect->bottom + rect->top - h) / 2;

  int64_t left = x, top = y, right = std::min<int64_t>(x + w, bitmap->GetWidth()),
          bottom = std::min<int64_t>(y + h, bitmap->GetHeight());
  // Nothing left of or above the bitmap is visible: the box starts inside it
  // (and inside the rectangle unless clipping is off); the amounts cut off
  // shift the text within the scratch bitmap.
  const bool clipToRect = !(format & DT_NOCLIP);
  if (clipToRect)
  {
    right = std::min<int64_t>(right, rect->right);
    bottom = std::min<int64_t>(bottom, rect->bottom);
  }
  const int64_t minLeft = clipToRect ? std::max(rect->left, 0) : 0;
  const int64_t minTop = clipToRect ? std::max(rect->top, 0) : 0;
  int64_t dx = 0, dy = 0;
  if (left < minLeft)
  {
    dx = std::min<int64_t>(minLeft - left, INT_MAX);
    left = minLeft;
  }
  if (top < minTop)
  {
    dy = std::min<int64_t>(minTop - top, INT_MAX);
    top = minTop;
  }
  if (right > left && bottom > top)
  {
    const int boxW = (int)(right - left), boxH = (int)(bottom - top);
    if (TextScratch->GetWidth() < boxW || TextScratch->GetHeight() < boxH)
    {
      TextScratch->Resize(std::max(TextScratch->GetWidth(), boxW), std::max(TextScratch->GetHeight(), boxH));
      selected.Reselect(mFont);
    }
    // The pixels under the box, the text over them, and back at the font's opacity.
    const LICE_BlitRect box = {(int)left, (int)top, (int)right, (int)bottom};
    LICE_Blit(TextScratch, bitmap, 0, 0, &box, 1.0f, 0);
    setColours(sdc);
    RECT tr = {(LONG)-dx, (LONG)-dy, (LONG)right, (LONG)bottom};
    result = platformText.Draw(sdc, &tr, format & ~0x10Fu);
    GdiFlush();
    const LICE_BlitRect src = {0, 0, boxW, boxH};
    LICE_Blit(bitmap, TextScratch, (int)left, (int)top, &src, mAlpha, 0);
  }
  return result;
}

#endif
