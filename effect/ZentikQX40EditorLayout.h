#pragma once

// The plug-in's editor: a fixed 410 x 460 window with the background, four
// knobs, three switches, an invisible bypass area, two LEDs, a level meter
// and the version label, built from the PNG resources 100-107.

class IGraphics;
class IPlugBase;

class ZentikQX40EditorLayout
{
public:
  static const int kWidth = 410;
  static const int kHeight = 460;

  // Indices in the graphics object's control list of the controls the
  // plug-in drives itself.
  struct DrivenControls
  {
    int mBypassLed = -1;
    int mUltraLed = -1;
    int mMeter = -1;
  };

  // Loads the images into graphics and attaches the controls, bound to the
  // plug-in's parameters, in their fixed order.
  static DrivenControls Build(IPlugBase* plug, IGraphics* graphics);

  // The editor's graphics object of a plug-in library: the platform window
  // class, size kWidth x kHeight at the toolkit's default frame rate, loading
  // images through the library's module handle; nullptr in builds without a
  // window system.
  static IGraphics* NewWindowGraphics(IPlugBase* plug);
};
