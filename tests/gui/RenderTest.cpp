// The editor's real images drawn through the toolkit into a 410 x 460
// bitmap, compared pixel by pixel with the source frames.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "drawing/LICE_PNG.h"
#include "drawing/LICE_SysBitmap.h"
#include "gui/IGraphics.h"
#include "tests/gui/GuiTestPlug.h"

namespace
{
  struct Placed
  {
    int id;
    int frames;
    IRectangle rect;
    int frame;
  };

  // Checks up to 40 opaque pixels (the frame's own colour) and 40 clear ones
  // (the background shows through) of one placed frame.
  void ExpectFrameDrawn(LICE_IBitmap* drawn, LICE_IBitmap* background, const Placed& p)
  {
    std::unique_ptr<LICE_IBitmap> source(LICE_LoadPNGFromResource(TestImageModule(), p.id));
    ASSERT_NE(source, nullptr);
    const int fh = source->GetHeight() / p.frames;
    ASSERT_EQ(p.rect.W(), source->GetWidth());
    ASSERT_EQ(p.rect.H(), fh);
    int opaque = 0, clear = 0;
    for (int y = 0; y < fh; ++y)
      for (int x = 0; x < p.rect.W(); ++x)
      {
        const LICE_Pixel src = *LICE_PixelPointer(source.get(), x, (p.frame - 1) * fh + y);
        const LICE_Pixel dst = *LICE_PixelPointer(drawn, p.rect.mLeft + x, p.rect.mTop + y);
        const LICE_Pixel under = *LICE_PixelPointer(background, p.rect.mLeft + x, p.rect.mTop + y);
        if (LICE_GETA(src) == 255 && opaque < 40 && (x + y) % 3 == 0)
        {
          ++opaque;
          EXPECT_EQ(dst & 0xFFFFFF, src & 0xFFFFFF) << "image " << p.id << " at " << x << "," << y;
        }
        else if (LICE_GETA(src) == 0 && clear < 40 && (x + y) % 3 == 0)
        {
          ++clear;
          EXPECT_EQ(dst & 0xFFFFFF, under & 0xFFFFFF) << "image " << p.id << " at " << x << "," << y;
        }
      }
    EXPECT_GT(opaque + clear, 0) << "image " << p.id;
  }
}

TEST(Render, EditorImages)
{
  GuiTestPlug plug(kApiVST3, 8);
  for (int i = 0; i < 8; ++i)
    plug.GetParam(i)->InitDouble("p", 0.0, 0.0, 1.0, 0.01);
  IGraphicsHeadless* graphics = new IGraphicsHeadless(&plug, 410, 460);
  graphics->SetResourceModule(TestImageModule());

  IBitmapControl* bkg = graphics->AttachBackground(100, "resources/img/bkg.png");
  ASSERT_NE(bkg, nullptr);
  EXPECT_EQ(bkg->GetRECT(), IRectangle(0, 0, 410, 460));
  const IBitmapStrip knob = graphics->LoadBitmapStrip(101, "resources/img/knob.png", 100);
  const IBitmapStrip onoff = graphics->LoadBitmapStrip(103, "resources/img/onoff.png", 2);
  const IBitmapStrip meter = graphics->LoadBitmapStrip(105, "resources/img/led-red-24.png", 24);
  const IBitmapStrip line = graphics->LoadBitmapStrip(107, "resources/img/line-knob.png", 100);
  EXPECT_EQ(knob.mHeight, 10000);
  EXPECT_EQ(IGraphics::FindCachedBitmap(101), knob.mBitmap);
  EXPECT_EQ(graphics->LoadBitmapStrip(101, "resources/img/knob.png", 100).mBitmap, knob.mBitmap);

  graphics->AttachControl(new IKnobMultiControl(&plug, 15, 19, 2, knob));
  graphics->AttachControl(new ISwitchControl(&plug, 314, 64, 4, onoff));
  graphics->AttachControl(new IKnobMultiControl(&plug, 342, 270, 7, line));
  const int meterIdx = graphics->AttachControl(new IBitmapControl(&plug, 52, 120, meter));
  ITextStyle label(12, IColourRGBA(255, 0, 0, 0), "Arial");
  graphics->AttachControl(new ITextControl(&plug, IRectangle(225, 431, 267, 443), label, "v1.1.1"));

  plug.GetParam(2)->Set(0.5);
  plug.GetParam(4)->Set(1.0);
  plug.GetParam(7)->Set(0.0);
  plug.AttachGraphics(graphics);
  graphics->GetControl(meterIdx)->SetValueFromPlug(1e30);  // the meter at |sample| x 10

  ASSERT_TRUE(graphics->Draw(IRectangle(0, 0, 410, 460)));
  LICE_IBitmap* drawn = graphics->GetDrawBitmap();
  std::unique_ptr<LICE_IBitmap> background(LICE_LoadPNGFromResource(TestImageModule(), 100));
  ASSERT_NE(background, nullptr);

  ExpectFrameDrawn(drawn, background.get(), {101, 100, IRectangle(15, 19, 115, 119), 51});
  ExpectFrameDrawn(drawn, background.get(), {103, 2, IRectangle(314, 64, 404, 80), 2});
  ExpectFrameDrawn(drawn, background.get(), {107, 100, IRectangle(342, 270, 374, 302), 1});
  ExpectFrameDrawn(drawn, background.get(), {105, 24, IRectangle(52, 120, 68, 136), 24});
  for (int y : {0, 200, 459})
    for (int x : {0, 205, 409})
      EXPECT_EQ(*LICE_PixelPointer(drawn, x, y), *LICE_PixelPointer(background.get(), x, y));

  // The label puts some ink on the background.
  int inked = 0;
  for (int y = 431; y < 443; ++y)
    for (int x = 225; x < 267; ++x)
      inked += (*LICE_PixelPointer(drawn, x, y) & 0xFFFFFF) != (*LICE_PixelPointer(background.get(), x, y) & 0xFFFFFF);
  EXPECT_GT(inked, 0);

  // Hidden, the meter leaves the background; a NaN shows its first frame.
  IControl* m = graphics->GetControl(meterIdx);
  m->Hide(true);
  graphics->Draw(m->GetRECT());
  for (int y = 120; y < 136; y += 5)
    for (int x = 52; x < 68; x += 5)
      EXPECT_EQ(*LICE_PixelPointer(drawn, x, y), *LICE_PixelPointer(background.get(), x, y));
  m->Hide(false);
  m->SetValueFromPlug(std::nan(""));
  graphics->Draw(m->GetRECT());
  ExpectFrameDrawn(drawn, background.get(), {105, 24, IRectangle(52, 120, 68, 136), 1});
}
