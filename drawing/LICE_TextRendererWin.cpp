// GDI text renderer for the glyph cache: characters are measured and drawn
// with DrawTextW into the raster's memory DC.
#include "drawing/LICE_TextRenderer.h"

#include <windows.h>

#include "drawing/LICE_SelectedFontWin.h"

void LICE_TextRenderer::SetupRaster(LICE_IBitmap* raster)
{
  HDC dc = raster->GetDeviceContext();
  if (!dc)
    return;
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(0, 0, 0));
}

int LICE_TextRenderer::GetLineHeight(LICE_IBitmap* raster, HFONT font)
{
  HDC dc = raster->GetDeviceContext();
  if (!dc)
    return 0;
  LICE_SelectedFont selected(dc, font);
  TEXTMETRICA tm = {};
  return GetTextMetricsA(dc, &tm) ? (int)tm.tmHeight : 0;
}

void LICE_TextRenderer::MeasureChar(LICE_IBitmap* raster, HFONT font, uint16_t ch, int* advance, int* height)
{
  *advance = *height = 0;
  HDC dc = raster->GetDeviceContext();
  if (!dc)
    return;
  LICE_SelectedFont selected(dc, font);
  const WCHAR text = (WCHAR)ch;
  RECT r = {0, 0, 0, 0};
  DrawTextW(dc, &text, 1, &r, DT_NOPREFIX | DT_CALCRECT | DT_SINGLELINE);
  *advance = (int)r.right;
  *height = (int)r.bottom;
}

void LICE_TextRenderer::DrawChar(LICE_IBitmap* raster, HFONT font, uint16_t ch, int right, int bottom)
{
  HDC dc = raster->GetDeviceContext();
  if (!dc)
    return;
  LICE_SelectedFont selected(dc, font);
  const WCHAR text = (WCHAR)ch;
  RECT r = {0, 0, right, bottom};
  DrawTextW(dc, &text, 1, &r, DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
  // GDI may batch; the coverage is read straight from the section's bits next.
  GdiFlush();
}

void LICE_TextRenderer::DeleteFont(HFONT font)
{
  DeleteObject(font);
}
