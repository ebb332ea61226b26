#pragma once

// The distortion plug-in: eight parameters, one qx4 engine per channel, and
// the editor's LEDs and meter driven from the parameters and the audio.
// It derives from the adapter of the build it is compiled into.

#include "effect/PlugAdapter.h"
#include "effect/qx4.h"

class IControl;
class IGraphics;

class ZentikQX40 : public IPlugAdapter
{
public:
  // Parameter indices.
  enum EParam
  {
    kBypass = 0,
    kDistAmount,
    kTone,
    kLevel,
    kSaturation,
    kHiss,
    kUltra,
    kDryWet,
    kNumParams
  };

  // The host context goes to the adapter unchanged.
  explicit ZentikQX40(IPlugInstanceInfo instanceInfo);
  ~ZentikQX40() override;

  // Rate, filters and oversampling factor of both engines for the current
  // sample rate (factor 4 below 88100 Hz, 2 above it and below 192000 Hz,
  // 1 otherwise). Takes the plug-in lock.
  void Reset() override;
  // Sets the changed parameter on both engines (and the editor's LEDs and
  // meter for Bypass and Ultra Mode). Takes the plug-in lock.
  void HandleParamChange(int paramIdx, bool fromStateRestore) override;
  // Channel 0 through the left engine, channel 1 through the right one.
  // Inputs are never written: each channel is copied to its output and
  // processed there.
  void ProcessAudioDouble(double** inputs, double** outputs, int nFrames) override;

  static int OversamplingForRate(double sampleRate);

  // Builds the editor layout into graphics, keeps the indices of the
  // controls the plug-in drives, and attaches graphics (owned from then on).
  // The constructor does it with the library's window graphics; nullptr
  // does nothing.
  void AttachEditor(IGraphics* graphics);

protected:
  qx4* mLeftEngine;
  qx4* mRightEngine;
  // Control indices in the editor; -1 while there is no such control.
  int mBypassLedIdx = -1;
  int mUltraLedIdx = -1;
  int mMeterIdx = -1;

private:
  IControl* EditorControl(int idx) const;
};

#if !defined(ZQ_API_VST2)
// Creates one plug-in object under the process-wide creation lock; nullptr
// when it could not be allocated.
ZentikQX40* NewPluginInstance();
#endif

#if defined(ZQ_API_VST3)
// The VST3 factory's create function: the new object's audio-processor
// interface with one reference, or nullptr.
Steinberg::FUnknown* CreateVst3Instance(void* context = nullptr);
#endif
