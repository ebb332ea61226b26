// The graphics context without a window: dispatch, dirty tracking and
// drawing modes, prompts, resizing and the caches.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "drawing/LICE_CachedFont.h"
#include "drawing/LICE_MemBitmap.h"
#include "drawing/LICE_SysBitmap.h"
#include "gui/IGraphics.h"
#include "tests/gui/GuiTestPlug.h"

namespace
{
  const IMouseState kLeft(true, false, false, false, false);
  const IMouseState kRight(false, true, false, false, false);

  class Graphics : public ::testing::Test
  {
  protected:
    explicit Graphics(ApiKind api = kApiVST3) : plug(api) {}

    void SetUp() override
    {
      plug.InitTestParams();
      graphics = new IGraphicsHeadless(&plug, 100, 100);
      plug.AttachGraphics(graphics);
    }

    CountingControl* Add(const IRectangle& r, int paramIdx = -1)
    {
      CountingControl* c = new CountingControl(&plug, r, paramIdx);
      graphics->AttachControl(c);
      return c;
    }
    void CleanAll()
    {
      for (int i = 0; i < graphics->GetNControls(); ++i)
      {
        graphics->GetControl(i)->SetClean();
        graphics->GetControl(i)->SetClean();
      }
    }
    std::vector<int> Draws()
    {
      std::vector<int> d;
      for (int i = 0; i < graphics->GetNControls(); ++i)
      {
        CountingControl* c = static_cast<CountingControl*>(graphics->GetControl(i));
        d.push_back(c->mDraws);
        c->mDraws = 0;
      }
      return d;
    }

    GuiTestPlug plug;
    IGraphicsHeadless* graphics = nullptr;  // owned by the plug-in
  };

  class GraphicsVST2 : public Graphics
  {
  protected:
    GraphicsVST2() : Graphics(kApiVST2) {}
  };
}

TEST_F(Graphics, Construction)
{
  struct Case { int fps, stored; };
  const Case cases[] = {{0, 25}, {-5, 25}, {30, 30}};
  for (const Case& tc : cases)
    EXPECT_EQ(IGraphicsHeadless(nullptr, 10, 10, tc.fps).FPS(), tc.stored);
  ASSERT_NE(graphics->GetDrawBitmap(), nullptr);  // made when attached
  EXPECT_EQ(graphics->GetDrawBitmap()->GetWidth(), 100);
  EXPECT_EQ(graphics->GetDrawBitmap()->GetHeight(), 100);
  EXPECT_STREQ(graphics->GetDrawingAPIName(), "");
  EXPECT_FALSE(graphics->WindowIsOpen());
}

TEST_F(Graphics, HitTestSkipsHiddenAndGreyed)
{
  Add(IRectangle(0, 0, 100, 100));        // 0: background
  Add(IRectangle(10, 10, 50, 50));        // 1
  CountingControl* top = Add(IRectangle(30, 30, 60, 60));  // 2, drawn over 1
  Add(IRectangle());                      // 3: empty, never hit

  EXPECT_EQ(graphics->GetMouseControlIdx(40, 40), 2);
  EXPECT_EQ(graphics->GetMouseControlIdx(20, 20), 1);
  EXPECT_EQ(graphics->GetMouseControlIdx(60, 60), 0);   // right and bottom exclusive
  EXPECT_EQ(graphics->GetMouseControlIdx(100, 5), -1);
  top->Hide(true);
  EXPECT_EQ(graphics->GetMouseControlIdx(40, 40), 1);
  top->Hide(false);
  top->SetGreyedOut(true);
  EXPECT_EQ(graphics->GetMouseControlIdx(40, 40), 1);
  EXPECT_EQ(graphics->GetMouseControlIdx(40, 40, true), 1);  // mouse-over only when the control allows it
  top->SetMOWhenGreyed(true);
  EXPECT_EQ(graphics->GetMouseControlIdx(40, 40, true), 2);
  EXPECT_EQ(graphics->GetMouseControlIdx(40, 40), 1);
}

