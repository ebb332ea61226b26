// Controls on a windowless context: values, frames and mouse behaviour.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <thread>

#include "drawing/LICE_MemBitmap.h"
#include "drawing/LICE_SysBitmap.h"
#include "gui/IControl.h"
#include "tests/gui/GuiTestPlug.h"

namespace
{
  const double kInf = std::numeric_limits<double>::infinity();
  const double kNaN = std::numeric_limits<double>::quiet_NaN();
  const IMouseState kLeft(true, false, false, false, false);
  const IMouseState kRight(false, true, false, false, false);

  class Controls : public ::testing::Test
  {
  protected:
    void SetUp() override
    {
      plug.InitTestParams();
      graphics = new IGraphicsHeadless(&plug, 200, 200);
      plug.AttachGraphics(graphics);
    }

    // An image strip of `frames` frames of 4 x 4 pixels, frame f (from 1) filled with Colour(f).
    IBitmapStrip MakeStrip(int frames)
    {
      LICE_MemBitmap* bm = new LICE_MemBitmap(4, 4 * frames);
      for (int y = 0; y < 4 * frames; ++y)
        for (int x = 0; x < 4; ++x)
          *LICE_PixelPointer(bm, x, y) = Colour(y / 4 + 1);
      mOwned.emplace_back(bm);
      return IBitmapStrip(bm, 4, 4 * frames, frames);
    }
    static LICE_Pixel Colour(int frame) { return LICE_RGBA(frame, 255 - frame, 7, 255); }

    GuiTestPlug plug;
    IGraphicsHeadless* graphics = nullptr;  // owned by the plug-in
    std::vector<std::unique_ptr<LICE_IBitmap>> mOwned;
  };
}

TEST_F(Controls, FirstPushBecomesTheDefault)
{
  CountingControl c(&plug, IRectangle(0, 0, 10, 10), 1);
  c.SetClean();
  c.SetValueFromPlug(0.3);
  EXPECT_EQ(c.GetValue(), 0.3);
  EXPECT_EQ(c.GetDefaultValue(), 0.3);
  EXPECT_FALSE(c.IsDirty());
  EXPECT_FALSE(c.GetRedrawPending());

  c.SetValueFromPlug(0.3);  // unchanged: nothing
  EXPECT_FALSE(c.IsDirty());

  c.SetValueFromPlug(0.7);  // a change is drawn in two cycles
  EXPECT_TRUE(c.IsDirty());
  c.SetClean();
  EXPECT_TRUE(c.IsDirty());
  c.SetClean();
  EXPECT_FALSE(c.IsDirty());
  EXPECT_TRUE(plug.mEvents.empty());  // values from the plug-in are never sent back
}

TEST_F(Controls, DoubleClickRestoresTheDefault)
{
  CountingControl c(&plug, IRectangle(0, 0, 10, 10), 2);
  c.SetValue(0.4);
  c.OnMouseDblClick(1, 1, kLeft);  // no default yet
  EXPECT_EQ(c.GetValue(), 0.4);
  EXPECT_TRUE(plug.mEvents.empty());

  c.SetValueFromPlug(0.25);
  c.SetValue(0.9);
  c.OnMouseDblClick(1, 1, kLeft);
  EXPECT_EQ(c.GetValue(), 0.25);
  ASSERT_EQ(plug.mInformedValues.size(), 1u);
  EXPECT_EQ(plug.mInformedValues[0], 0.25);
  EXPECT_NEAR(plug.GetParam(2)->Value(), 0.25, 1e-12);
}

TEST_F(Controls, SwitchStepsAndWraps)
{
  struct Case { int frames; std::vector<double> values; };
  const Case cases[] = {
    {2, {1.0, 0.0, 1.0}},
    {3, {0.5, 1.0, 0.0, 0.5}},
    {1, {1.0, 0.0, 1.0}},  // += 1 each time
  };
  for (const Case& tc : cases)
  {
    ISwitchControl s(&plug, 0, 0, 0, MakeStrip(tc.frames));
    for (size_t i = 0; i < tc.values.size(); ++i)
    {
      if (i % 2) s.OnMouseDblClick(1, 1, kLeft);  // a double click is one more click
      else s.OnMouseDown(1, 1, kLeft);
      EXPECT_NEAR(s.GetValue(), tc.values[i], 1e-12) << tc.frames << " frames, click " << i;
    }
  }
}

