#pragma once

#include "aax-support/interfaces/AaxPluginInterfaces.h"

// The library side of the host's effect-GUI interface: the host's slot order
// unchanged. Objects are deleted through their CACFUnknown part.
class AAX_IEffectGUI : public AAX_IACFEffectGUI
{
protected:
  ~AAX_IEffectGUI() = default;
};
