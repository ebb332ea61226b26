#pragma once
// The platform font behind a text style: a GDI font in the Windows builds
// (gui/IGraphicsFontWin.cpp), a font of the installed text renderer in native
// builds (gui/IGraphicsFontNative.cpp).

#include "drawing/LICE_CachedFont.h"
#include "gui/IGuiTypes.h"

namespace IGraphicsFont
{
  // A new font for style, or nullptr when the platform cannot make it. The
  // cached font that adopts it deletes it.
  HFONT Create(const ITextStyle& style);
}
