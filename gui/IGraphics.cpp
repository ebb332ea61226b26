#include "gui/IGraphics.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "drawing/LICE_Blit.h"
#include "drawing/LICE_CachedFont.h"
#include "drawing/LICE_Line.h"
#include "drawing/LICE_MemBitmap.h"
#include "drawing/LICE_SysBitmap.h"
#include "framework/Assert.h"
#include "framework/IParamRecord.h"
#include "framework/IPlugBase.h"

namespace
{
  // The blit mode and opacity of a blend; no blend weighs by the source alpha.
  int BlitModeOf(const IBlendMode* blend)
  {
    if (!blend) return BlitMode::UseSourceAlpha;
    switch (blend->mMethod)
    {
      case IBlendMode::kBlendClobber: return BlitMode::Copy;
      case IBlendMode::kBlendAdd: return BlitMode::UseSourceAlpha | BlitMode::Add;
      case IBlendMode::kBlendColourDodge: return BlitMode::UseSourceAlpha | BlitMode::Dodge;
      default: return BlitMode::UseSourceAlpha;
    }
  }

  // Whether a control's rect c is drawn for the paint rect p: p's right and
  // bottom edges count as touching.
  bool PaintTouches(const IRectangle& p, const IRectangle& c)
  {
    return p.mRight >= c.mLeft && p.mLeft < c.mRight && p.mBottom >= c.mTop && p.mTop < c.mBottom;
  }

  // The current value as a text entry shows it, bounded by size and the same
  // in every locale (to_chars ignores the host's decimal comma).
  void FormatEntryValue(const IParamRecord& param, char* text, int size)
  {
    double v = param.Value();
    if (param.GetNegateDisplay()) v = -v;
    char* const end = text + size - 1;
    std::to_chars_result r{text, std::errc()};
    const int precision = param.GetPrecision();
    if (precision > 0)
    {
      r = std::to_chars(text, end, v, std::chars_format::fixed, precision);
      // Too long for the entry: the shortest exact form still fits.
      if (r.ec != std::errc()) r = std::to_chars(text, end, v);
    }
    else
    {
      // Truncated toward zero, clamped to int; NaN shows 0.
      const double t = std::trunc(v);
      const int i = std::isnan(t) ? 0 : t <= double(INT_MIN) ? INT_MIN : t >= double(INT_MAX) ? INT_MAX : int(t);
      r = std::to_chars(text, end, i);
    }
    *(r.ec == std::errc() ? r.ptr : text) = 0;
  }
}

IGraphics::IGraphics(IPlugBase* plug, int width, int height, int fps)
  : mPlug(plug), mWidth(width), mHeight(height), mFPS(fps > 0 ? fps : kDefaultFPS)
{
}

IGraphics::~IGraphics()
{
  delete mKeyCatcher;
  mKeyCatcher = nullptr;
  mControls.DeleteAll();
  delete mDrawBitmap;
  mDrawBitmap = nullptr;
  delete mTmpBitmap;
  mTmpBitmap = nullptr;
}

void IGraphics::PrepareDraw()
{
  delete mDrawBitmap;
  delete mTmpBitmap;
  mDrawBitmap = new LICE_SysBitmap(mWidth, mHeight);
  mTmpBitmap = new LICE_MemBitmap();
}

void IGraphics::SetParameterFromPlug(int paramIdx, double value, bool normalised)
{
  if (!normalised)
  {
    const IParamRecord* param = mPlug ? mPlug->GetParam(paramIdx) : nullptr;
    if (!param) return;
    value = param->ToNormalised(value);
  }
  for (int i = 0, n = GetNControls(); i < n; ++i)
  {
    IControl* c = GetControl(i);
    if (c->ParamIdx() == paramIdx) c->SetValueFromPlug(value);
    const int aux = c->FindAuxParam(paramIdx);
    if (aux >= 0) c->SetAuxParamValueFromPlug(aux, value);
  }
}

