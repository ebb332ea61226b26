#pragma once

#include "drawing/LICE_IBitmap.h"

// Source rectangle of a blit: right and bottom exclusive.
struct LICE_BlitRect
{
  int left, top, right, bottom;
};

// Copies srcRect of src (all of it when null) to (dstx, dsty) of dest, combined
// by mode (BlitMode) at opacity alpha (0.0-1.0). Clips to both bitmaps; invalid
// input draws nothing.
void LICE_Blit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, const LICE_BlitRect* srcRect,
               float alpha, int mode);

// Blurs the top-left width x height pixels of raster in place (all four channels
// at once); the glyph cache passes its shared raster bitmap.
void LICE_BlurRaster(LICE_IBitmap* raster, int width, int height);