TEST_F(Graphics, LeftClickBracketsTheEdit)
{
  Add(IRectangle(0, 0, 100, 100));
  CountingControl* c = Add(IRectangle(10, 10, 50, 50), 2);
  graphics->OnMouseDown(20, 20, kLeft);
  EXPECT_EQ(graphics->GetMouseCapture(), 1);
  EXPECT_EQ(graphics->GetMouseX(), 20);
  c->OnMouseDrag(20, 10, 0, -10, kLeft);  // the window drives the captured control
  graphics->OnMouseUp(90, 90, kLeft);      // captured: goes to the knob wherever it is released
  EXPECT_EQ(c->mUps, 1);
  EXPECT_EQ(graphics->GetMouseCapture(), -1);
  EXPECT_EQ(plug.mEvents, (std::vector<std::string>{"begin 2", "end 2"}));

  plug.mEvents.clear();
  graphics->OnMouseDown(90, 90, kLeft);   // the unbound background: no notices
  graphics->OnMouseUp(90, 90, kLeft);
  EXPECT_TRUE(plug.mEvents.empty());
  graphics->OnMouseDown(200, 200, kLeft);  // nothing there
  EXPECT_EQ(graphics->GetMouseCapture(), -1);
}

// VST3: a right click on a bound control opens the host's menu and begins no
// edit, so the following mouse-up ends none.
TEST_F(Graphics, RightClickOpensTheHostMenuInVST3)
{
  Add(IRectangle(0, 0, 100, 100));
  CountingControl* c = Add(IRectangle(10, 10, 50, 50), 2);
  graphics->OnMouseDown(20, 20, kRight);
  EXPECT_EQ(graphics->GetMouseCapture(), -1);
  EXPECT_EQ(graphics->GetMouseX(), -1);
  graphics->OnMouseUp(20, 20, kRight);
  EXPECT_EQ(c->mUps, 1);
  EXPECT_EQ(plug.mEvents, (std::vector<std::string>{"menu 2"}));
}

TEST_F(GraphicsVST2, RightClickPromptsElsewhere)
{
  Add(IRectangle(0, 0, 100, 100));
  IKnobMultiControl* k = new IKnobMultiControl(&plug, 10, 10, 1, IBitmapStrip(nullptr, 40, 4000, 100));
  k->DisablePrompt(false);
  graphics->AttachControl(k);
  graphics->OnMouseDown(20, 20, kRight);
  graphics->OnMouseUp(20, 20, kRight);
  EXPECT_EQ(plug.mEvents, (std::vector<std::string>{"begin 1", "end 1"}));
  ASSERT_EQ(graphics->mTextEntries.size(), 1u);
  EXPECT_EQ(graphics->mTextEntries[0].mControl, k);
  EXPECT_STREQ(graphics->mTextEntries[0].mText.c_str(), "50.0");
  EXPECT_EQ(graphics->mTextEntries[0].mRect, IRectangle(10, 10, 50, 50));
}

TEST_F(Graphics, DoubleClick)
{
  Add(IRectangle(0, 0, 100, 100));
  CountingControl* c = Add(IRectangle(10, 10, 50, 50), 2);
  graphics->SetParameterFromPlug(2, 0.5, true);  // the default
  c->SetValue(0.1);
  EXPECT_FALSE(graphics->OnMouseDblClick(20, 20, kLeft));  // reset; the window does not capture
  EXPECT_EQ(c->GetValue(), 0.5);
  EXPECT_EQ(graphics->GetMouseCapture(), -1);
  // The reset is an edit of its own; the button's release ends nothing more.
  EXPECT_EQ(plug.mEvents, (std::vector<std::string>{"begin 2", "inform 2", "end 2"}));
  graphics->OnMouseUp(20, 20, kLeft);
  EXPECT_EQ(plug.mEvents.size(), 3u);

  plug.mEvents.clear();
  c->SetDblAsSingleClick(true);
  c->SetValue(0.1);
  EXPECT_TRUE(graphics->OnMouseDblClick(20, 20, kLeft));
  EXPECT_EQ(graphics->GetMouseCapture(), 1);
  EXPECT_EQ(c->GetValue(), 0.1);  // a plain click, no reset
  graphics->OnMouseUp(20, 20, kLeft);
  EXPECT_EQ(plug.mEvents, (std::vector<std::string>{"begin 2", "end 2"}));
  EXPECT_FALSE(graphics->OnMouseDblClick(200, 200, kLeft));
}

