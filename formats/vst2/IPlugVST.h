#pragma once

// The VST2 binding of IPlugBase: the object embeds the effect record the host
// talks to, answers its dispatcher and audio callbacks, and reaches the host
// through its audioMaster callback. The plug-in class derives from it in the
// VST2 build; the host ends the object through the close opcode.

#include "framework/IPlugBase.h"
#include "formats/vst2/VstAbi.h"

#include <cstdint>

// The per-build instance information the plug-in class hands through: the
// host callback given to VSTPluginMain.
typedef audioMasterCallback IPlugInstanceInfo;

class IPlugVST : public IPlugBase
{
public:
  IPlugVST(IPlugInstanceInfo instanceInfo, int nParams, const char* channelIOStr, int nPresets,
           const char* effectName, const char* productName, const char* makerName,
           int vendorVersion, int uniqueID, int makerID, int latency, bool doesMIDI,
           bool doesChunks, bool isInst, int unused);
  ~IPlugVST() override;

  AEffect* GetAEffect() { return &mAEffect; }

  // The record's callbacks; each finds the object through effect->object.
  static VstIntPtr VSTCALLBACK VSTDispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                             VstIntPtr value, void* ptr, float opt);
  static void VSTCALLBACK VSTProcess(AEffect* effect, float** inputs, float** outputs,
                                     VstInt32 nFrames);
  static void VSTCALLBACK VSTProcessReplacing(AEffect* effect, float** inputs, float** outputs,
                                              VstInt32 nFrames);
  static void VSTCALLBACK VSTProcessDoubleReplacing(AEffect* effect, double** inputs,
                                                    double** outputs, VstInt32 nFrames);
  static float VSTCALLBACK VSTGetParameter(AEffect* effect, VstInt32 index);
  static void VSTCALLBACK VSTSetParameter(AEffect* effect, VstInt32 index, float value);

  //---IPlugBase: host notifications, time and transport through audioMaster
  void BeginInformHostOfParamChange(int paramIdx) override;
  void InformHostOfParamChange(int paramIdx, double normalisedValue) override;
  void EndInformHostOfParamChange(int paramIdx) override;
  void InformHostOfDisplayChange() override;
  bool IsRenderingOffline() override;
  int GetSamplePosition() override;
  double GetTempo() override;
  void GetTimeSignature(int& numerator, int& denominator) override;
  void GetTransportInfo(TransportInfo& info) override;
  // Asks the host's product string and version once, then keeps the answer.
  HostKind GetHostKind() override;
  void HostSpecificSetup() override;
  void AttachGraphics(IGraphics* graphics) override;
  void ResizeGui(int width, int height) override;
  void SetLatencySamples(int samples) override;
  bool SendMidiOut(const MidiMessage& msg) override;
  bool SendSysExOut(const SysExMessage& msg) override;

  // Speaker-arrangement type for a channel count.
  static VstInt32 ArrangementTypeForChannels(int nChannels);

  // Host extension bits set by can-do queries.
  enum
  {
    kHostVendorExtensions = 1 << 0,
    kHostVendorViewAsConfig = 1 << 1
  };
  uint32_t GetHostExtensions() const { return mHostExtensions; }

protected:
  VstIntPtr CallHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);

  audioMasterCallback mHostCallback;
  bool mHostSpecificSetupDone = false;
  uint32_t mHostExtensions = 0;
  IStateChunk mProgramChunk;   // handed to the host for one program
  IStateChunk mBankChunk;      // handed to the host for the whole bank
  AEffect mAEffect;
  ERect mEditRect;
  VstSpeakerArrangement mInputSpkrArr;
  VstSpeakerArrangement mOutputSpkrArr;

private:
  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
  VstIntPtr GetChunk(void** data, bool bank);
  VstIntPtr SetChunk(const void* data, VstIntPtr size, bool bank);
  VstIntPtr ProcessEvents(const VstEvents* events);
  VstIntPtr StringToParameter(int index, const char* text);
  VstIntPtr GetPinProperties(int index, bool input, VstPinProperties* props);
  VstIntPtr VendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt);
  VstIntPtr CanDo(const char* text);
  void SetArrangementChannels();
  const VstTimeInfo* GetTimeInfo(VstInt32 filter);
  void PrepareFloatBuffers(float** inputs, float** outputs, int nFrames);
  void PrepareDoubleBuffers(double** inputs, double** outputs);
  void ConnectForArrangement(const VstSpeakerArrangement* arrangement, bool input);

  // The editor seam: the graphics context's window and size.
  void RefreshEditRect();
  bool OpenEditor(void* parent);
  void CloseEditor();
};
