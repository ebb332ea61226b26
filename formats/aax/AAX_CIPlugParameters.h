#pragma once

#include "aax-support/AAX_CEffectParameters.h"
#include "framework/PointerList.h"
#include "framework/TextBuffer.h"

class AAX_IParameter;
class AAX_ITransport;
struct AaxRenderContext;

// The effect-parameters part of the AAX plug-in: what the render context's
// private-data field points at, the bypass host parameter, the transport of
// the latest render call and the host parameter IDs of the framework's
// parameters.
class AAX_CIPlugParameters : public AAX_CEffectParameters
{
public:
  AAX_CIPlugParameters();
  ~AAX_CIPlugParameters() override;

  // The private-data field gets this object's address; every other field zeros.
  AaxResult ACF_CALL ResetFieldData(AaxFieldIndex field, void* block, uint32_t size) const override;
  // The registry frees the bypass parameter, so the pointer goes with it.
  AaxResult ACF_CALL UninitializeEffect() override;

  virtual void RenderAudio(AaxRenderContext* context);

  AAX_IParameter* BypassParameter() const { return mBypassParam; }
  // Host ID of framework parameter `idx`; nullptr outside the list.
  const char* ParamID(int idx) const;

protected:
  // Drops the ID list and the bypass pointer (before the registry is refilled).
  void ClearParamIDs();

  AAX_IParameter* mBypassParam = nullptr;     // owned by the registry
  AAX_ITransport* mCurrentTransport = nullptr; // the host's, from the last render
  PointerList<TextBuffer> mParamIDs;           // owned
};
