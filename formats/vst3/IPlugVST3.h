#pragma once

// The VST3 binding of IPlugBase: one single-component effect that is both the
// audio processor and the edit controller, with the plug-in's own bypass
// ('bpas') and program ('prst') parameters in front of the framework's.
// The plug-in class derives from it in the VST3 build.

#include "framework/IPlugBase.h"
#include "formats/vst3/SingleComponentEffect.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <atomic>

class IPlugVST3View;

// The per-build instance information the plug-in class hands through to its
// adapter; the VST3 build has none to carry.
typedef void* IPlugInstanceInfo;

class IPlugVST3 : public IPlugBase,
                  public Steinberg::Vst::IUnitInfo,
                  public Steinberg::Vst::SingleComponentEffect,
                  public Steinberg::Vst::IMidiMapping
{
public:
  typedef Steinberg::tresult tresult;
  typedef Steinberg::int32 int32;
  typedef Steinberg::uint32 uint32;
  typedef Steinberg::int16 int16;
  typedef Steinberg::TBool TBool;
  typedef Steinberg::FUnknown FUnknown;
  typedef Steinberg::IBStream IBStream;
  typedef Steinberg::Vst::ParamID ParamID;
  typedef Steinberg::Vst::ParamValue ParamValue;
  typedef Steinberg::Vst::String128 String128;
  typedef Steinberg::Vst::SpeakerArrangement SpeakerArrangement;

  static const ParamID kBypassParamID = 0x62706173;   // 'bpas'
  static const ParamID kPresetParamID = 0x70727374;   // 'prst', also the program list id

  IPlugVST3(IPlugInstanceInfo instanceInfo, int nParams, const char* channelIOStr, int nPresets,
            const char* effectName, const char* productName, const char* makerName,
            int vendorVersion, int uniqueID, int makerID, int latency, bool doesMIDI,
            bool doesChunks, bool isInst, int nSideChainChans);
  ~IPlugVST3() override;

  // Arrangement bits used for an audio bus of n channels (0 beyond six).
  static SpeakerArrangement ArrangementForChannels(int nChannels);

  //---IPluginBase
  tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
  tresult PLUGIN_API terminate() SMTG_OVERRIDE;
  // An edit the mouse holds ends with the handler that saw it begin.
  tresult PLUGIN_API setComponentHandler(Steinberg::Vst::IComponentHandler* handler) SMTG_OVERRIDE;

  //---IAudioProcessor
  tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                        SpeakerArrangement* outputs, int32 numOuts) SMTG_OVERRIDE;
  tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) SMTG_OVERRIDE;
  uint32 PLUGIN_API getLatencySamples() SMTG_OVERRIDE;
  uint32 PLUGIN_API getTailSamples() SMTG_OVERRIDE;
  tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) SMTG_OVERRIDE;
  tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) SMTG_OVERRIDE;

  //---IComponent
  tresult PLUGIN_API setActive(TBool state) SMTG_OVERRIDE;

  //---IComponent and IEditController (one method each serves both interfaces)
  tresult PLUGIN_API getState(IBStream* state) SMTG_OVERRIDE;
  tresult PLUGIN_API setState(IBStream* state) SMTG_OVERRIDE;

  //---IEditController
  ParamValue PLUGIN_API getParamNormalized(ParamID id) SMTG_OVERRIDE;
  tresult PLUGIN_API setParamNormalized(ParamID id, ParamValue value) SMTG_OVERRIDE;
  tresult PLUGIN_API getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                           String128 string) SMTG_OVERRIDE;
  ParamValue PLUGIN_API plainParamToNormalized(ParamID id, ParamValue plainValue) SMTG_OVERRIDE;
  Steinberg::IPlugView* PLUGIN_API createView(Steinberg::FIDString name) SMTG_OVERRIDE;

  //---IUnitInfo
  int32 PLUGIN_API getUnitCount() SMTG_OVERRIDE;
  tresult PLUGIN_API getUnitInfo(int32 unitIndex, Steinberg::Vst::UnitInfo& info) SMTG_OVERRIDE;
  int32 PLUGIN_API getProgramListCount() SMTG_OVERRIDE;
  tresult PLUGIN_API getProgramListInfo(int32 listIndex,
                                        Steinberg::Vst::ProgramListInfo& info) SMTG_OVERRIDE;
  tresult PLUGIN_API getProgramName(Steinberg::Vst::ProgramListID listId, int32 programIndex,
                                    String128 name) SMTG_OVERRIDE;
  tresult PLUGIN_API getProgramInfo(Steinberg::Vst::ProgramListID listId, int32 programIndex,
                                    Steinberg::Vst::CString attributeId,
                                    String128 attributeValue) SMTG_OVERRIDE;
  tresult PLUGIN_API hasProgramPitchNames(Steinberg::Vst::ProgramListID listId,
                                          int32 programIndex) SMTG_OVERRIDE;
  tresult PLUGIN_API getProgramPitchName(Steinberg::Vst::ProgramListID listId, int32 programIndex,
                                         int16 midiPitch, String128 name) SMTG_OVERRIDE;
  Steinberg::Vst::UnitID PLUGIN_API getSelectedUnit() SMTG_OVERRIDE;
  tresult PLUGIN_API selectUnit(Steinberg::Vst::UnitID unitId) SMTG_OVERRIDE;
  tresult PLUGIN_API getUnitByBus(Steinberg::Vst::MediaType type,
                                  Steinberg::Vst::BusDirection dir, int32 busIndex, int32 channel,
                                  Steinberg::Vst::UnitID& unitId) SMTG_OVERRIDE;
  tresult PLUGIN_API setUnitProgramData(int32 listOrUnitId, int32 programIndex,
                                        IBStream* data) SMTG_OVERRIDE;

  //---IMidiMapping
  tresult PLUGIN_API getMidiControllerAssignment(int32 busIndex, int16 channel,
                                                 Steinberg::Vst::CtrlNumber midiControllerNumber,
                                                 ParamID& id) SMTG_OVERRIDE;

  //---IPlugBase: host notifications, time and transport
  void BeginInformHostOfParamChange(int paramIdx) override;
  void InformHostOfParamChange(int paramIdx, double normalisedValue) override;
  void EndInformHostOfParamChange(int paramIdx) override;
  void InformHostOfDisplayChange() override {}
  bool IsRenderingOffline() override;
  int GetSamplePosition() override;
  double GetTempo() override;
  void GetTimeSignature(int& numerator, int& denominator) override;
  void GetTransportInfo(TransportInfo& info) override;
  void ResizeGui(int width, int height) override;
  void SetLatencySamples(int samples) override;
  bool SendMidiOut(const MidiMessage& /*msg*/) override { return false; }
  bool SendSysExOut(const SysExMessage& /*msg*/) override { return false; }
  bool PopupHostParamMenu(int paramIdx, int x, int y) override;

  OBJ_METHODS(IPlugVST3, SingleComponentEffect)
  tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) SMTG_OVERRIDE;
  REFCOUNT_METHODS(SingleComponentEffect)

