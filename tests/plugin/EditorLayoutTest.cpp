// The plug-in's editor layout on a window-less graphics context with the
// real images: the controls, their order, places, images and bindings, and
// how the plug-in drives its LEDs and meter through them.

#include "effect/ZentikQX40.h"
#include "effect/ZentikQX40EditorLayout.h"
#include "gui/IControl.h"
#include "tests/support/IGraphicsHeadless.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <typeinfo>
#include <vector>

namespace {

enum Kind { kBitmap, kKnob, kSwitch, kInvisible, kText };

struct Expected
{
  Kind kind;
  IRectangle rect;
  int param;
  int frames;        // of the image; 0 without one
  int stripWidth;    // the whole image
  int stripHeight;
};

const Expected kLayout[] = {
  {kBitmap, {0, 0, 410, 460}, -1, 1, 410, 460},
  {kKnob, {15, 19, 115, 119}, ZentikQX40::kTone, 100, 100, 10000},
  {kKnob, {199, 19, 299, 119}, ZentikQX40::kDistAmount, 100, 100, 10000},
  {kKnob, {117, 64, 197, 144}, ZentikQX40::kLevel, 100, 80, 8000},
  {kSwitch, {314, 64, 404, 80}, ZentikQX40::kSaturation, 2, 90, 32},
  {kSwitch, {314, 139, 404, 155}, ZentikQX40::kHiss, 2, 90, 32},
  {kSwitch, {314, 211, 404, 227}, ZentikQX40::kUltra, 2, 90, 32},
  {kKnob, {342, 270, 374, 302}, ZentikQX40::kDryWet, 100, 32, 3200},
  {kInvisible, {24, 295, 287, 421}, ZentikQX40::kBypass, 0, 0, 0},
  {kBitmap, {151, 31, 167, 47}, -1, 2, 16, 32},
  {kBitmap, {151, 31, 167, 47}, -1, 2, 16, 32},
  {kBitmap, {52, 120, 68, 136}, -1, 24, 16, 384},
  {kText, {225, 431, 267, 443}, -1, 0, 0, 0},
};

class ZentikQX40EditorLayoutTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    graphics = new IGraphicsHeadless(&plug, ZentikQX40EditorLayout::kWidth, ZentikQX40EditorLayout::kHeight);
    graphics->SetResourceModule(TestImageModule());
    plug.AttachEditor(graphics);
    // As a host's initialisation does: every parameter is announced.
    plug.Initialize();
  }

  IControl* control(int i) { return graphics->GetControl(i); }

  ZentikQX40 plug {nullptr};
  IGraphicsHeadless* graphics = nullptr;   // owned by the plug-in
};

} // namespace

TEST_F(ZentikQX40EditorLayoutTest, ThirteenControlsInTheirOrder)
{
  ASSERT_EQ(plug.GetGUI(), graphics);
  EXPECT_EQ(graphics->Width(), 410);
  EXPECT_EQ(graphics->Height(), 460);
  ASSERT_EQ(graphics->GetNControls(), 13);

  for (int i = 0; i < 13; ++i)
  {
    SCOPED_TRACE(::testing::Message() << "control " << i);
    const Expected& e = kLayout[i];
    IControl* c = control(i);
    ASSERT_TRUE(c);
    const IRectangle& r = c->GetRECT();
    EXPECT_EQ(r.mLeft, e.rect.mLeft);
    EXPECT_EQ(r.mTop, e.rect.mTop);
    EXPECT_EQ(r.mRight, e.rect.mRight);
    EXPECT_EQ(r.mBottom, e.rect.mBottom);
    EXPECT_EQ(c->ParamIdx(), e.param);
    EXPECT_FALSE(c->IsGreyed());

    const IBitmapStrip* strip = nullptr;
    switch (e.kind)
    {
      case kBitmap:
        ASSERT_EQ(typeid(*c), typeid(IBitmapControl));
        strip = &static_cast<IBitmapControl*>(c)->GetBitmap();
        break;
      case kSwitch:
        ASSERT_EQ(typeid(*c), typeid(ISwitchControl));
        strip = &static_cast<ISwitchControl*>(c)->GetBitmap();
        break;
      case kKnob:
      {
        ASSERT_EQ(typeid(*c), typeid(IKnobMultiControl));
        auto* knob = static_cast<IKnobMultiControl*>(c);
        EXPECT_EQ(knob->GetDirection(), IKnobControl::kVertical);
        EXPECT_EQ(knob->GetGearing(), 4.0);
        strip = &knob->GetBitmap();
        break;
      }
      case kInvisible:
        EXPECT_EQ(typeid(*c), typeid(IInvisibleSwitchControl));
        break;
      case kText:
      {
        ASSERT_EQ(typeid(*c), typeid(ITextControl));
        auto* text = static_cast<ITextControl*>(c);
        EXPECT_STREQ(text->GetText(), "v1.1.1");
        const ITextStyle& style = text->GetTextStyle();
        EXPECT_STREQ(style.mFace, "Arial");
        EXPECT_EQ(style.mSize, 12);
        EXPECT_EQ(style.mColour.mA, 255);
        EXPECT_EQ(style.mColour.mR + style.mColour.mG + style.mColour.mB, 0);
        EXPECT_EQ(style.mAlign, ITextStyle::kAlignCenter);
        EXPECT_EQ(style.mStyle, ITextStyle::kStyleNormal);
        break;
      }
    }
    if (strip)
    {
      ASSERT_TRUE(strip->mBitmap);
      EXPECT_EQ(strip->mFrames, e.frames);
      EXPECT_EQ(strip->mWidth, e.stripWidth);
      EXPECT_EQ(strip->mHeight, e.stripHeight);
      EXPECT_FALSE(strip->mHorizontal);
    }
    // The background and the bypass area copy; every other control blends.
    const bool copies = i == 0 || e.kind == kInvisible;
    EXPECT_EQ(c->GetBlend().mMethod, copies ? 1 : 0);
    // Hidden (the ultra LED and the meter, Ultra Mode being off) weighs 0.
    EXPECT_EQ(c->GetBlend().mWeight, (i == 10 || i == 11) ? 0.0f : 1.0f);
  }
}

