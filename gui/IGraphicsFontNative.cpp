// The platform font of native builds: the installed text renderer's, sized
// by the style.
#include "drawing/LICE_TextRendererNative.h"
#include "gui/IGraphicsFont.h"

HFONT IGraphicsFont::Create(const ITextStyle& style)
{
  return LICE_TextRenderer::NewNativeFont(style.mSize);
}