TEST_F(Controls, SwitchRightClickPromptsAndStillPushes)
{
  ISwitchControl s(&plug, 0, 0, 0, MakeStrip(2));
  s.DisablePrompt(false);
  s.SetValue(1.0);
  s.OnMouseDown(1, 1, kRight);
  ASSERT_EQ(graphics->mPopups.size(), 1u);  // the bool's "off"/"on" menu
  EXPECT_EQ(s.GetValue(), 1.0);
  EXPECT_EQ(plug.mInformedValues, std::vector<double>{1.0});  // unchanged value pushed once more
}

TEST_F(Controls, InvisibleSwitchToggles)
{
  IInvisibleSwitchControl s(&plug, IRectangle(0, 0, 50, 50), 0);
  EXPECT_EQ(s.GetBlend().mMethod, IBlendMode::kBlendClobber);
  EXPECT_TRUE(s.IsPromptDisabled());
  EXPECT_TRUE(s.Draw(graphics));
  const double expected[] = {1.0, 0.0, 1.0};
  for (double v : expected)
  {
    s.OnMouseDown(10, 10, kLeft);
    EXPECT_EQ(s.GetValue(), v);
  }
  EXPECT_EQ(plug.GetParam(0)->Value(), 1.0);
  s.SetValueFromPlug(0.0);  // becomes the default
  s.OnMouseDblClick(1, 1, kLeft);
  EXPECT_EQ(s.GetValue(), 0.0);
}

TEST_F(Controls, KnobDragAndWheelGearing)
{
  struct Case { int direction; int dx, dy; IMouseState mouse; double start, expected; };
  const IMouseState shift(true, false, true, false, false), control(true, false, false, true, false);
  const Case cases[] = {
    {IKnobControl::kVertical, 0, -100, kLeft, 0.5, 0.75},     // a full height up adds 1 / gearing
    {IKnobControl::kVertical, 0, -100, shift, 0.5, 0.525},    // ten times finer
    {IKnobControl::kVertical, 0, -100, control, 0.5, 0.525},
    {IKnobControl::kVertical, 0, 40, kLeft, 0.5, 0.4},        // down lowers
    {IKnobControl::kVertical, 50, 0, kLeft, 0.5, 0.5},        // across does nothing
    {IKnobControl::kHorizontal, 100, 0, kLeft, 0.5, 0.75},
    {IKnobControl::kHorizontal, -50, 0, shift, 0.5, 0.4875},
    {IKnobControl::kVertical, 0, -400, kLeft, 0.9, 1.0},      // clamped
    {IKnobControl::kVertical, 0, 400, kLeft, 0.1, 0.0},
  };
  for (const Case& tc : cases)
  {
    IKnobMultiControl k(&plug, 0, 0, 2, IBitmapStrip(nullptr, 100, 10000, 100), tc.direction, 4.0);
    k.SetValue(tc.start);
    k.OnMouseDrag(0, 0, tc.dx, tc.dy, tc.mouse);
    EXPECT_NEAR(k.GetValue(), tc.expected, 1e-12) << tc.dx << "," << tc.dy;
  }

  IKnobMultiControl k(&plug, 0, 0, 2, IBitmapStrip(nullptr, 100, 10000, 100));
  k.SetValue(0.5);
  k.OnMouseWheel(0, 0, kLeft, 3);
  EXPECT_NEAR(k.GetValue(), 0.53, 1e-12);
  k.OnMouseWheel(0, 0, shift, -10);
  EXPECT_NEAR(k.GetValue(), 0.52, 1e-12);
  EXPECT_NEAR(plug.GetParam(2)->Value(), 0.52, 1e-12);
}

TEST_F(Controls, FrameForValue)
{
  struct Case { int frames; double value; int frame; };
  const Case cases[] = {
    {100, 0.0, 1}, {100, 0.5, 51}, {100, 1.0, 100}, {100, 0.004, 1}, {100, 0.006, 2},
    {24, 1e30, 24}, {24, kInf, 24}, {24, -kInf, 1}, {24, kNaN, 1}, {24, -3.0, 1}, {24, 10.0, 24},
    {2, 0.49, 1}, {2, 0.5, 2}, {1, 1.0, 1}, {0, 1.0, 1},
  };
  for (const Case& tc : cases)
    EXPECT_EQ(IControlFrameForValue(tc.frames, tc.value), tc.frame) << tc.frames << " frames, " << tc.value;
}