int IGraphics::AttachControl(IControl* control)
{
  if (!control) return -1;
  if (!mControls.Add(control))
  {
    delete control;
    return -1;
  }
  return GetNControls() - 1;
}

void IGraphics::AttachKeyCatcher(IControl* control)
{
  if (control == mKeyCatcher) return;
  delete mKeyCatcher;
  mKeyCatcher = control;
}

IBitmapStrip IGraphics::LoadBitmapStrip(int id, const char* name, int frames, bool horizontal)
{
  LICE_IBitmap* bitmap = FindCachedBitmap(id);
  if (!bitmap)
  {
    bitmap = LoadPNGResource(id, name);
    const bool imgResourceFound = bitmap != nullptr;
    ZQ_ASSERT(imgResourceFound);
    AddCachedBitmap(bitmap, id);
  }
  return IBitmapStrip(bitmap, bitmap->GetWidth(), bitmap->GetHeight(), frames, horizontal);
}

IBitmapControl* IGraphics::AttachBackground(int id, const char* name)
{
  const IBitmapStrip strip = LoadBitmapStrip(id, name, 1, false);
  IBitmapControl* background = new IBitmapControl(mPlug, IRectangle(0, 0, strip.mWidth, strip.mHeight), -1, strip,
                                                  IBlendMode(IBlendMode::kBlendClobber, 1.0f));
  if (!mControls.Insert(0, background))
  {
    delete background;
    return nullptr;
  }
  return background;
}

void IGraphics::PromptUserInput(IControl* control, IParamRecord* param, IRectangle* rect)
{
  if (!control || !param || !rect) return;

  const int nTexts = param->GetDisplayTextCount();
  if (param->Kind() == IParamRecord::kEnum || (param->Kind() == IParamRecord::kBool && nTexts > 0))
  {
    char current[IParamRecord::kTextSize];
    param->FormatCurrentValue(current, int(sizeof(current)));
    PopupMenuDesc menu;
    for (int i = 0; i < nTexts; ++i)
    {
      const char* text = param->GetDisplayTextForValue(i);
      menu.AddItem(text, std::strcmp(text, current) == 0 ? PopupMenuItem::kChecked : 0);
    }
    if (const PopupMenuDesc* chosen = ShowPopupMenu(&menu, rect))
      control->SetValueFromUserInput(param->ToNormalised(double(chosen->mChosen)));
    menu.Destroy();
    return;
  }

  char text[64];
  FormatEntryValue(*param, text, int(sizeof(text)));
  CreateTextEntry(control, &control->GetTextStyle(), rect, text, param);
}

void IGraphics::Resize(int width, int height)
{
  // The edited control is about to go.
  EndMouseEdit();
  {
    // The audio thread may be writing meter values into the old controls.
    std::unique_lock<RecursiveLock> lock;
    if (mPlug) lock = std::unique_lock<RecursiveLock>(mPlug->GetLock());
    mWidth = width;
    mHeight = height;
    ReleaseMouseCapture();
    mControls.DeleteAll();
    delete mDrawBitmap;
    mDrawBitmap = nullptr;
    delete mTmpBitmap;
    mTmpBitmap = nullptr;
    PrepareDraw();
  }
  if (mPlug) mPlug->ResizeGui(width, height);
}

void IGraphics::ReleaseMouseCapture()
{
  mMouseCapture = -1;
  mMouseX = mMouseY = -1;
}

// ---- Drawing ------------------------------------------------------------

bool IGraphics::IsDirty(IRectangle& rect)
{
  bool dirty = false;
  for (int i = 0, n = GetNControls(); i < n; ++i)
  {
    IControl* c = GetControl(i);
    if (c->IsDirty())
    {
      rect = rect.Union(c->GetRECT());
      dirty = true;
    }
  }
  return dirty;
}

