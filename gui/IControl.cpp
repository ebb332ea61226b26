#include "gui/IControl.h"

#include <cmath>

#include "framework/Assert.h"
#include "framework/IParamRecord.h"
#include "framework/IPlugBase.h"
#include "gui/IGraphics.h"

IControl::IControl(IPlugBase* plug, const IRectangle& rect, int paramIdx, const IBlendMode& blend)
  : mPlug(plug), mRECT(rect), mTargetRECT(rect), mParamIdx(paramIdx), mBlend(blend)
{
}

IControl::~IControl()
{
  mAuxParams.Free();
}

void IControl::OnMouseDown(int /*x*/, int /*y*/, const IMouseState& mouse)
{
  if (mouse.mRightButton) PromptUserInput();
}

void IControl::OnMouseDblClick(int /*x*/, int /*y*/, const IMouseState& /*mouse*/)
{
  if (mDefaultValue >= 0.0)
  {
    mValue = mDefaultValue;
    SetDirty(true);
  }
}

void IControl::SetValueFromPlug(double value)
{
  if (mDefaultValue < 0.0)
  {
    mValue = mDefaultValue = value;
    return;
  }
  // A NaN never equals anything, so it always counts as a change.
  if (!(value == mValue))
  {
    mValue = value;
    SetDirty(false);
    mRedraw = true;
  }
}

void IControl::SetValueFromUserInput(double value)
{
  if (!(value == mValue))
  {
    mValue = value;
    SetDirty(true);
    mRedraw = true;
  }
}

void IControl::Hide(bool hide)
{
  mHide = hide;
  mRedraw = true;
  mBlend.mWeight = hide ? 0.0f : 1.0f;
  SetDirty(false);
}

void IControl::SetGreyedOut(bool greyed)
{
  mGreyed = greyed;
  mBlend.mWeight = greyed ? 0.25f : 1.0f;
  SetDirty(false);
}

bool IControl::IsHit(int x, int y)
{
  return mTargetRECT.Contains(x, y);
}

void IControl::SetDirty(bool push)
{
  if (mValue < mClampLow)
    mValue = mClampLow;
  else if (mValue > mClampHigh)
    mValue = mClampHigh;
  mDirty = true;

  if (std::isnan(mValue))
  {
    // A value pushed from the plug-in may be NaN (it only picks a frame);
    // one from the user never reaches the plug-in.
    if (!push) return;
    mValue = mLastGoodValue;
    return;
  }
  mLastGoodValue = mValue;

  if (!push || !mPlug || mParamIdx < 0) return;
  mPlug->SetParameterFromGUI(mParamIdx, mValue);
  const IParamRecord* param = mPlug->GetParam(mParamIdx);
  if (!param) return;
  if (mValueDisplayControl)
  {
    char text[32];
    param->FormatCurrentValue(text, int(sizeof(text)));
    mValueDisplayControl->SetText(text);
  }
  if (mNameDisplayControl) mNameDisplayControl->SetText(param->GetNameForHost());
}

void IControl::SetClean()
{
  mDirty = mRedraw;
  mRedraw = false;
}

bool IControl::AuxParamList::Add(const AuxParam& aux)
{
  const int n = GetSize();
  mBuffer.Resize((n + 1) * int(sizeof(AuxParam)), false);
  if (GetSize() != n + 1) return false;
  Get()[n] = aux;
  return true;
}

int IControl::AddAuxParam(int paramIdx)
{
  return mAuxParams.Add(AuxParam{0.0, paramIdx}) ? NAuxParams() - 1 : -1;
}

double IControl::GetAuxParamValue(int auxIdx) const
{
  return (auxIdx >= 0 && auxIdx < NAuxParams()) ? mAuxParams.Get()[auxIdx].mValue : 0.0;
}

void IControl::SetAuxParamValueFromPlug(int auxIdx, double value)
{
  const int idx = auxIdx;
  ZQ_ASSERT(idx > -1 && idx < mAuxParams.GetSize());
  AuxParam& aux = mAuxParams.Get()[idx];
  if (!(value == aux.mValue))
  {
    aux.mValue = value;
    SetDirty(false);
    mRedraw = true;
  }
}

void IControl::MoveTo(int x, int y)
{
  mRECT = IRectangle(x, y, x + mRECT.W(), y + mRECT.H());
  mTargetRECT = mRECT;
}

void IControl::PromptUserInput()
{
  if (mParamIdx < 0 || mDisablePrompt || !mPlug) return;
  IParamRecord* param = mPlug->GetParam(mParamIdx);
  IGraphics* graphics = mPlug->GetGUI();
  if (!param || !graphics) return;

  IRectangle rect = mRECT;
  if (param->GetDisplayTextCount() == 0)
  {
    // Same size, centred on the control (halves truncated toward zero).
    const int cx = int(float(mRECT.mLeft + mRECT.mRight) * 0.5f);
    const int hw = int(float(mRECT.mRight - mRECT.mLeft) * 0.5f);
    const int cy = int(float(mRECT.mTop + mRECT.mBottom) * 0.5f);
    const int hh = int(float(mRECT.mBottom - mRECT.mTop) * 0.5f);
    rect = IRectangle(cx - hw, cy - hh, cx + hw, cy + hh);
  }
  graphics->PromptUserInput(this, param, &rect);
  mRedraw = true;
}