// The meter is fed |sample| x 10: huge, infinite and NaN values draw the
// last frame, the last frame and the first frame.
TEST_F(Controls, MeterDrawsTheClampedFrame)
{
  const IBitmapStrip strip = MakeStrip(24);
  IBitmapControl* meter = new IBitmapControl(&plug, 10, 20, strip);
  graphics->AttachControl(meter);
  struct Case { double value; int frame; };
  const Case cases[] = {{1e30, 24}, {kInf, 24}, {kNaN, 1}, {0.5, 13}, {0.0, 1}};
  for (const Case& tc : cases)
  {
    meter->SetValueFromPlug(tc.value);
    graphics->Draw(meter->GetRECT());
    EXPECT_EQ(*LICE_PixelPointer(graphics->GetDrawBitmap(), 11, 21), Colour(tc.frame)) << tc.value;
    EXPECT_EQ(*LICE_PixelPointer(graphics->GetDrawBitmap(), 13, 23), Colour(tc.frame)) << tc.value;
  }
  EXPECT_EQ(meter->GetRECT(), IRectangle(10, 20, 14, 24));
}

// A NaN from the user never reaches the plug-in; the control keeps its value.
TEST_F(Controls, NaNFromTheUserIsNotPushed)
{
  IKnobMultiControl k(&plug, 0, 0, 2, IBitmapStrip(nullptr, 100, 10000, 100));
  k.SetValueFromUserInput(0.4);
  ASSERT_EQ(plug.mInformedValues.size(), 1u);
  k.SetValueFromUserInput(kNaN);
  EXPECT_EQ(k.GetValue(), 0.4);
  EXPECT_EQ(plug.mInformedValues.size(), 1u);

  // A NaN pushed from the plug-in is kept (it only picks a frame); dragging
  // from it does not send it back.
  k.SetValueFromPlug(kNaN);
  EXPECT_TRUE(std::isnan(k.GetValue()));
  k.OnMouseDrag(0, 0, 0, -10, kLeft);
  EXPECT_EQ(k.GetValue(), 0.4);
  EXPECT_EQ(plug.mInformedValues.size(), 1u);
  EXPECT_NEAR(plug.GetParam(2)->Value(), 0.4, 1e-12);
}

TEST_F(Controls, PushUpdatesValueAndNameDisplays)
{
  ITextControl* value = new ITextControl(&plug, IRectangle(0, 0, 40, 10), ITextStyle());
  ITextControl* name = new ITextControl(&plug, IRectangle(0, 10, 40, 20), ITextStyle(), "x");
  graphics->AttachControl(value);
  graphics->AttachControl(name);
  IKnobMultiControl k(&plug, 0, 0, 1, IBitmapStrip(nullptr, 100, 10000, 100));
  k.SetValueDisplayControl(value);
  k.SetNameDisplayControl(name);
  k.SetValue(0.25);
  k.SetDirty(true);
  EXPECT_STREQ(value->GetText(), "25.0");
  EXPECT_STREQ(name->GetText(), "Amount");

  name->SetClean();
  name->SetText("Amount");  // same text: not dirty
  EXPECT_FALSE(name->IsDirty());
  name->SetText("Other");
  EXPECT_TRUE(name->IsDirty());
}