bool IGraphics::Draw(const IRectangle& rect)
{
  const int n = GetNControls();
  if (n == 0) return true;

  if (mStrict)
  {
    mDrawRECT = rect;
    for (int i = 0; i < n; ++i)
    {
      IControl* c = GetControl(i);
      const IRectangle& r = c->GetRECT();
      if (!c->IsHidden() && !rect.Empty() && !r.Empty() && PaintTouches(rect, r)) c->Draw(this);
      c->SetClean();
    }
  }
  else
  {
    IControl* background = GetControl(0);
    if (background->IsDirty())
    {
      mDrawRECT = background->GetRECT();
      for (int i = 0; i < n; ++i)
      {
        IControl* c = GetControl(i);
        if (i == 0 || !c->IsHidden())
        {
          c->Draw(this);
          c->SetClean();
        }
      }
    }
    else
    {
      for (int i = 1; i < n; ++i)
      {
        IControl* dirty = GetControl(i);
        if (!dirty->IsDirty()) continue;
        mDrawRECT = dirty->GetRECT();
        for (int j = 0; j < n; ++j)
        {
          IControl* c = GetControl(j);
          const IRectangle& r = c->GetRECT();
          if (c->IsHidden()) continue;
          if (j == i || (!r.Empty() && !mDrawRECT.Empty() && PaintTouches(r, mDrawRECT))) c->Draw(this);
        }
        dirty->SetClean();
      }
    }
  }

  if (mShowControlBounds) DrawControlBounds();
  return DrawScreen(rect);
}

void IGraphics::DrawControlBounds()
{
  for (int i = 1, n = GetNControls(); i < n; ++i)
    DrawRect(GetControl(i)->GetRECT());

  char text[32];
  std::snprintf(text, sizeof(text), "x: %i, y: %i", mMouseX, mMouseY);
  ITextStyle style(20, IColourRGBA(255, 0, 255, 0), "Arial", ITextStyle::kStyleNormal, ITextStyle::kAlignCenter);
  IRectangle where(mWidth - 150, mHeight - 20, mWidth, mHeight);
  DrawStyledText(style, text, where);
}

bool IGraphics::DrawBitmap(const IBitmapStrip* bitmap, const IRectangle* rect, int srcX, int srcY,
                           const IBlendMode* blend)
{
  if (!mDrawBitmap || !bitmap || !rect) return true;
  const IRectangle& r = *rect;
  const IRectangle& d = mDrawRECT;
  IRectangle c;
  if (!r.Empty() && !d.Empty() && PaintTouches(r, d))
  {
    c = IRectangle(r.mLeft > d.mLeft ? r.mLeft : d.mLeft, r.mTop > d.mTop ? r.mTop : d.mTop,
                   r.mRight < d.mRight ? r.mRight : d.mRight, r.mBottom < d.mBottom ? r.mBottom : d.mBottom);
  }
  const float alpha = blend ? blend->mWeight : 1.0f;
  const LICE_BlitRect src{srcX + c.mLeft - r.mLeft, srcY + c.mTop - r.mTop, srcX + c.mRight - r.mLeft,
                          srcY + c.mBottom - r.mTop};
  LICE_Blit(mDrawBitmap, bitmap->mBitmap, c.mLeft, c.mTop, &src, alpha, BlitModeOf(blend));
  return true;
}

bool IGraphics::DrawBitmapFrame(const IBitmapStrip* bitmap, const IRectangle* rect, int frame,
                                const IBlendMode* blend)
{
  if (!bitmap) return true;
  int offset = 0;
  if (bitmap->mFrames > 1 && frame > 1)
  {
    const int extent = bitmap->mHorizontal ? bitmap->mWidth : bitmap->mHeight;
    offset = int(double(extent) * double(frame - 1) / double(bitmap->mFrames) + 0.5);
  }
  return bitmap->mHorizontal ? DrawBitmap(bitmap, rect, offset, 0, blend) : DrawBitmap(bitmap, rect, 0, offset, blend);
}