protected:
  friend class IPlugVST3View;

  // A view leaves the view list as it is destroyed.
  void RemoveView(IPlugVST3View* view);

  int mSideChainChans;
  bool mSideChainWasActive = false;
  Steinberg::Vst::ProcessContext mProcessContext;   // the last one the host sent
  PointerList<IPlugVST3View> mViews;                // open editor views, newest last; not owned
  IPlugVST3View* mWindowView = nullptr;             // the view showing the editor window, if any
  // True while the 'bpas' value the host last gave the controller
  // (setParamNormalized, kept in the SDK parameter) is newer than the host
  // bypass that process or setState set; getParamNormalized answers with it.
  std::atomic<bool> mBypassFromController {false};
  // The last setupProcessing was refused for want of buffers: activation is
  // refused too until a setup succeeds.
  bool mSetupRefused = false;

private:
  tresult DeclareBusesAndParameters();
  void ApplyParameterChanges(Steinberg::Vst::IParameterChanges* changes);
  void ApplyMidiEvents(Steinberg::Vst::IEventList* events);
  void RouteInputs(Steinberg::Vst::ProcessData& data, bool is32);
  void RouteOutputs(Steinberg::Vst::ProcessData& data, bool is32);
  Steinberg::Vst::AudioBus* AudioBusAt(Steinberg::Vst::BusList& list, int index);
};
