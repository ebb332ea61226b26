#pragma once

// The AAX binding of IPlugBase: one object that is both the framework
// plug-in and the host's effect-parameters object. The plug-in class derives
// from it in the AAX build.

#include "framework/IPlugBase.h"
#include "formats/aax/AAX_CIPlugParameters.h"

// The AAX build has no host context to hand through.
typedef void* IPlugInstanceInfo;

class IPlugAAX : public IPlugBase, public AAX_CIPlugParameters
{
public:
  IPlugAAX(IPlugInstanceInfo instanceInfo, int nParams, const char* channelIOStr, int nPresets,
           const char* effectName, const char* productName, const char* makerName,
           int vendorVersion, int uniqueID, int makerID, int latency, bool doesMIDI,
           bool doesChunks, bool isInst, int unused);
  ~IPlugAAX() override;

  // ---- Effect parameters (parameter binding and chunks) -----------------

  // The parameters are made and registered with the host outside the plug-in
  // lock and put in place under it, with the sample rate.
  AaxResult EffectInit() override;
  AaxResult ACF_CALL UpdateParameterNormalizedValue(AaxParamID id, double value, int32_t source) override;
  AaxResult ACF_CALL GetChunkIDFromIndex(int32_t index, uint32_t* chunkId) const override;
  AaxResult ACF_CALL GetChunkSize(uint32_t chunkId, uint32_t* size) const override;
  AaxResult ACF_CALL GetChunk(uint32_t chunkId, AaxChunk* chunk) const override;
  AaxResult ACF_CALL SetChunk(uint32_t chunkId, const AaxChunk* chunk) override;
  AaxResult ACF_CALL CompareActiveChunk(const AaxChunk* chunk, bool* isEqual) const override;

  // One render context into one framework processing call.
  void RenderAudio(AaxRenderContext* context) override;

  // ---- IPlugBase host operations ------------------------------------------

  void BeginInformHostOfParamChange(int paramIdx) override;
  void InformHostOfParamChange(int paramIdx, double normalisedValue) override;
  void EndInformHostOfParamChange(int paramIdx) override;
  void InformHostOfDisplayChange() override {}

  bool IsRenderingOffline() override { return false; }
  int GetSamplePosition() override;
  double GetTempo() override;
  void GetTimeSignature(int& numerator, int& denominator) override;
  void GetTransportInfo(TransportInfo& info) override;

  void ResizeGui(int width, int height) override;
  void SetLatencySamples(int samples) override;
  bool SendMidiOut(const MidiMessage&) override { return false; }
  bool SendSysExOut(const SysExMessage&) override { return false; }
  void MarkStateDirty() override { ++mChangeCounter; }

  // The state chunk's ID: the plug-in's unique ID.
  uint32_t ChunkID() const { return static_cast<uint32_t>(GetUniqueID()); }

  // The editor closes first, ending its open edit while the host still takes it.
  AaxResult ACF_CALL UninitializeEffect() override;

protected:
  // Parameters and host wrappers are exchanged under the plug-in lock, so a
  // render in flight on another thread never meets freed ones; the host is
  // called outside it, as a host may wait for its audio thread in a callback.
  void SwapHostConnections(HostConnections& connections) override;

private:
  // Closes the editor window (sending its open edit's end) while the host
  // connection is whole.
  void CloseEditor();
  // Serialises the framework state for the chunk ID; false for another ID or
  // when the state cannot be produced. The state functions lock, but they are
  // not const.
  bool WriteState(uint32_t chunkId, IStateChunk& chunk) const;
};