void IGraphics::DrawRect(const IRectangle& r)
{
  const LICE_Pixel green = 0xFF00FF00;
  LICE_Line(mDrawBitmap, r.mLeft, r.mTop, r.mRight, r.mTop, green, 1.0f, 0, false);
  LICE_Line(mDrawBitmap, r.mLeft, r.mBottom, r.mRight, r.mBottom, green, 1.0f, 0, false);
  LICE_Line(mDrawBitmap, r.mLeft, r.mTop, r.mLeft, r.mBottom, green, 1.0f, 0, false);
  LICE_Line(mDrawBitmap, r.mRight, r.mTop, r.mRight, r.mBottom, green, 1.0f, 0, false);
}

bool IGraphics::DrawStyledText(ITextStyle& style, const char* text, IRectangle& rect, bool measure)
{
  if (!text || !*text) return true;
  LICE_CachedFont* font = style.mCached ? style.mCached : CacheFontForStyle(style);
  if (!font) return false;
  font->SetTextColour(style.mColour.ToPixel());

  int flags = DrawStringFlag::VCenter | DrawStringFlag::SingleLine | DrawStringFlag::NoClip;
  if (style.mColour.mA != 255) flags |= DrawStringFlag::ScaleAlphaByColour;
  if (style.mAlign == ITextStyle::kAlignCenter)
    flags |= DrawStringFlag::Center;
  else if (style.mAlign != ITextStyle::kAlignNear)
    flags |= DrawStringFlag::Right;

  if (!measure)
  {
    LICE_TextRect r{rect.mLeft, rect.mTop, rect.mRight, rect.mBottom};
    font->DrawString(mDrawBitmap, text, -1, &r, flags);
    return true;
  }

  LICE_TextRect r{0, 0, 0, 0};
  font->DrawString(mDrawBitmap, text, -1, &r, flags | DrawStringFlag::CalcRect);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  if (style.mAlign == ITextStyle::kAlignNear)
    rect.mRight = rect.mLeft + w;
  else if (style.mAlign == ITextStyle::kAlignCenter)
  {
    rect.mLeft = (rect.mLeft + rect.mRight) / 2 - w / 2;
    rect.mRight = rect.mLeft + w;
  }
  else
    rect.mLeft = rect.mRight - w;
  rect.mBottom = rect.mTop + h;
  return true;
}

bool IGraphics::MeasureStyledText(ITextStyle& style, const char* text, IRectangle& rect)
{
  return DrawStyledText(style, text, rect, true);
}

// ---- Mouse and keys -------------------------------------------------------

int IGraphics::GetMouseControlIdx(int x, int y, bool moWhenGreyed)
{
  for (int i = GetNControls() - 1; i >= 0; --i)
  {
    IControl* c = GetControl(i);
    if (c->IsHidden()) continue;
    if (c->IsGreyed() && !(moWhenGreyed && c->GetMOWhenGreyed())) continue;
    if (c->IsHit(x, y)) return i;
  }
  return -1;
}

void IGraphics::OnMouseDown(int x, int y, const IMouseState& mouse)
{
  // A press that begins while another one's edit is open ends that edit
  // first: the host never sees two open at once.
  EndMouseEdit();
  ReleaseMouseCapture();
  const int idx = GetMouseControlIdx(x, y);
  if (idx < 0) return;
  mMouseCapture = idx;
  mMouseX = x;
  mMouseY = y;
  IControl* c = GetControl(idx);
  const int paramIdx = c->ParamIdx();
  if (mPlug && mPlug->GetApiKind() == kApiVST3 && mouse.mRightButton && paramIdx >= 0)
  {
    // The host's own parameter menu instead of an edit: nothing begins, so
    // the mouse-up that follows ends nothing.
    ReleaseMouseCapture();
    mPlug->PopupHostParamMenu(paramIdx, x, y);
    return;
  }
  // A click the host takes is the host's: no change begins and the control
  // sees nothing. The capture stays for the control's mouse-up, which then
  // ends nothing: the host never saw a begin.
  if (mHostView && paramIdx >= 0 && mHostView->OfferParamMouseDown(paramIdx, mouse)) return;
  BeginMouseEdit(paramIdx);
  c->OnMouseDown(x, y, mouse);
  // The press gave the mouse up (a popup menu's loop takes the button's
  // release): its edit ends here, after the value it chose.
  if (mMouseCapture != idx) EndMouseEdit();
}

