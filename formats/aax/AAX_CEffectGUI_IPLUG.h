#pragma once

#include "aax-support/AAX_CEffectGUI.h"
#include "gui/IHostView.h"

class IGraphics;

// The AAX host's GUI object of one plug-in instance: it reports the editor's
// size, opens the plug-in's own graphics object in the host's container and,
// while the window is open, lets the host claim clicks on parameter controls.
class AAX_CEffectGUI_IPLUG : public AAX_CEffectGUI, public IHostView
{
public:
  // The GUI creation procedure given to the host; null when out of memory.
  static IACFUnknown* Create();

  // The graphics belong to the plug-in this GUI holds: when it lets go of the
  // plug-in it closes their window and forgets them, as the plug-in may go first.
  AaxResult ACF_CALL InitializeGUI(IACFUnknown* hostUnknown) override;
  AaxResult ACF_CALL UninitializeGUI() override;
  AaxResult ACF_CALL GetViewSize(AaxViewSize* size) const override;

  bool OfferParamMouseDown(int paramIdx, const IMouseState& mouse) override;
  void SetHostViewSize(int width, int height) override;

  // Modifier bits the editor adds to the host's own.
  enum : uint32_t
  {
    kModShift = 1,
    kModAlt = 4,
    kModControl = 8,
    kModRightButton = 16,
  };

protected:
  void CreateViewContents() override;
  void CreateViewContainer() override;
  void DeleteViewContainer() override;

private:
  void ForgetGraphics();

  IGraphics* mGraphics = nullptr;   // the plug-in's; not owned
};
