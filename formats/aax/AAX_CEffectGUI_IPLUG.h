#pragma once

#include "aax-support/AAX_CEffectGUI.h"

class IGraphics;

// The AAX host's GUI object of one plug-in instance: it reports the editor's
// size and opens the plug-in's own graphics object in the host's container.
class AAX_CEffectGUI_IPLUG : public AAX_CEffectGUI
{
public:
  // The GUI creation procedure given to the host; null when out of memory.
  static IACFUnknown* Create();

  AaxResult ACF_CALL GetViewSize(AaxViewSize* size) const override;

protected:
  void CreateViewContents() override;
  void CreateViewContainer() override;
  void DeleteViewContainer() override;

private:
  IGraphics* mGraphics = nullptr;   // the plug-in's; not owned
};
