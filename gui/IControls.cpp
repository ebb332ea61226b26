// The control classes built on IControl.
#include <cstring>

#include "gui/IControl.h"
#include "gui/IGraphics.h"

int IControlFrameForValue(int frames, double value)
{
  if (frames < 2) return 1;
  // In double precision and clamped before converting: the meter is fed
  // unbounded sample magnitudes, which may also be infinite or NaN.
  const double f = double(frames - 1) * value + 0.5;
  if (!(f >= 1.0)) return 1;
  if (f >= double(frames - 1)) return frames;
  return 1 + int(f);
}

namespace
{
  IRectangle FrameRect(int x, int y, const IBitmapStrip& bitmap)
  {
    return IRectangle(x, y, x + bitmap.mWidth, y + bitmap.mHeight / (bitmap.mFrames > 0 ? bitmap.mFrames : 1));
  }
}

IBitmapControl::IBitmapControl(IPlugBase* plug, int x, int y, int paramIdx, const IBitmapStrip& bitmap,
                               const IBlendMode& blend)
  : IControl(plug, FrameRect(x, y, bitmap), paramIdx, blend), mBitmap(bitmap)
{
}

IBitmapControl::IBitmapControl(IPlugBase* plug, const IRectangle& rect, int paramIdx, const IBitmapStrip& bitmap,
                               const IBlendMode& blend)
  : IControl(plug, rect, paramIdx, blend), mBitmap(bitmap)
{
}

bool IBitmapControl::Draw(IGraphics* graphics)
{
  const int frame = IControlFrameForValue(mBitmap.mFrames, GetValue());
  const IBlendMode blend = GetBlend();
  return graphics->DrawBitmapFrame(&mBitmap, &mRECT, frame, &blend);
}

void ISwitchControl::OnMouseDown(int /*x*/, int /*y*/, const IMouseState& mouse)
{
  if (mouse.mRightButton)
    PromptUserInput();
  else if (mBitmap.mFrames > 1)
    SetValue(GetValue() + 1.0 / double(mBitmap.mFrames - 1));
  else
    SetValue(GetValue() + 1.0);
  if (GetValue() > 1.001) SetValue(0.0);
  SetDirty(true);
}

void ISwitchControl::OnMouseDblClick(int x, int y, const IMouseState& mouse)
{
  ISwitchControl::OnMouseDown(x, y, mouse);
}

IInvisibleSwitchControl::IInvisibleSwitchControl(IPlugBase* plug, const IRectangle& rect, int paramIdx)
  : IControl(plug, rect, paramIdx, IBlendMode(IBlendMode::kBlendClobber, 1.0f))
{
  mDisablePrompt = true;
}

void IInvisibleSwitchControl::OnMouseDown(int /*x*/, int /*y*/, const IMouseState& /*mouse*/)
{
  SetValue(GetValue() < 0.5 ? 1.0 : 0.0);
  SetDirty(true);
}

IKnobControl::IKnobControl(IPlugBase* plug, const IRectangle& rect, int paramIdx, int direction, double gearing,
                           const IBlendMode& blend)
  : IControl(plug, rect, paramIdx, blend), mDirection(direction), mGearing(gearing)
{
}

void IKnobControl::OnMouseDrag(int /*x*/, int /*y*/, int dx, int dy, const IMouseState& mouse)
{
  double gearing = mGearing;
  if (mouse.mControl || mouse.mShift) gearing *= 10.0;
  if (mDirection == kVertical)
    SetValue(GetValue() + double(dy) / double(mRECT.mTop - mRECT.mBottom) / gearing);
  else
    SetValue(GetValue() + double(dx) / double(mRECT.mRight - mRECT.mLeft) / gearing);
  SetDirty(true);
}

void IKnobControl::OnMouseWheel(int /*x*/, int /*y*/, const IMouseState& mouse, int notches)
{
  SetValue(GetValue() + double(notches) * ((mouse.mControl || mouse.mShift) ? 0.001 : 0.01));
  SetDirty(true);
}

IKnobMultiControl::IKnobMultiControl(IPlugBase* plug, int x, int y, int paramIdx, const IBitmapStrip& bitmap,
                                     int direction, double gearing, const IBlendMode& blend)
  : IKnobControl(plug, FrameRect(x, y, bitmap), paramIdx, direction, gearing, blend), mBitmap(bitmap)
{
}

bool IKnobMultiControl::Draw(IGraphics* graphics)
{
  const int frame = IControlFrameForValue(mBitmap.mFrames, GetValue());
  const IBlendMode blend = GetBlend();
  return graphics->DrawBitmapFrame(&mBitmap, &mRECT, frame, &blend);
}

ITextControl::ITextControl(IPlugBase* plug, const IRectangle& rect, const ITextStyle& style, const char* text)
  : IControl(plug, rect, -1), mStr(text)
{
  mText = style;
}

ITextControl::~ITextControl() = default;

bool ITextControl::Draw(IGraphics* graphics)
{
  if (mStr.GetLength() == 0) return true;
  IRectangle rect = mRECT;
  return graphics->DrawStyledText(mText, mStr.Get(), rect);
}

void ITextControl::SetText(const char* text)
{
  const char* next = text ? text : "";
  if (std::strcmp(mStr.Get(), next) == 0) return;
  SetDirty(false);
  mStr.Set(next);
}
