// The platform font of native builds (unit tests only): the test renderer's
// stand-in font, sized by the style.
#include "tests/support/LICE_FakeFont.h"
#include "gui/IGraphicsFont.h"

HFONT IGraphicsFont::Create(const ITextStyle& style)
{
  if (style.mSize <= 0) return nullptr;
  HFONT font = new HFONT__;
  font->mHeight = style.mSize;
  return font;
}
