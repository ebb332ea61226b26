#pragma once

// A small plug-in on the VST3 adapter for testing the adapter itself in
// shapes the distortion effect does not have: MIDI, an instrument, a
// side-chain, parameter groups, latency and edits the plug-in reports.

#include "formats/vst3/IPlugVST3.h"

struct TestPlugConfig
{
  const char* name;
  const char* channelIO;
  int nPresets;
  int latency;
  bool doesMIDI;
  bool isInst;
  int nSideChain;
};

// Parameters: 0 "Gain" (0-100, shape 2, group "Amp"), 1 "Invert" (bool),
// 2 "Latency" (0-64 samples, default the configured latency, group "Timing"), 3 "Poke" (bool, group "Amp":
// turning it on reports an edit of Gain to 0.25 through the host handler).
// Audio: each output is its input times the gain. An instrument instead
// writes the last MIDI note, velocity, controller value and controller number
// (each / 127) on outputs 0-3, and on output 4, frame by frame, what it reads
// of the transport: tempo, sample position, quarter notes, bar start, cycle
// start and end, numerator, denominator, playing, cycle active, offline,
// GetSamplePosition, GetTempo, GetTimeSignature's two values, host kind, then
// what reached its (control-less) editor: number of pushes, last parameter,
// last value, whether it was normalised.
struct EditorPushes
{
  int count = 0;
  int lastParam = -1;
  double lastValue = 0.0;
  bool lastNormalised = false;
};

class TestPlug : public IPlugVST3
{
public:
  explicit TestPlug(const TestPlugConfig& config);

  void HandleParamChange(int paramIdx, bool fromStateRestore) override;
  void ProcessAudioDouble(double** inputs, double** outputs, int nFrames) override;
  void ProcessMidiIn(const MidiMessage& msg) override;

private:
  EditorPushes mPushes;
  double mGain = 0.5;
  int mNote = 0, mVelocity = 0, mController = -1, mControllerValue = 0;
};
