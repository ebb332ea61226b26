#pragma once
// Value types shared by the whole GUI: plain records, copied by value.

#include "drawing/LICE_Types.h"

class LICE_CachedFont;
class LICE_IBitmap;

// Integer rectangle; right and bottom are exclusive for hit tests. Empty only
// when all four fields are 0 (a zero-width rectangle elsewhere is not empty).
struct IRectangle
{
  int mLeft = 0;
  int mTop = 0;
  int mRight = 0;
  int mBottom = 0;

  IRectangle() = default;
  IRectangle(int left, int top, int right, int bottom) : mLeft(left), mTop(top), mRight(right), mBottom(bottom) {}

  bool Empty() const { return mLeft == 0 && mTop == 0 && mRight == 0 && mBottom == 0; }
  int W() const { return mRight - mLeft; }
  int H() const { return mBottom - mTop; }
  bool Contains(int x, int y) const { return !Empty() && x >= mLeft && x < mRight && y >= mTop && y < mBottom; }
  // Bounding box of both; an empty side contributes nothing.
  IRectangle Union(const IRectangle& other) const;
  // Intersection, all 0 when the two do not overlap.
  IRectangle Intersect(const IRectangle& other) const;

  bool operator==(const IRectangle& o) const
  {
    return mLeft == o.mLeft && mTop == o.mTop && mRight == o.mRight && mBottom == o.mBottom;
  }
  bool operator!=(const IRectangle& o) const { return !(*this == o); }
};

// Colour with channels 0..255.
struct IColourRGBA
{
  int mA = 255;
  int mR = 0;
  int mG = 0;
  int mB = 0;

  IColourRGBA() = default;
  IColourRGBA(int a, int r, int g, int b) : mA(a), mR(r), mG(g), mB(b) {}

  LICE_Pixel ToPixel() const { return LICE_RGBA(mR, mG, mB, mA); }
  // The Windows COLORREF layout; alpha is dropped.
  uint32_t ToColourRef() const { return uint32_t(mR & 0xFF) | uint32_t(mG & 0xFF) << 8 | uint32_t(mB & 0xFF) << 16; }
};

// Font and colours of text drawn by or for a control.
struct ITextStyle
{
  enum EStyle { kStyleNormal = 0, kStyleBold = 1, kStyleItalic = 2 };
  enum EAlign { kAlignNear = 0, kAlignCenter = 1, kAlignFar = 2 };
  enum EQuality { kQualityDefault = 0, kQualityNonAntiAliased = 1, kQualityAntiAliased = 2, kQualityClearType = 3 };

  static const int kFaceSize = 32;

  char mFace[kFaceSize] = "Arial";
  int mSize = 12;                                   // font height
  IColourRGBA mColour{255, 0, 0, 0};
  IColourRGBA mTextEntryBGColour{255, 255, 255, 255};
  IColourRGBA mTextEntryFGColour{255, 0, 0, 0};
  int mStyle = kStyleNormal;
  int mAlign = kAlignCenter;
  int mOrientation = 0;                             // degrees
  int mQuality = kQualityDefault;
  LICE_CachedFont* mCached = nullptr;               // not owned; the font cache holds it

  ITextStyle() = default;
  // face is cut to 31 characters; nullptr keeps "Arial".
  ITextStyle(int size, const IColourRGBA& colour, const char* face = nullptr, int style = kStyleNormal,
             int align = kAlignCenter, int orientation = 0, int quality = kQualityDefault);
};

// An image and how many frames it holds. The bitmap belongs to the
// process-wide bitmap cache.
struct IBitmapStrip
{
  LICE_IBitmap* mBitmap = nullptr;
  int mWidth = 0;
  int mHeight = 0;
  int mFrames = 1;
  bool mHorizontal = false;   // frames side by side; false: stacked top to bottom

  IBitmapStrip() = default;
  IBitmapStrip(LICE_IBitmap* bitmap, int width, int height, int frames = 1, bool horizontal = false)
    : mBitmap(bitmap), mWidth(width), mHeight(height), mFrames(frames < 1 ? 1 : frames), mHorizontal(horizontal)
  {
  }
};

// Mouse buttons and modifier keys of one mouse event.
struct IMouseState
{
  bool mLeftButton = false;
  bool mRightButton = false;
  bool mShift = false;
  bool mControl = false;
  bool mAlt = false;

  IMouseState() = default;
  IMouseState(bool left, bool right, bool shift, bool control, bool alt)
    : mLeftButton(left), mRightButton(right), mShift(shift), mControl(control), mAlt(alt)
  {
  }
};

// How a control's bitmaps are combined with what is below them.
struct IBlendMode
{
  enum EMethod { kBlendNone = 0, kBlendClobber = 1, kBlendAdd = 2, kBlendColourDodge = 3 };

  int mMethod = kBlendNone;
  float mWeight = 1.0f;

  IBlendMode() = default;
  IBlendMode(int method, float weight = 1.0f) : mMethod(method), mWeight(weight) {}
};
