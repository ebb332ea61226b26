#include <windows.h>

#include "gui/IGraphicsFont.h"

namespace
{
  int QualityOf(int quality)
  {
    switch (quality)
    {
      case ITextStyle::kQualityDefault: return DEFAULT_QUALITY;
      case ITextStyle::kQualityNonAntiAliased: return NONANTIALIASED_QUALITY;
      case ITextStyle::kQualityAntiAliased: return ANTIALIASED_QUALITY;
      case ITextStyle::kQualityClearType: return CLEARTYPE_QUALITY;
      default: return NONANTIALIASED_QUALITY;
    }
  }
}

HFONT IGraphicsFont::Create(const ITextStyle& style)
{
  const int angle = style.mOrientation * 10;
  return CreateFontA(style.mSize, 0, angle, angle, style.mStyle == ITextStyle::kStyleBold ? FW_BOLD : FW_NORMAL,
                     style.mStyle == ITextStyle::kStyleItalic, FALSE, FALSE, 0, 0, 0, QualityOf(style.mQuality), 0,
                     style.mFace);
}
