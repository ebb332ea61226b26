#include "tests/support/LICE_FakeFont.h"
#include "gui/IGraphicsFont.h"

HFONT IGraphicsFont::Create(const ITextStyle& style)
{
  if (style.mSize <= 0) return nullptr;
  HFONT font = new HFONT__;
  font->mHeight = style.mSize;
  return font;
}
