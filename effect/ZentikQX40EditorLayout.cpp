#include "effect/ZentikQX40EditorLayout.h"

#include "effect/ZentikQX40.h"

#include "gui/IControl.h"
#include "gui/IGraphics.h"

namespace
{

// Resource ids of the embedded images.
enum EImage
{
  kBackgroundId = 100,
  kKnobId = 101,
  kKnob2Id = 102,
  kOnOffId = 103,
  kLedId = 104,
  kLedRed24Id = 105,
  kLedWhiteId = 106,
  kLineKnobId = 107,
};

const double kKnobGearing = 4.0;

} // namespace

ZentikQX40EditorLayout::DrivenControls ZentikQX40EditorLayout::Build(IPlugBase* plug, IGraphics* graphics)
{
  DrivenControls driven;
  if (!plug || !graphics)
    return driven;

  graphics->AttachBackground(kBackgroundId, "resources/img/bkg.png");
  const IBitmapStrip knob = graphics->LoadBitmapStrip(kKnobId, "resources/img/knob.png", 100);
  const IBitmapStrip knob2 = graphics->LoadBitmapStrip(kKnob2Id, "resources/img/knob2.png", 100);
  const IBitmapStrip onOff = graphics->LoadBitmapStrip(kOnOffId, "resources/img/onoff.png", 2);
  const IBitmapStrip led = graphics->LoadBitmapStrip(kLedId, "resources/img/led.png", 2);
  const IBitmapStrip ledWhite = graphics->LoadBitmapStrip(kLedWhiteId, "resources/img/led-white.png", 2);
  const IBitmapStrip meter = graphics->LoadBitmapStrip(kLedRed24Id, "resources/img/led-red-24.png", 24);
  const IBitmapStrip lineKnob = graphics->LoadBitmapStrip(kLineKnobId, "resources/img/line-knob.png", 100);

  const IBlendMode blend(IBlendMode::kBlendNone, 1.0f);
  const int vertical = IKnobControl::kVertical;

  graphics->AttachControl(new IKnobMultiControl(plug, 15, 19, ZentikQX40::kTone, knob, vertical,
                                                kKnobGearing, blend));
  graphics->AttachControl(new IKnobMultiControl(plug, 199, 19, ZentikQX40::kDistAmount, knob, vertical,
                                                kKnobGearing, blend));
  graphics->AttachControl(new IKnobMultiControl(plug, 117, 64, ZentikQX40::kLevel, knob2, vertical,
                                                kKnobGearing, blend));
  graphics->AttachControl(new ISwitchControl(plug, 314, 64, ZentikQX40::kSaturation, onOff, blend));
  graphics->AttachControl(new ISwitchControl(plug, 314, 139, ZentikQX40::kHiss, onOff, blend));
  graphics->AttachControl(new ISwitchControl(plug, 314, 211, ZentikQX40::kUltra, onOff, blend));
  graphics->AttachControl(new IKnobMultiControl(plug, 342, 270, ZentikQX40::kDryWet, lineKnob, vertical,
                                                kKnobGearing, blend));
  graphics->AttachControl(new IInvisibleSwitchControl(plug, IRectangle(24, 295, 287, 421), ZentikQX40::kBypass));
  // The ultra LED sits on the bypass LED and covers it while shown.
  driven.mBypassLed = graphics->AttachControl(new IBitmapControl(plug, 151, 31, led, blend));
  driven.mUltraLed = graphics->AttachControl(new IBitmapControl(plug, 151, 31, ledWhite, blend));
  driven.mMeter = graphics->AttachControl(new IBitmapControl(plug, 52, 120, meter, blend));

  const ITextStyle label(12, IColourRGBA(255, 0, 0, 0), "Arial");
  graphics->AttachControl(new ITextControl(plug, IRectangle(225, 431, 267, 443), label, "v1.1.1"));
  return driven;
}
