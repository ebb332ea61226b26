#pragma once

#include "aax-support/AAX_CEffectParameters.h"
#include "framework/PointerList.h"
#include "framework/TextBuffer.h"

class AAX_IParameter;
class AAX_ITransport;
struct AaxRenderContext;

// Answered only by this library's plug-in objects: the GUI object checks with
// it that the effect-parameters interface the host gave is one of them.
// {5A6E746B-5158-3430-8A41-4158504C5547}
inline constexpr AcfUID IID_IPlugAAXParameters = { 0x5A6E746B, 0x5158, 0x3430, { 0x8A, 0x41, 0x41, 0x58, 0x50, 0x4C, 0x55, 0x47 } };

// The effect-parameters part of the AAX plug-in: what the render context's
// private-data field points at, the bypass host parameter, the transport of
// the latest render call and the host parameter IDs of the framework's
// parameters.
class AAX_CIPlugParameters : public AAX_CEffectParameters
{
public:
  AAX_CIPlugParameters();
  ~AAX_CIPlugParameters() override;

  AaxResult InternalQueryInterface(AcfRefIID iid, void** out) override;

  // The private-data field gets this object's address; every other field zeros.
  AaxResult ACF_CALL ResetFieldData(AaxFieldIndex field, void* block, uint32_t size) const override;

  virtual void RenderAudio(AaxRenderContext* context);

  // Host parameter IDs: framework parameter idx is known to the host by the
  // decimal text of idx + 1 (at most 31 characters).
  static constexpr int kParamIDSize = 32;
  static void FormatParamID(int idx, char (&id)[kParamIDSize]);
  // Framework index of a host ID; -1 for the bypass ("") and for anything that
  // is not a whole decimal number from 1 on.
  static int ParamIndexOfID(AaxParamID id);

  AAX_IParameter* BypassParameter() const { return mBypassParam; }
  // Host ID of framework parameter `idx`; nullptr outside the list.
  const char* ParamID(int idx) const;

protected:
  // The bypass parameter goes with the registry it is in.
  void SwapHostConnections(HostConnections& connections) override;

  AAX_IParameter* mBypassParam = nullptr;     // owned by the registry
  AAX_ITransport* mCurrentTransport = nullptr; // the host's, from the last render
  PointerList<TextBuffer> mParamIDs;           // owned
};