TEST_F(Controls, HideGreyAndMove)
{
  CountingControl c(&plug, IRectangle(10, 10, 30, 20));
  c.SetGreyedOut(true);
  EXPECT_EQ(c.GetBlend().mWeight, 0.25f);
  c.Hide(true);
  EXPECT_EQ(c.GetBlend().mWeight, 0.0f);
  c.Hide(false);
  EXPECT_EQ(c.GetBlend().mWeight, 1.0f);  // even though still greyed
  EXPECT_TRUE(c.IsGreyed());

  c.SetClean();
  c.SetClean();
  c.MoveTo(50, 60);
  EXPECT_EQ(c.GetRECT(), IRectangle(50, 60, 70, 70));
  EXPECT_EQ(c.GetTargetRECT(), c.GetRECT());
  EXPECT_FALSE(c.IsDirty());

  struct Case { IRectangle r; int x, y; bool hit; };
  const Case cases[] = {
    {IRectangle(0, 0, 10, 10), 0, 0, true},   {IRectangle(0, 0, 10, 10), 9, 9, true},
    {IRectangle(0, 0, 10, 10), 10, 5, false}, {IRectangle(0, 0, 10, 10), 5, 10, false},
    {IRectangle(), 0, 0, false},              {IRectangle(5, 5, 5, 9), 5, 6, false},
  };
  for (const Case& tc : cases)
  {
    CountingControl h(&plug, tc.r);
    EXPECT_EQ(h.IsHit(tc.x, tc.y), tc.hit) << tc.x << "," << tc.y;
  }
}

TEST_F(Controls, AuxParamsFollowThePlugIn)
{
  CountingControl* c = new CountingControl(&plug, IRectangle(0, 0, 10, 10), 1);
  EXPECT_EQ(c->AddAuxParam(2), 0);
  EXPECT_EQ(c->AddAuxParam(3), 1);
  graphics->AttachControl(c);
  EXPECT_EQ(c->FindAuxParam(3), 1);
  EXPECT_EQ(c->FindAuxParam(1), -1);

  graphics->SetParameterFromPlug(1, 75.0, false);  // plain value, normalised for the control
  graphics->SetParameterFromPlug(3, 6.0, false);
  graphics->SetParameterFromPlug(2, 0.125, true);
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.75);
  EXPECT_DOUBLE_EQ(c->GetAuxParamValue(1), 0.75);
  EXPECT_DOUBLE_EQ(c->GetAuxParamValue(0), 0.125);
  EXPECT_TRUE(plug.mEvents.empty());
}

namespace
{
  // Spins, so the two threads meet closely, and yields once the wait grows
  // long (a loaded or emulated machine).
  void WaitFor(const std::atomic<int>& round, int r)
  {
    for (int spins = 0; round.load(std::memory_order_acquire) != r; ++spins)
      if (spins > 2000)
        std::this_thread::yield();
  }
}

// The audio thread changes a control (Ultra Mode's LED shown and hidden, a
// value or an aux value pushed) while the editor's redraw cleans it up. Each
// round one change meets one SetClean as closely as two threads can, and the
// control must still be due for drawing afterwards, whichever ran first.
TEST(ControlThreads, AChangeDuringTheRedrawsCleanUpIsNeverLost)
{
  struct Change
  {
    const char* what;
    void (*change)(IControl& c, bool on);
  };
  const Change changes[] = {
    {"Hide", [](IControl& c, bool on) { c.Hide(on); }},
    {"SetValueFromPlug", [](IControl& c, bool on) { c.SetValueFromPlug(on ? 1.0 : 0.0); }},
    {"SetAuxParamValueFromPlug", [](IControl& c, bool on) { c.SetAuxParamValueFromPlug(0, on ? 1.0 : 0.0); }},
  };
  for (const Change& k : changes)
  {
    SCOPED_TRACE(k.what);
    CountingControl led(nullptr, IRectangle(0, 0, 16, 16));
    led.SetValueFromPlug(0.5);  // the default: later pushes are changes
    ASSERT_EQ(led.AddAuxParam(1), 0);
    const int kRounds = 200000;
    std::atomic<int> go{0}, changed{0};
    std::thread audio([&] {
      for (int r = 1; r <= kRounds; ++r)
      {
        WaitFor(go, r);
        k.change(led, (r & 1) != 0);
        changed.store(r, std::memory_order_release);
      }
    });
    int lost = 0;
    for (int r = 1; r <= kRounds; ++r)
    {
      led.SetClean();
      led.SetClean();  // drawn twice: nothing due
      go.store(r, std::memory_order_release);
      // A delay that changes each round sweeps the clean-up across the moment
      // the other thread's change lands.
      for (volatile int d = r % 200; d > 0; --d) {}
      led.SetClean();
      WaitFor(changed, r);
      lost += led.IsDirty() ? 0 : 1;
    }
    audio.join();
    EXPECT_EQ(lost, 0) << "of " << kRounds << " rounds";
  }
}
