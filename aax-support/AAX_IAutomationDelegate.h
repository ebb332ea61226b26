#pragma once

#include "aax-support/interfaces/AcfBase.h"
#include "aax-support/interfaces/AaxTypes.h"

// The library's view of the host's automation: what a parameter asks of the
// host. AAX_VAutomationDelegate implements it over the host interface.
class AAX_IAutomationDelegate
{
public:
  virtual ~AAX_IAutomationDelegate() {}
  virtual AaxResult RegisterParameter(AaxParamID id) = 0;
  virtual AaxResult UnregisterParameter(AaxParamID id) = 0;
  virtual AaxResult PostSetValueRequest(AaxParamID id, double normalizedValue) = 0;
  virtual AaxResult PostCurrentValue(AaxParamID id, double normalizedValue) = 0;
  virtual AaxResult PostTouchRequest(AaxParamID id) = 0;
  virtual AaxResult PostReleaseRequest(AaxParamID id) = 0;
  virtual AaxResult Slot7(AaxWord, AaxWord) = 0;
};