TEST_F(ZentikQX40EditorLayoutTest, ControlsStartAtTheParameterValues)
{
  // Tone and Level at 25 of 100 with shape 2: normalised 0.5.
  EXPECT_DOUBLE_EQ(control(1)->GetValue(), 0.5);
  EXPECT_DOUBLE_EQ(control(2)->GetValue(), 0.0);
  EXPECT_DOUBLE_EQ(control(3)->GetValue(), 0.5);
  EXPECT_EQ(control(4)->GetValue(), 1.0);
  EXPECT_EQ(control(5)->GetValue(), 1.0);
  EXPECT_EQ(control(6)->GetValue(), 0.0);
  EXPECT_EQ(control(7)->GetValue(), 1.0);
  EXPECT_EQ(control(8)->GetValue(), 0.0);
}

TEST_F(ZentikQX40EditorLayoutTest, LedsAndMeterFollowBypassUltraModeAndAudio)
{
  IControl* bypassLed = control(9);
  IControl* ultraLed = control(10);
  IControl* meter = control(11);
  // Bypass off: both LEDs lit; Ultra Mode off: only the bypass LED shows.
  EXPECT_EQ(bypassLed->GetValue(), 1.0);
  EXPECT_EQ(ultraLed->GetValue(), 1.0);
  EXPECT_FALSE(bypassLed->IsHidden());
  EXPECT_TRUE(ultraLed->IsHidden());
  EXPECT_TRUE(meter->IsHidden());

  plug.SetParameterValue(ZentikQX40::kBypass, 1.0);
  EXPECT_EQ(bypassLed->GetValue(), 0.0);
  EXPECT_EQ(ultraLed->GetValue(), 0.0);
  plug.SetParameterValue(ZentikQX40::kUltra, 1.0);
  EXPECT_FALSE(ultraLed->IsHidden());
  EXPECT_FALSE(meter->IsHidden());
  EXPECT_FALSE(bypassLed->IsHidden());
  plug.SetParameterValue(ZentikQX40::kBypass, 0.0);
  EXPECT_EQ(bypassLed->GetValue(), 1.0);
  EXPECT_EQ(ultraLed->GetValue(), 1.0);

  // The meter holds ten times the last processed left sample.
  plug.SetupProcessing(44100.0, 64);
  plug.SetParameterValue(ZentikQX40::kHiss, 0.0);
  std::vector<double> inL(64), inR(64), outL(64), outR(64);
  for (int i = 0; i < 64; ++i)
    inL[static_cast<size_t>(i)] = inR[static_cast<size_t>(i)] = 0.4 * std::sin(0.05 * i);
  double* in[2] = {inL.data(), inR.data()};
  double* out[2] = {outL.data(), outR.data()};
  ASSERT_TRUE(plug.ProcessDouble(in, 2, out, 2, 64));
  EXPECT_EQ(meter->GetValue(), std::fabs(outL.back()) * 10.0);

  plug.SetParameterValue(ZentikQX40::kUltra, 0.0);
  EXPECT_TRUE(ultraLed->IsHidden());
  EXPECT_TRUE(meter->IsHidden());
}

TEST_F(ZentikQX40EditorLayoutTest, ClickOnTheBypassAreaTogglesBypass)
{
  const IMouseState left(true, false, false, false, false);
  for (double expected : {1.0, 0.0})
  {
    graphics->OnMouseDown(30, 300, left);
    graphics->OnMouseUp(30, 300, left);
    EXPECT_EQ(plug.GetParam(ZentikQX40::kBypass)->Value(), expected);
    EXPECT_EQ(control(9)->GetValue(), 1.0 - expected);
  }
}
