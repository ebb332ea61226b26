#pragma once

#include <atomic>
#include <cstdint>
#include <set>
#include <string>

#include "aax-support/AAX_CChunkDataParser.h"
#include "aax-support/AAX_CPacketQueue.h"
#include "aax-support/AAX_CParameterRegistry.h"
#include "aax-support/AAX_IEffectParameters.h"
#include "aax-support/CACFUnknown.h"

class AAX_VAutomationDelegate;
class AAX_VController;
class AAX_VTransport;

// Host-facing data model of one effect instance: its host parameters and their
// automation, the default 'elck' chunk, notifications and the change counter.
// Format adapters derive from it and override the parameter update, the chunk
// operations and EffectInit.
class AAX_CEffectParameters : public AAX_IEffectParameters, public CACFUnknown
{
public:
  static constexpr uint32_t kDefaultChunkId = 0x656C636B;    // 'elck'
  static constexpr uint32_t kPreviewNotification = 0x41535076; // 'ASPv'
  static constexpr const char* kMasterBypassId = "MasterBypassID";
  static constexpr const char* kPreviewId = "PreviewID";
  static constexpr const char* kDefaultChunkName = "Complete Controls State";

  AAX_CEffectParameters();
  ~AAX_CEffectParameters() override;

  ACF_UNKNOWN_DELEGATE
  AaxResult InternalQueryInterface(AcfRefIID iid, void** out) override;

  AaxResult ACF_CALL InitializeEffect(IACFUnknown* hostUnknown) override;
  AaxResult ACF_CALL UninitializeEffect() override;
  AaxResult ACF_CALL HandleNotification(uint32_t type, const void* data, uint32_t size) override;
  AaxResult ACF_CALL GetNumberOfParameters(int32_t* count) const override;
  AaxResult ACF_CALL GetMasterBypassId(AAX_IString* id) const override;
  AaxResult ACF_CALL GetParameterIsAutomatable(AaxParamID id, bool* automatable) const override;
  AaxResult ACF_CALL GetParameterNumberOfSteps(AaxParamID id, int32_t* steps) const override;
  AaxResult ACF_CALL GetParameterName(AaxParamID id, AAX_IString* name) const override;
  AaxResult ACF_CALL GetParameterNameOfLength(AaxParamID id, AAX_IString* name, int32_t length) const override;
  AaxResult ACF_CALL GetParameterDefaultNormalizedValue(AaxParamID id, double* value) const override;
  AaxResult ACF_CALL SetParameterDefaultNormalizedValue(AaxParamID id, double value) override;
  AaxResult ACF_CALL GetParameterType(AaxParamID id, int32_t* type) const override;
  AaxResult ACF_CALL GetParameterOrientation(AaxParamID id, int32_t* orientation) const override;
  AaxResult ACF_CALL GetParameter(AaxParamID id, AAX_IParameter** parameter) override;
  AaxResult ACF_CALL GetParameterIndex(AaxParamID id, int32_t* index) const override;
  AaxResult ACF_CALL GetParameterIDFromIndex(int32_t index, AAX_IString* id) const override;
  AaxResult ACF_CALL GetParameterValueInfo(AaxParamID id, int32_t selector, int32_t* value) const override;
  AaxResult ACF_CALL GetParameterValueFromString(AaxParamID id, double* value, const AAX_IString* text) const override;
  AaxResult ACF_CALL GetParameterStringFromValue(AaxParamID id, double value, AAX_IString* text,
                                                 int32_t maxChars) const override;
  AaxResult ACF_CALL GetParameterValueString(AaxParamID id, AAX_IString* text, int32_t maxChars) const override;
  AaxResult ACF_CALL GetParameterNormalizedValue(AaxParamID id, double* value) const override;
  AaxResult ACF_CALL SetParameterNormalizedValue(AaxParamID id, double value) override;
  AaxResult ACF_CALL SetParameterNormalizedRelative(AaxParamID id, double delta) override;
  AaxResult ACF_CALL TouchParameter(AaxParamID id) override;
  AaxResult ACF_CALL ReleaseParameter(AaxParamID id) override;
  AaxResult ACF_CALL Slot28(AaxWord, AaxWord) override;
  AaxResult ACF_CALL UpdateParameterNormalizedValue(AaxParamID id, double value, int32_t source) override;
  AaxResult ACF_CALL UpdateParameterNormalizedRelative(AaxParamID id, double delta) override;
  AaxResult ACF_CALL DispatchDirtyPackets() override;
  AaxResult ACF_CALL ResetFieldData(AaxFieldIndex field, void* block, uint32_t size) const override;
  AaxResult ACF_CALL GetNumberOfChunks(int32_t* count) const override;
  AaxResult ACF_CALL GetChunkIDFromIndex(int32_t index, uint32_t* chunkId) const override;
  AaxResult ACF_CALL GetChunkSize(uint32_t chunkId, uint32_t* size) const override;
  AaxResult ACF_CALL GetChunk(uint32_t chunkId, AaxChunk* chunk) const override;
  AaxResult ACF_CALL SetChunk(uint32_t chunkId, const AaxChunk* chunk) override;
  AaxResult ACF_CALL CompareActiveChunk(const AaxChunk* chunk, bool* isEqual) const override;
  AaxResult ACF_CALL GetNumberOfChanges(int32_t* changes) const override;

