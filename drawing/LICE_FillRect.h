#pragma once

#include "drawing/LICE_IBitmap.h"

// Paints w x h pixels at (x, y) with colour at opacity alpha, combined by mode
// (BlitMode low byte 0-5, optionally UseSourceAlpha, which scales alpha by the
// colour's alpha byte). Clips to the bitmap; invalid input draws nothing.
void LICE_FillRect(LICE_IBitmap* dest, int x, int y, int w, int h, LICE_Pixel colour, float alpha, int mode);
