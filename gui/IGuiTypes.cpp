#include "gui/IGuiTypes.h"

#include <algorithm>
#include <cstring>

#include "framework/TextCopy.h"

IRectangle IRectangle::Union(const IRectangle& other) const
{
  if (Empty()) return other;
  if (other.Empty()) return *this;
  return IRectangle(std::min(mLeft, other.mLeft), std::min(mTop, other.mTop), std::max(mRight, other.mRight),
                    std::max(mBottom, other.mBottom));
}

IRectangle IRectangle::Intersect(const IRectangle& other) const
{
  const IRectangle r(std::max(mLeft, other.mLeft), std::max(mTop, other.mTop), std::min(mRight, other.mRight),
                     std::min(mBottom, other.mBottom));
  if (r.mLeft >= r.mRight || r.mTop >= r.mBottom) return IRectangle();
  return r;
}

ITextStyle::ITextStyle(int size, const IColourRGBA& colour, const char* face, int style, int align,
                       int orientation, int quality)
  : mSize(size), mColour(colour), mStyle(style), mAlign(align), mOrientation(orientation), mQuality(quality)
{
  if (face)
    CopyTextBounded(mFace, face, kFaceSize);
}
