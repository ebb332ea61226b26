#pragma once

// A plug-in built directly on IPlugBase, standing in for a format adapter:
// it records host notifications and parameter changes, and a fake editor
// records what the framework pushes into its controls.

#include <atomic>
#include <functional>
#include <utility>
#include <vector>

#include "framework/IPlugBase.h"
#include "tests/support/LockProbe.h"
#include "gui/IControl.h"
#include "gui/IGraphics.h"
#include "tests/support/IGraphicsHeadless.h"

class TestPlug : public IPlugBase
{
public:
  explicit TestPlug(int nParams = 8, const char* channelIO = "1-1 2-2", int nPresets = 1,
                    int latency = 0)
    : IPlugBase(nParams, channelIO, nPresets, "ZentikQX40", "", "Zentik", 0x00010101,
                0x51583430 /* QX40 */, 0x5A6E746B /* Zntk */, latency, false, false, false,
                kApiVST3)
  {
  }

  using IPlugBase::CreateLatencyDelayLine;

  // True when another thread cannot take the plug-in lock right now.
  bool LockHeldElsewhere() { return ::LockHeldElsewhere(mMutex); }

  RecursiveLock& Mutex() { return mMutex; }
  InputChannel* In(int i) { return mInChannels.Get(i); }
  OutputChannel* Out(int i) { return mOutChannels.Get(i); }

  // Records of what reached the plug-in and the host.
  struct ParamChange { int idx; bool fromRestore; double value; bool locked; };
  std::vector<ParamChange> paramChanges;
  std::vector<std::pair<int, double>> informed;  // index, normalised value
  std::vector<MidiMessage> midiOut;
  std::vector<int> processedFrames;
  std::vector<const char*> events;               // call order across hooks
  int presetsChanged = 0;
  bool checkLockInHandler = false;

  // Replaces the base pass-through in ProcessAudioDouble when set.
  std::function<void(double**, double**, int)> process;

  void HandleParamChange(int idx, bool fromRestore) override
  {
    IPlugBase::HandleParamChange(idx, fromRestore);
    const bool locked = checkLockInHandler && LockHeldElsewhere();
    paramChanges.push_back({idx, fromRestore, GetParam(idx) ? GetParam(idx)->Value() : 0.0, locked});
    events.push_back("HandleParamChange");
  }

  void ProcessAudioDouble(double** inputs, double** outputs, int nFrames) override
  {
    processedFrames.push_back(nFrames);
    if (process)
      process(inputs, outputs, nFrames);
    else
      IPlugBase::ProcessAudioDouble(inputs, outputs, nFrames);
  }

  void OnPresetsChanged() override { ++presetsChanged; events.push_back("OnPresetsChanged"); }

  void BeginInformHostOfParamChange(int) override {}
  void InformHostOfParamChange(int idx, double normalised) override
  {
    informed.push_back({idx, normalised});
    events.push_back("InformHostOfParamChange");
  }
  void EndInformHostOfParamChange(int) override {}
  void InformHostOfDisplayChange() override {}
  int GetSamplePosition() override { return 0; }
  double GetTempo() override { return 120.0; }
  void GetTimeSignature(int& numerator, int& denominator) override { numerator = denominator = 4; }
  void GetTransportInfo(TransportInfo&) override {}
  void ResizeGui(int, int) override {}
  bool SendMidiOut(const MidiMessage& msg) override
  {
    midiOut.push_back(msg);
    return true;
  }
};

// Records what the plug-in pushes; aux bindings as given.
class FakeControl : public IControl
{
public:
  explicit FakeControl(int paramIdx, std::vector<int> auxParams = {})
    : IControl(nullptr, IRectangle(), paramIdx), mAuxValues(auxParams.size(), -1.0)
  {
    for (int p : auxParams) AddAuxParam(p);
  }

  bool Draw(IGraphics*) override { return true; }
  void SetValueFromPlug(double value) override { mValues.push_back(value); }
  void SetAuxParamValueFromPlug(int auxIdx, double value) override { mAuxValues.at(size_t(auxIdx)) = value; }
  void Hide(bool hide) override { mHidden.push_back(hide); }

  std::vector<double> mAuxValues;
  std::vector<double> mValues;
  std::vector<bool> mHidden;   // every Hide call, in order
};

// Owns its controls through the real context; records what the plug-in sends.
class FakeGraphics : public IGraphicsHeadless
{
public:
  explicit FakeGraphics(bool* deleted = nullptr) : IGraphicsHeadless(nullptr, 0, 0), mDeleted(deleted) {}
  ~FakeGraphics() override
  {
    if (mDeleted) *mDeleted = true;
  }

  FakeControl* Add(FakeControl* c)
  {
    AttachControl(c);
    mControls.push_back(c);
    return c;
  }

  void PrepareDraw() override { ++mPrepared; }
  void SetParameterFromPlug(int paramIdx, double value, bool normalised) override
  {
    mPushes.push_back({paramIdx, value, normalised});
  }

  struct Push { int idx; double value; bool normalised; };
  std::vector<FakeControl*> mControls;   // not owned
  std::vector<Push> mPushes;
  int mPrepared = 0;
  bool* mDeleted;
};