TEST_F(Graphics, KeysWheelAndMouseOver)
{
  Add(IRectangle(0, 0, 100, 100));
  CountingControl* c = Add(IRectangle(10, 10, 50, 50));
  EXPECT_FALSE(graphics->OnKeyDown(80, 80, 3));  // background, no key catcher
  CountingControl* catcher = new CountingControl(&plug, IRectangle());
  graphics->AttachKeyCatcher(catcher);
  EXPECT_TRUE(graphics->OnKeyDown(80, 80, 3));
  EXPECT_TRUE(graphics->OnKeyDown(20, 20, 4));
  EXPECT_EQ(catcher->mKeys, std::vector<int>{3});
  EXPECT_EQ(c->mKeys, std::vector<int>{4});

  IKnobMultiControl* k = new IKnobMultiControl(&plug, 60, 10, 2, IBitmapStrip(nullptr, 20, 2000, 100));
  graphics->AttachControl(k);
  graphics->OnMouseWheel(65, 15, kLeft, 2);
  EXPECT_NEAR(k->GetValue(), 0.02, 1e-12);

  EXPECT_FALSE(graphics->OnMouseOver(20, 20, kLeft));  // off unless enabled
  graphics->SetHandleMouseOver(true);
  EXPECT_TRUE(graphics->OnMouseOver(20, 20, kLeft));
  EXPECT_EQ(graphics->GetMouseOver(), 1);
  graphics->OnMouseOut();
  EXPECT_EQ(graphics->GetMouseOver(), -1);
}

TEST_F(Graphics, IsDirtyMergesRects)
{
  Add(IRectangle(0, 0, 100, 100));
  Add(IRectangle(10, 10, 20, 20));
  Add(IRectangle(50, 40, 60, 70));
  Add(IRectangle());
  CleanAll();
  IRectangle r;
  EXPECT_FALSE(graphics->IsDirty(r));
  graphics->GetControl(1)->SetDirty(false);
  graphics->GetControl(3)->SetDirty(false);  // empty: contributes nothing
  EXPECT_TRUE(graphics->IsDirty(r));
  EXPECT_EQ(r, IRectangle(10, 10, 20, 20));
  graphics->GetControl(2)->SetDirty(false);
  r = IRectangle();
  EXPECT_TRUE(graphics->IsDirty(r));
  EXPECT_EQ(r, IRectangle(10, 10, 60, 70));
}

TEST_F(Graphics, StrictDrawingDrawsWhatTouchesThePaintRect)
{
  Add(IRectangle(0, 0, 100, 100));   // 0
  Add(IRectangle(10, 10, 20, 20));   // 1
  Add(IRectangle(40, 10, 50, 20));   // 2: left edge on the paint rect's right edge
  Add(IRectangle(0, 10, 10, 20));    // 3: right edge on the paint rect's left edge
  CountingControl* hidden = Add(IRectangle(15, 15, 18, 18));  // 4
  Add(IRectangle());                 // 5: empty
  hidden->Hide(true);
  CleanAll();
  hidden->SetDirty(false);

  EXPECT_TRUE(graphics->Draw(IRectangle(10, 10, 40, 20)));
  EXPECT_EQ(Draws(), (std::vector<int>{1, 1, 1, 0, 0, 0}));
  EXPECT_FALSE(hidden->IsDirty());  // cleaned though not drawn
  ASSERT_EQ(graphics->mScreenRects.size(), 1u);
  EXPECT_EQ(graphics->mScreenRects[0], IRectangle(10, 10, 40, 20));
  EXPECT_EQ(graphics->GetDrawRect(), IRectangle(10, 10, 40, 20));

  // The window's cycle: exactly the dirty controls' union, then nothing.
  graphics->GetControl(2)->SetValueFromPlug(0.5);  // default
  graphics->GetControl(2)->SetValueFromPlug(0.7);  // dirty for two cycles
  for (int cycle = 0; cycle < 3; ++cycle)
  {
    IRectangle r;
    const bool dirty = graphics->IsDirty(r);
    EXPECT_EQ(dirty, cycle < 2);
    if (!dirty) break;
    EXPECT_EQ(r, IRectangle(40, 10, 50, 20));
    graphics->Draw(r);
    // Control 1 touches (40, 10) at its right edge: not drawn; background is.
    EXPECT_EQ(Draws(), (std::vector<int>{1, 0, 1, 0, 0, 0}));
  }
}

