#pragma once

// A small VST2 plug-in in the shapes the effect lacks: it does chunks and
// MIDI, is an instrument, has display texts, a negated display, channel
// labels, and records what the adapter hands it.

#include "formats/vst2/IPlugVST.h"

#include <string>
#include <vector>

class Vst2TestPlug : public IPlugVST
{
public:
  enum { kGain = 0, kWave, kOn, kNumParams };

  // "2-2 4-4" (no mono input) with three presets unless told otherwise.
  explicit Vst2TestPlug(audioMasterCallback host, const char* channelIO = "2-2 4-4", int nPresets = 3);

  void HandleParamChange(int paramIdx, bool fromStateRestore) override;
  void ProcessAudioDouble(double** inputs, double** outputs, int nFrames) override;
  void ProcessMidiIn(const MidiMessage& msg) override;
  void ProcessSysExIn(const SysExMessage& msg) override;
  bool GetMidiNoteName(int noteNumber, char* name, int nameSize) override;
  void OnActivate(bool active) override;
  void OnAdapterInitialized() override { ++mAdapterInitialized; }

  // Gives input channel `idx` a label.
  void SetInputLabel(int idx, const char* label);

  std::vector<int> mChanged;              // HandleParamChange indices, in order
  std::vector<MidiMessage> mMidi;
  std::vector<std::vector<uint8_t>> mSysEx;
  std::vector<int> mSysExOffsets;
  std::vector<bool> mActivations;
  int mAdapterInitialized = 0;
  double mGain = 1.0;                     // output = input x gain
};

// Entry for the test host: one Vst2TestPlug through the library's creation path.
AEffect* Vst2TestPlugMain(audioMasterCallback host);
// The same with zero presets.
AEffect* Vst2TestPlugNoPresetsMain(audioMasterCallback host);
