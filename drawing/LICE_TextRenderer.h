#pragma once
// The platform text renderer behind LICE_CachedFont's glyph cache: GDI in the
// Windows builds (drawing/LICE_TextRendererWin.cpp), in native builds whichever
// renderer is installed at run time (drawing/LICE_TextRendererNative.h).

#include <cstdint>

#include "drawing/LICE_CachedFont.h"

namespace LICE_TextRenderer
{
  // White text on an opaque black background: the raster's drawing state for
  // rasterising glyphs.
  void SetupRaster(LICE_IBitmap* raster);

  // Text-metric height of font (drawn through raster's drawing surface).
  int GetLineHeight(LICE_IBitmap* raster, HFONT font);

  // Advance and height of one UTF-16 unit, single line. A null font means the
  // surface's default font.
  void MeasureChar(LICE_IBitmap* raster, HFONT font, uint16_t ch, int* advance, int* height);

  // Draws one UTF-16 unit with the raster's colours into {0, 0, right, bottom}
  // without clipping; the pixels are up to date when it returns.
  void DrawChar(LICE_IBitmap* raster, HFONT font, uint16_t ch, int right, int bottom);

  void DeleteFont(HFONT font);

  // True when the process runs under Wine (the registry key "Software\Wine"
  // exists). Asked at most once per process.
  bool ProbeWineHost();
}