TEST_F(Graphics, NormalDrawingRedrawsDirtyControlsAndTheirNeighbours)
{
  graphics->SetStrictDrawing(false);
  Add(IRectangle(0, 0, 100, 100));   // 0
  Add(IRectangle(10, 10, 20, 20));   // 1
  Add(IRectangle(15, 15, 30, 30));   // 2 overlaps 1
  Add(IRectangle(60, 60, 70, 70));   // 3
  CountingControl* hidden = Add(IRectangle(60, 60, 65, 65));  // 4
  hidden->Hide(true);

  // The background is dirty: every shown control is drawn; hidden ones stay dirty.
  graphics->Draw(IRectangle(0, 0, 100, 100));
  EXPECT_EQ(Draws(), (std::vector<int>{1, 1, 1, 1, 0}));
  EXPECT_TRUE(hidden->IsDirty());
  CleanAll();

  graphics->GetControl(1)->SetDirty(false);
  graphics->Draw(IRectangle(10, 10, 20, 20));
  EXPECT_EQ(Draws(), (std::vector<int>{1, 1, 1, 0, 0}));  // with what it overlaps
  EXPECT_FALSE(graphics->GetControl(1)->IsDirty());

  // A dirty hidden control is not drawn, but what lies under it is.
  graphics->GetControl(3)->SetDirty(false);
  hidden->SetDirty(false);
  graphics->Draw(IRectangle(60, 60, 70, 70));
  EXPECT_EQ(Draws(), (std::vector<int>{2, 0, 0, 2, 0}));
}

TEST_F(Graphics, ControlBoundsOverlay)
{
  graphics->SetShowControlBounds(true);
  Add(IRectangle(0, 0, 100, 100));
  Add(IRectangle(10, 10, 20, 20));
  graphics->Draw(IRectangle(0, 0, 100, 100));
  LICE_IBitmap* bm = graphics->GetDrawBitmap();
  EXPECT_EQ(*LICE_PixelPointer(bm, 15, 10), 0xFF00FF00u);
  EXPECT_EQ(*LICE_PixelPointer(bm, 10, 15), 0xFF00FF00u);
  EXPECT_EQ(*LICE_PixelPointer(bm, 20, 15), 0xFF00FF00u);
  EXPECT_NE(*LICE_PixelPointer(bm, 15, 15), 0xFF00FF00u);
}

TEST_F(Graphics, PopupPromptForDisplayTexts)
{
  Add(IRectangle(0, 0, 100, 100));
  IInvisibleSwitchControl* s = new IInvisibleSwitchControl(&plug, IRectangle(10, 10, 50, 50), 0);
  graphics->AttachControl(s);
  IRectangle where(1, 2, 3, 4);

  graphics->PromptUserInput(s, plug.GetParam(0), &where);  // nothing chosen
  ASSERT_EQ(graphics->mPopups.size(), 1u);
  EXPECT_EQ(graphics->mPopups[0].mItems, (std::vector<std::string>{"off", "on"}));
  EXPECT_EQ(graphics->mPopups[0].mFlags, (std::vector<int>{PopupMenuItem::kChecked, 0}));
  EXPECT_EQ(graphics->mPopups[0].mRect, where);
  EXPECT_TRUE(plug.mEvents.empty());

  graphics->mPopupChoice = 1;
  graphics->PromptUserInput(s, plug.GetParam(0), &where);
  EXPECT_EQ(s->GetValue(), 1.0);
  EXPECT_EQ(plug.GetParam(0)->Value(), 1.0);
  EXPECT_TRUE(s->GetRedrawPending());

  graphics->PromptUserInput(s, nullptr, &where);  // nothing without a parameter
  graphics->PromptUserInput(nullptr, plug.GetParam(0), &where);
  EXPECT_EQ(graphics->mPopups.size(), 2u);
}

