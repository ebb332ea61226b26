#pragma once
// A tiny stroke font for the panel's lettering: capitals, digits and a few
// signs drawn as round-capped strokes on a 4 x 6 grid.

#include <string>

#include "tools/imagegen/Canvas.h"

namespace imagegen
{
  struct TextStyle
  {
    float capHeight = 8.0f;  // pixels
    float weight = 0.16f;    // stroke radius as a fraction of the cap height
    float tracking = 1.6f;   // gap between letters in grid units
    Colour colour = Rgb(0xFFFFFF);
  };

  float TextWidth(const std::string& text, const TextStyle& style);

  // Draws text with its cap top at y, centred on cx.
  void DrawTextCentred(Canvas& c, const std::string& text, float cx, float y, const TextStyle& style);
  void DrawText(Canvas& c, const std::string& text, float x, float y, const TextStyle& style);
}