void IGraphics::OnMouseUp(int x, int y, const IMouseState& mouse)
{
  const int idx = mMouseCapture >= 0 ? mMouseCapture : GetMouseControlIdx(x, y);
  ReleaseMouseCapture();
  if (IControl* c = GetControl(idx)) c->OnMouseUp(x, y, mouse);
  EndMouseEdit();
}

void IGraphics::OnMouseCaptureLost()
{
  if (mMouseCapture >= 0)
    OnMouseUp(mMouseX, mMouseY, IMouseState());
  else
    EndMouseEdit();
}

void IGraphics::BeginMouseEdit(int paramIdx)
{
  EndMouseEdit();
  if (!mPlug || paramIdx < 0) return;
  mEditParam = paramIdx;
  mPlug->BeginInformHostOfParamChange(paramIdx);
}

void IGraphics::EndMouseEdit()
{
  const int paramIdx = mEditParam;
  mEditParam = -1;
  if (mPlug && paramIdx >= 0) mPlug->EndInformHostOfParamChange(paramIdx);
}

void IGraphics::ForgetPlug()
{
  mEditParam = -1;
  mPlug = nullptr;
}

bool IGraphics::OnMouseDblClick(int x, int y, const IMouseState& mouse)
{
  EndMouseEdit();
  ReleaseMouseCapture();
  const int idx = GetMouseControlIdx(x, y);
  if (idx < 0) return false;
  IControl* c = GetControl(idx);
  BeginMouseEdit(c->ParamIdx());
  if (c->GetDblAsSingleClick())
  {
    // A press like any other: its mouse-up ends the edit.
    mMouseCapture = idx;
    mMouseX = x;
    mMouseY = y;
    c->OnMouseDown(x, y, mouse);
    if (mMouseCapture == idx) return true;
    EndMouseEdit();
    return false;
  }
  // The reset is a whole edit of its own; the button's release ends nothing.
  c->OnMouseDblClick(x, y, mouse);
  EndMouseEdit();
  return false;
}

void IGraphics::OnMouseWheel(int x, int y, const IMouseState& mouse, int notches)
{
  const int idx = mMouseCapture >= 0 ? mMouseCapture : GetMouseControlIdx(x, y);
  if (IControl* c = GetControl(idx)) c->OnMouseWheel(x, y, mouse, notches);
}

bool IGraphics::OnMouseOver(int x, int y, const IMouseState& mouse)
{
  if (!mHandleMouseOver) return false;
  const int idx = mMouseCapture >= 0 ? mMouseCapture : GetMouseControlIdx(x, y, true);
  IControl* c = GetControl(idx);
  if (!c) return true;
  mMouseX = x;
  mMouseY = y;
  c->OnMouseOver(x, y, mouse);
  if (mMouseOver >= 0 && mMouseOver != idx)
    if (IControl* previous = GetControl(mMouseOver)) previous->OnMouseOut();
  mMouseOver = idx;
  return true;
}

void IGraphics::OnMouseOut()
{
  for (int i = 0, n = GetNControls(); i < n; ++i)
    GetControl(i)->OnMouseOut();
  mMouseOver = -1;
}

bool IGraphics::OnKeyDown(int x, int y, int key)
{
  const int idx = mMouseCapture >= 0 ? mMouseCapture : GetMouseControlIdx(x, y);
  // The background (index 0) and empty space pass keys to the key catcher.
  if (idx <= 0) return mKeyCatcher ? mKeyCatcher->OnKeyDown(x, y, key) : false;
  return GetControl(idx)->OnKeyDown(x, y, key);
}
