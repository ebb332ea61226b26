#pragma once
// One-pixel straight lines, both endpoints inclusive, clipped to the bitmap.

#include <cstddef>

#include "drawing/LICE_IBitmap.h"

// Draws from (x1, y1) to (x2, y2) in colour at opacity alpha, combined by mode
// (BlitMode, low byte 0-5 only; every byte of the pixel, alpha included, meets
// the matching colour byte). antialias applies to diagonal and sloped lines.
void LICE_Line(LICE_IBitmap* bitmap, int x1, int y1, int x2, int y2, LICE_Pixel colour, float alpha, int mode,
               bool antialias);

// Outcode clipping against a width x height bitmap. True when part of the
// segment lies inside; the coordinates are replaced by the clipped endpoints.
bool LICE_ClipLine(int& x1, int& y1, int& x2, int& y2, int width, int height);

// The 45-degree line of count + 1 pixels from first, opaque copy: each pixel is
// xStep + yStep from the previous one (steps in pixels).
void LICE_DiagonalLine(LICE_Pixel* first, int count, int xStep, ptrdiff_t yStep, LICE_Pixel colour, bool antialias);
