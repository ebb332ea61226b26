#include "tests/vst2/testplug/Vst2TestPlug.h"

#include "formats/vst2/Vst2Module.h"

#include <cstdio>
#include <cstring>
#include <new>

Vst2TestPlug::Vst2TestPlug(audioMasterCallback host, const char* channelIO, int nPresets)
  : IPlugVST(host, kNumParams, channelIO, nPresets, "Vst2TestPlug", "Zq Test Product", "Zq Test Maker",
             0x00020304, 0x54737432 /* 'Tst2' */, 0x5A717473 /* 'Zqts' */, 0, true, true, true, 0)
{
  GetParam(kGain)->InitDouble("Gain", 0.0, -24.0, 24.0, 0.5, "dB");
  GetParam(kGain)->SetNegateDisplay(true);
  GetParam(kWave)->InitDouble("Waveform", 0.0, 0.0, 2.0, 1.0);
  GetParam(kWave)->AddDisplayText(0, "Sine");
  GetParam(kWave)->AddDisplayText(1, "Saw");
  GetParam(kWave)->AddDisplayText(2, "Square");
  GetParam(kOn)->InitBool("A rather long parameter name", true);
  if (nPresets > 0) StoreDefaultPresets("first", 1);
}

void Vst2TestPlug::SetInputLabel(int idx, const char* label)
{
  if (InputChannel* channel = mInChannels.Get(idx)) channel->mLabel.Set(label);
}

void Vst2TestPlug::HandleParamChange(int paramIdx, bool /*fromStateRestore*/)
{
  mChanged.push_back(paramIdx);
  if (paramIdx == kGain) mGain = GetParam(kGain)->Value() == 0.0 ? 1.0 : 0.5;
}

void Vst2TestPlug::ProcessAudioDouble(double** inputs, double** outputs, int nFrames)
{
  const int n = NInChannels() < NOutChannels() ? NInChannels() : NOutChannels();
  for (int c = 0; c < n; ++c)
    for (int f = 0; f < nFrames; ++f) outputs[c][f] = inputs[c][f] * mGain;
}

void Vst2TestPlug::ProcessMidiIn(const MidiMessage& msg)
{
  mMidi.push_back(msg);
}

void Vst2TestPlug::ProcessSysExIn(const SysExMessage& msg)
{
  mSysEx.emplace_back(msg.mData, msg.mData + msg.mSize);
  mSysExOffsets.push_back(msg.mOffset);
}

bool Vst2TestPlug::GetMidiNoteName(int noteNumber, char* name, int nameSize)
{
  if (noteNumber != 60) return IPlugVST::GetMidiNoteName(noteNumber, name, nameSize);
  std::snprintf(name, size_t(nameSize), "%s", "Middle C");
  return true;
}

void Vst2TestPlug::OnActivate(bool active)
{
  mActivations.push_back(active);
}

AEffect* Vst2TestPlugMain(audioMasterCallback host)
{
  return Vst2CreateEffect(host, [](audioMasterCallback h) -> IPlugVST* {
    return new (std::nothrow) Vst2TestPlug(h);
  });
}

AEffect* Vst2TestPlugNoPresetsMain(audioMasterCallback host)
{
  return Vst2CreateEffect(host, [](audioMasterCallback h) -> IPlugVST* {
    return new (std::nothrow) Vst2TestPlug(h, "2-2", 0);
  });
}
