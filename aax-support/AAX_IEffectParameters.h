#pragma once

#include "aax-support/interfaces/AaxPluginInterfaces.h"

// The library side of the host's effect-parameters interface: the host's slot
// order unchanged. Objects are deleted through their CACFUnknown part, never
// through this interface.
class AAX_IEffectParameters : public AAX_IACFEffectParameters_V2
{
protected:
  ~AAX_IEffectParameters() = default;
};
