#pragma once
// The font of native builds, which have no platform text renderer and exist for
// unit tests only: cells of a fixed height whose coverage the test describes.
// Without a described shape a character of code 0x20 or above has advance
// height / 2 and, except the space, is a solid box (columns 0 to advance - 2,
// rows 1 to height - 2); codes below 0x20 have no extent.

#include <cstdint>
#include <map>
#include <vector>

#include "drawing/LICE_CachedFont.h"

struct LICE_FakeGlyph
{
  int mAdvance = 0;
  // Coverage rows from the top of the cell; rows may be longer than the advance.
  std::vector<std::vector<uint8_t>> mRows;
};

struct HFONT__
{
  int mHeight = 8;
  std::map<uint16_t, LICE_FakeGlyph> mGlyphs;
  int mDrawCount = 0;  // characters rasterised with this font
};
