#include "gui/IControl.h"

#include <cmath>

#include "framework/Assert.h"
#include "framework/IParamRecord.h"
#include "framework/IPlugBase.h"
#include "gui/IGraphics.h"

IControl::IControl(IPlugBase* plug, const IRectangle& rect, int paramIdx, const IBlendMode& blend)
  : mPlug(plug), mRECT(rect), mTargetRECT(rect), mParamIdx(paramIdx), mBlendMethod(blend.mMethod),
    mBlendWeight(blend.mWeight)
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
  const double def = GetDefaultValue();
  if (def >= 0.0)
  {
    SetValue(def);
    SetDirty(true);
  }
}

void IControl::SetValueFromPlug(double value)
{
  if (GetDefaultValue() < 0.0)
  {
    SetValue(value);
    SetDefaultValue(value);
    return;
  }
  // A NaN never equals anything, so it always counts as a change.
  if (!(value == GetValue()))
  {
    SetValue(value);
    // Both at once: a redraw's clean-up between the two would leave only
    // redraw pending, and the change undrawn.
    RaiseDirtyBits(false, kDirtyBit | kRedrawBit);
  }
}

void IControl::SetValueFromUserInput(double value)
{
  if (!(value == GetValue()))
  {
    SetValue(value);
    SetDirty(true);
    SetRedrawPending();
  }
}

void IControl::Hide(bool hide)
{
  mHide.store(hide, std::memory_order_release);
  SetRedrawPending();
  mBlendWeight.store(hide ? 0.0f : 1.0f, std::memory_order_relaxed);
  SetDirty(false);
}

void IControl::SetGreyedOut(bool greyed)
{
  mGreyed = greyed;
  mBlendWeight.store(greyed ? 0.25f : 1.0f, std::memory_order_relaxed);
  SetDirty(false);
}

bool IControl::IsHit(int x, int y)
{
  return mTargetRECT.Contains(x, y);
}

void IControl::SetDirty(bool push)
{
  RaiseDirtyBits(push, kDirtyBit);
}

void IControl::RaiseDirtyBits(bool push, int bits)
{
  double value = GetValue();
  if (value < mClampLow)
    SetValue(value = mClampLow);
  else if (value > mClampHigh)
    SetValue(value = mClampHigh);
  mDirtyBits.fetch_or(bits, std::memory_order_release);

  if (std::isnan(value))
  {
    // A value pushed from the plug-in may be NaN (it only picks a frame);
    // one from the user never reaches the plug-in.
    if (!push) return;
    SetValue(mLastGoodValue.load(std::memory_order_relaxed));
    return;
  }
  mLastGoodValue.store(value, std::memory_order_relaxed);

  if (!push || !mPlug || mParamIdx < 0) return;
  mPlug->SetParameterFromGUI(mParamIdx, value);
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
  // dirty := redraw pending, redraw pending := false, in one step: a change
  // another thread marks meanwhile makes the exchange fail and is kept.
  int bits = mDirtyBits.load(std::memory_order_acquire);
  while (!mDirtyBits.compare_exchange_weak(bits, (bits & kRedrawBit) ? kDirtyBit : 0, std::memory_order_acq_rel,
                                           std::memory_order_acquire))
  {
  }
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
    RaiseDirtyBits(false, kDirtyBit | kRedrawBit);
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
  SetRedrawPending();
}
