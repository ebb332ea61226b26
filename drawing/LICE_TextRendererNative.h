#pragma once
// Native builds have no platform text renderer of their own: LICE_TextRenderer's
// calls go to the one installed here at run time (the unit tests install a
// stand-in whose characters have known shapes). With none installed no font
// can be made, text has no extent and nothing is drawn.

#include <cstdint>

#include "drawing/LICE_CachedFont.h"

// Every entry must be set; the calls mean what LICE_TextRenderer's do.
struct LICE_NativeTextRenderer
{
  // A new font whose lines are height pixels, or nullptr. DeleteFont deletes it.
  HFONT (*NewFont)(int height);
  void (*DeleteFont)(HFONT font);
  void (*SetupRaster)(LICE_IBitmap* raster);
  int (*GetLineHeight)(LICE_IBitmap* raster, HFONT font);
  void (*MeasureChar)(LICE_IBitmap* raster, HFONT font, uint16_t ch, int* advance, int* height);
  void (*DrawChar)(LICE_IBitmap* raster, HFONT font, uint16_t ch, int right, int bottom);
};

namespace LICE_TextRenderer
{
  // Makes renderer (null: none) the one the calls go to. Install it before the
  // first font is made; it must stay valid while any of its fonts lives.
  void InstallNative(const LICE_NativeTextRenderer* renderer);

  // A font of the installed renderer, or nullptr when none is installed.
  HFONT NewNativeFont(int height);
}