// The entry's text fits its buffer and ignores the locale's decimal comma.
TEST_F(Graphics, TextEntryText)
{
  CountingControl* c = Add(IRectangle(10, 10, 50, 50), 1);
  struct Case { int param; double value; bool negate; const char* text; };
  const Case cases[] = {
    {1, 12.5, false, "12.5"},
    {1, 12.5, true, "-12.5"},
    {1, 1e300, false, "1e+300"},        // too long for fixed notation
    {3, 7.9, false, "7"},               // truncated
    {3, -7.9, false, "-7"},
    {3, 1e30, false, "2147483647"},
    {3, std::nan(""), false, "0"},
  };
  const char* locales[] = {"de_DE.UTF-8", "de_DE", "German", "fr_FR.UTF-8"};
  for (const char* l : locales)
    if (std::setlocale(LC_NUMERIC, l)) break;
  for (const Case& tc : cases)
  {
    IParamRecord* p = plug.GetParam(tc.param);
    p->Set(tc.value);
    p->SetNegateDisplay(tc.negate);
    IRectangle where(0, 0, 10, 10);
    graphics->PromptUserInput(c, p, &where);
    ASSERT_FALSE(graphics->mTextEntries.empty());
    EXPECT_STREQ(graphics->mTextEntries.back().mText.c_str(), tc.text) << tc.value;
    EXPECT_EQ(graphics->mTextEntries.back().mParam, p);
    p->SetNegateDisplay(false);
  }
  std::setlocale(LC_NUMERIC, "C");
}

// Resizing replaces the controls and bitmaps while no audio thread can be
// writing into them.
TEST_F(Graphics, ResizeSwapsUnderThePlugInLock)
{
  struct LockProbe : CountingControl
  {
    LockProbe(GuiTestPlug* p, bool* locked) : CountingControl(p, IRectangle(0, 0, 5, 5)), mLocked(locked) {}
    ~LockProbe() override { *mLocked = static_cast<GuiTestPlug*>(mPlug)->LockHeldElsewhere(); }
    bool* mLocked;
  };
  bool locked = false;
  graphics->AttachControl(new LockProbe(&plug, &locked));
  graphics->OnMouseDown(1, 1, kLeft);
  graphics->Resize(120, 80);
  EXPECT_TRUE(locked);
  EXPECT_EQ(graphics->GetNControls(), 0);
  EXPECT_EQ(graphics->GetMouseCapture(), -1);
  EXPECT_EQ(graphics->GetMouseX(), -1);
  EXPECT_EQ(graphics->GetDrawBitmap()->GetWidth(), 120);
  EXPECT_EQ(graphics->GetDrawBitmap()->GetHeight(), 80);
  EXPECT_EQ(plug.mResized, (std::vector<std::pair<int, int>>{{120, 80}}));
  EXPECT_FALSE(plug.LockHeldElsewhere());
  EXPECT_TRUE(graphics->Draw(IRectangle(0, 0, 10, 10)));  // no controls: draws nothing
  EXPECT_TRUE(graphics->mScreenRects.empty());
}

TEST_F(Graphics, FontCacheAndText)
{
  ITextStyle a(14, IColourRGBA(255, 0, 0, 0), "Cachetest");
  ITextStyle b = a;
  LICE_CachedFont* font = IGraphics::CacheFontForStyle(a);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(a.mCached, font);
  EXPECT_EQ(IGraphics::CacheFontForStyle(b), font);  // same size, orientation, style and face
  ITextStyle bold = b;
  bold.mCached = nullptr;
  bold.mStyle = ITextStyle::kStyleBold;
  EXPECT_NE(IGraphics::CacheFontForStyle(bold), font);

  IRectangle r(10, 10, 90, 40);
  EXPECT_TRUE(graphics->DrawStyledText(a, "", r));  // empty text: nothing to do
  for (int align : {ITextStyle::kAlignNear, ITextStyle::kAlignCenter, ITextStyle::kAlignFar})
  {
    a.mAlign = align;
    IRectangle m(10, 10, 90, 40);
    ASSERT_TRUE(graphics->MeasureStyledText(a, "abcd", m));
    EXPECT_GT(m.W(), 0);
    EXPECT_GT(m.H(), 0);
    EXPECT_EQ(m.mTop, 10);
    if (align == ITextStyle::kAlignNear) EXPECT_EQ(m.mLeft, 10);
    if (align == ITextStyle::kAlignCenter) EXPECT_EQ(m.mLeft, 50 - m.W() / 2);
    if (align == ITextStyle::kAlignFar) EXPECT_EQ(m.mRight, 90);
  }
}
