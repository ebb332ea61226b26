#include "tools/imagegen/StrokeFont.h"

#include <cstring>
#include <vector>

namespace imagegen
{
  namespace
  {
    struct Glyph
    {
      char ch;
      float width;
      // Polylines as "x,y x,y ...", separated by '|'.
      const char* strokes;
    };

    const Glyph kGlyphs[] = {
      {'A', 4, "0,6 2,0 4,6|0.7,4 3.3,4"},
      {'B', 4, "0,3 3,3 4,4 4,5 3,6 0,6 0,0 3,0 4,1 4,2 3,3"},
      {'C', 4, "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5"},
      {'D', 4, "0,0 0,6 2.5,6 4,4.5 4,1.5 2.5,0 0,0"},
      {'E', 4, "4,0 0,0 0,6 4,6|0,3 3,3"},
      {'F', 4, "4,0 0,0 0,6|0,3 3,3"},
      {'G', 4, "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5 4,3.5 2.5,3.5"},
      {'H', 4, "0,0 0,6|4,0 4,6|0,3 4,3"},
      {'I', 2, "0,0 2,0|1,0 1,6|0,6 2,6"},
      {'J', 4, "4,0 4,5 3,6 1,6 0,5"},
      {'K', 4, "0,0 0,6|4,0 0,3.6|1.3,2.7 4,6"},
      {'L', 4, "0,0 0,6 4,6"},
      {'M', 5, "0,6 0,0 2.5,3.6 5,0 5,6"},
      {'N', 4, "0,6 0,0 4,6 4,0"},
      {'O', 4, "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0"},
      {'P', 4, "0,6 0,0 3,0 4,1 4,2 3,3 0,3"},
      {'Q', 4, "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0|2.6,4.6 4.2,6.2"},
      {'R', 4, "0,6 0,0 3,0 4,1 4,2 3,3 0,3|2,3 4,6"},
      {'S', 4, "4,1 3,0 1,0 0,1 0,2 1,3 3,3 4,4 4,5 3,6 1,6 0,5"},
      {'T', 4, "0,0 4,0|2,0 2,6"},
      {'U', 4, "0,0 0,5 1,6 3,6 4,5 4,0"},
      {'V', 4, "0,0 2,6 4,0"},
      {'W', 5, "0,0 1.2,6 2.5,2.4 3.8,6 5,0"},
      {'X', 4, "0,0 4,6|4,0 0,6"},
      {'Y', 4, "0,0 2,3 4,0|2,3 2,6"},
      {'Z', 4, "0,0 4,0 0,6 4,6"},
      {'0', 4, "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0"},
      {'1', 3, "0.5,1 2,0 2,6|0.5,6 3,6"},
      {'2', 4, "0,1 1,0 3,0 4,1 4,2 0,6 4,6"},
      {'3', 4, "0,1 1,0 3,0 4,1 4,2 3,3 1.5,3|3,3 4,4 4,5 3,6 1,6 0,5"},
      {'4', 4, "3,6 3,0 0,4 4,4"},
      {'5', 4, "4,0 0,0 0,3 3,3 4,4 4,5 3,6 1,6 0,5"},
      {'6', 4, "3.5,0 1,0 0,1 0,5 1,6 3,6 4,5 4,4 3,3 0,3"},
      {'7', 4, "0,0 4,0 1.5,6"},
      {'8', 4, "1,3 0,2 0,1 1,0 3,0 4,1 4,2 3,3 1,3 0,4 0,5 1,6 3,6 4,5 4,4 3,3"},
      {'9', 4, "4,3 1,3 0,2 0,1 1,0 3,0 4,1 4,5 3,6 0.5,6"},
      {'/', 3, "0,6.3 3,-0.3"},
      {'.', 0.6f, "0.3,6 0.3,6"},
      {'-', 3, "0,3 3,3"},
      {' ', 2.2f, ""},
    };

    const Glyph* Find(char ch)
    {
      for (const Glyph& g : kGlyphs)
        if (g.ch == ch)
          return &g;
      return nullptr;
    }

    std::vector<std::vector<std::pair<float, float>>> Parse(const char* s)
    {
      std::vector<std::vector<std::pair<float, float>>> lines(1);
      while (*s)
      {
        if (*s == '|')
        {
          lines.emplace_back();
          ++s;
          continue;
        }
        if (*s == ' ')
        {
          ++s;
          continue;
        }
        char* end = nullptr;
        const float x = strtof(s, &end);
        s = end + 1;  // ','
        const float y = strtof(s, &end);
        s = end;
        lines.back().push_back({x, y});
      }
      return lines;
    }
  }

  float TextWidth(const std::string& text, const TextStyle& style)
  {
    const float unit = style.capHeight / 6.0f;
    float w = 0;
    for (size_t i = 0; i < text.size(); ++i)
    {
      const Glyph* g = Find(text[i]);
      if (!g)
        continue;
      w += g->width;
      if (i + 1 < text.size())
        w += style.tracking;
    }
    return w * unit;
  }

  void DrawText(Canvas& c, const std::string& text, float x, float y, const TextStyle& style)
  {
    const float unit = style.capHeight / 6.0f;
    const float r = style.capHeight * style.weight;
    std::vector<Shape> strokes;
    float pen = x;
    for (char ch : text)
    {
      const Glyph* g = Find(ch);
      if (!g)
        continue;
      for (const auto& line : Parse(g->strokes))
      {
        for (size_t i = 0; i + 1 < line.size(); ++i)
          strokes.push_back(Capsule(pen + line[i].first * unit, y + line[i].second * unit,
                                    pen + line[i + 1].first * unit, y + line[i + 1].second * unit, r));
      }
      pen += (g->width + style.tracking) * unit;
    }
    if (strokes.empty())
      return;
    c.Fill(Union(strokes), style.colour, Box{x - r, y - r - unit, pen + r, y + style.capHeight + r + unit});
  }

  void DrawTextCentred(Canvas& c, const std::string& text, float cx, float y, const TextStyle& style)
  {
    DrawText(c, text, cx - TextWidth(text, style) / 2, y, style);
  }
}