  AaxResult ACF_CALL Slot40() override;
  AaxResult ACF_CALL Slot41(AaxWord, AaxWord, AaxWord, AaxWord) override;
  AaxResult ACF_CALL Slot42(AaxWord, AaxWord, AaxWord, uint32_t* out) override;
  AaxResult ACF_CALL Slot43(AaxWord, AaxWord, AaxWord) override;
  AaxResult ACF_CALL Slot44() override;
  AaxResult ACF_CALL Slot45(AaxWord) override;
  AaxResult ACF_CALL Slot46(AaxWord, AaxWord) override;
  AaxResult ACF_CALL Slot47(AaxWord, AaxWord) override;

  // Called once by InitializeEffect, after the host wrappers exist.
  virtual AaxResult EffectInit();

  AAX_VController* Controller() const { return mController; }
  AAX_VTransport* Transport() const { return mTransport; }
  AAX_VAutomationDelegate* AutomationDelegate() const { return mAutomationDelegate; }
  // Leaves the parameter with this ID out of the 'elck' chunk.
  void AddFilteredId(const char* id);

protected:
  // What an initialisation puts in place and an uninitialisation takes away:
  // the host wrappers and the host parameters.
  struct HostConnections
  {
    AAX_VController* mController = nullptr;
    AAX_VTransport* mTransport = nullptr;
    AAX_VAutomationDelegate* mAutomationDelegate = nullptr;
    AAX_CParameterRegistry mRegistry;
  };

  // Exchanges the object's connections with these; calls no host. A derived
  // class whose render reads them overrides it to exchange them under its lock,
  // while the host is called (wrappers made, parameters unregistered,
  // references released) outside it.
  virtual void SwapHostConnections(HostConnections& connections);
  // Deletes connections swapped out: parameters first, as they unregister from the delegate.
  static void FreeHostConnections(HostConnections& connections);

  // Fills the chunk parser with one entry per non-filtered parameter.
  void BuildChunkData() const;

  // Host threads count their changes side by side.
  std::atomic<int32_t> mChangeCounter;
  mutable int32_t mChunkSize;
  mutable AAX_CChunkDataParser mChunkParser;
  AAX_CPacketQueue mPacketQueue;
  AAX_CParameterRegistry mRegistry;
  std::set<std::string> mFilteredIds;
  AAX_VController* mController;
  AAX_VTransport* mTransport;
  AAX_VAutomationDelegate* mAutomationDelegate;

private:
  bool IsFiltered(const char* id) const;
};
