// The VST2 adapter against a test plug-in that does chunks and MIDI and is an
// instrument: the record, dispatcher paths the effect does not take, the bank
// format's edge cases, and every host call the adapter makes.

#include "tests/vst2/testplug/Vst2TestPlug.h"

#include "formats/vst2/Vst2Module.h"

#include "tests/hosts/QuietStdout.h"
#include "tests/support/IGraphicsHeadless.h"
#include "tests/hosts/Vst2Host.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace zqhost;

namespace {

Vst2TestPlug* Plug(Vst2Host& host)
{
  return static_cast<Vst2TestPlug*>(static_cast<IPlugVST*>(host.effect()->object));
}

struct Vst2Adapter : ::testing::Test
{
  Vst2Adapter() : host(Vst2TestPlugMain) { plug = host.effect() ? Plug(host) : nullptr; }
  Vst2Host host;
  Vst2TestPlug* plug;
};

void PutInt(std::vector<uint8_t>& v, int x)
{
  for (int i = 0; i < 4; ++i)
    v.push_back(static_cast<uint8_t>(static_cast<unsigned>(x) >> (8 * i)));
}

void PutDouble(std::vector<uint8_t>& v, double d)
{
  uint8_t b[8];
  std::memcpy(b, &d, 8);
  v.insert(v.end(), b, b + 8);
}

// Bank header, then presets as (name, values or none).
std::vector<uint8_t> Bank(const std::vector<std::pair<std::string, std::vector<double>>>& presets)
{
  std::vector<uint8_t> v;
  PutInt(v, 0x70666674);
  PutInt(v, 0x00010000);
  for (const auto& p : presets)
  {
    PutInt(v, static_cast<int>(p.first.size()));
    v.insert(v.end(), p.first.begin(), p.first.end());
    v.push_back(p.second.empty() ? 0 : 1);
    for (double d : p.second)
      PutDouble(v, d);
  }
  return v;
}

VstIntPtr SetBank(Vst2Host& host, std::vector<uint8_t> bytes)
{
  return host.dispatch(kEffSetChunk, 0, static_cast<VstIntPtr>(bytes.size()), bytes.data());
}

} // namespace

TEST_F(Vst2Adapter, RecordOfAChunkingInstrument)
{
  ASSERT_TRUE(plug);
  AEffect* e = host.effect();
  EXPECT_EQ(e->flags, 0x10 | 0x1000 | 0x20 | 0x100);   // no mono input in "2-2 4-4"
  EXPECT_EQ(e->numInputs, 4);
  EXPECT_EQ(e->numOutputs, 4);
  EXPECT_EQ(e->numPrograms, 3);
  EXPECT_EQ(e->version, 20304);
  EXPECT_EQ(host.dispatch(kEffGetPlugCategory), 2);
  // Presets never set take the default name.
  EXPECT_EQ(host.text(kEffGetProgramNameIndexed, 0, kVstMaxProgNameLen), "first");
  EXPECT_EQ(host.text(kEffGetProgramNameIndexed, 2, kVstMaxProgNameLen), "Empty");

  Vst2Host none(Vst2TestPlugNoPresetsMain);
  ASSERT_TRUE(none.effect());
  EXPECT_EQ(none.effect()->numPrograms, 1);
  // A failing creation gives the host null.
  Vst2Host failed([](audioMasterCallback h) -> AEffect* {
    return Vst2CreateEffect(h, [](audioMasterCallback) -> IPlugVST* { return nullptr; });
  });
  EXPECT_FALSE(failed.effect());
}

TEST_F(Vst2Adapter, OpenAnnouncesParametersAndIdentifiesTheHost)
{
  ASSERT_TRUE(plug);
  host.productName = "Forte 4";
  host.vendorVersion = 2400;
  plug->mChanged.clear();
  host.dispatch(kEffOpen);
  EXPECT_EQ(plug->mChanged, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(plug->GetHostKind(), kHostForte);
  EXPECT_EQ(plug->GetHostVersion(), 0x00001800);
  EXPECT_EQ(plug->mAdapterInitialized, 1);
  // Forte gets a stereo pair of inputs and every output.
  EXPECT_TRUE(plug->IsInChannelConnected(1));
  EXPECT_FALSE(plug->IsInChannelConnected(2));
  EXPECT_TRUE(plug->IsOutChannelConnected(3));
  // The host is asked once.
  host.dispatch(kEffOpen);
  EXPECT_EQ(host.calls(kAudioMasterGetProductString).size(), 1u);
  EXPECT_EQ(host.calls(kAudioMasterGetVendorVersion).size(), 1u);
  EXPECT_EQ(plug->mAdapterInitialized, 1);

  struct Version
  {
    VstIntPtr decimal;
    int packed;
  };
  for (const Version& v : {Version{10203, 0x010203}, Version{2400, 0x1800}, Version{0, 0}})
  {
    Vst2Host other(Vst2TestPlugMain);
    other.vendorVersion = v.decimal;
    EXPECT_EQ(Plug(other)->GetHostKind(), kHostNoMatch);
    EXPECT_EQ(Plug(other)->GetHostVersion(), v.packed) << v.decimal;
  }
  Vst2Host nameless(Vst2TestPlugMain);
  nameless.productName = "";
  Plug(nameless)->GetHostKind();
  EXPECT_EQ(Plug(nameless)->GetHostVersion(), 0);
  EXPECT_TRUE(nameless.calls(kAudioMasterGetVendorVersion).empty());
}

TEST_F(Vst2Adapter, EditsAndDisplayReachTheHost)
{
  ASSERT_TRUE(plug);
  plug->BeginInformHostOfParamChange(1);
  plug->SetParameterFromGUI(1, 0.75);
  plug->EndInformHostOfParamChange(1);
  plug->InformHostOfDisplayChange();
  ASSERT_EQ(host.calls(kAudioMasterBeginEdit).size(), 1u);
  EXPECT_EQ(host.calls(kAudioMasterBeginEdit)[0].index, 1);
  ASSERT_EQ(host.calls(kAudioMasterAutomate).size(), 1u);
  EXPECT_EQ(host.calls(kAudioMasterAutomate)[0].index, 1);
  EXPECT_EQ(host.calls(kAudioMasterAutomate)[0].opt, 0.75f);
  EXPECT_EQ(host.calls(kAudioMasterEndEdit).size(), 1u);
  EXPECT_EQ(host.calls(kAudioMasterUpdateDisplay).size(), 1u);

  EXPECT_FALSE(plug->IsRenderingOffline());
  host.processLevel = 4;
  EXPECT_TRUE(plug->IsRenderingOffline());
}

TEST_F(Vst2Adapter, TimeInformation)
{
  ASSERT_TRUE(plug);
  host.timeInfo.samplePos = 99.6;
  host.timeInfo.tempo = 133.0;
  host.timeInfo.timeSigNumerator = 7;
  host.timeInfo.timeSigDenominator = 8;
  host.timeInfo.ppqPos = 3.5;
  host.timeInfo.flags = kVstTransportPlaying | kVstTempoValid | kVstTimeSigValid | kVstPpqPosValid;
  EXPECT_EQ(plug->GetSamplePosition(), 100);
  EXPECT_EQ(plug->GetTempo(), 133.0);
  int num = -1, den = -1;
  plug->GetTimeSignature(num, den);
  EXPECT_EQ(num, 7);
  EXPECT_EQ(den, 8);
  TransportInfo info;
  plug->GetTransportInfo(info);
  EXPECT_EQ(info.mSamplePos, 99.6);
  EXPECT_EQ(info.mPPQPos, 3.5);
  EXPECT_EQ(info.mTempo, 133.0);
  EXPECT_EQ(info.mNumerator, 7);
  EXPECT_TRUE(info.mTransportIsRunning);
  EXPECT_FALSE(info.mTransportLoopEnabled);
  EXPECT_EQ(host.calls(kAudioMasterGetTime).back().value, 0x3E00);

  // Flags clear: neutral values, and a transport record left as it was.
  host.timeInfo.flags = kVstTransportPlaying;
  host.timeInfo.samplePos = -5.0;
  EXPECT_EQ(plug->GetTempo(), 0.0);
  EXPECT_EQ(plug->GetSamplePosition(), 0);
  plug->GetTimeSignature(num, den);
  EXPECT_EQ(num, 0);
  EXPECT_EQ(den, 0);
  TransportInfo untouched;
  untouched.mTempo = 77.0;
  plug->GetTransportInfo(untouched);
  EXPECT_EQ(untouched.mTempo, 77.0);
  EXPECT_FALSE(untouched.mTransportIsRunning);

  host.timeAvailable = false;
  EXPECT_EQ(plug->GetTempo(), 0.0);
  EXPECT_EQ(plug->GetSamplePosition(), 0);
}

TEST_F(Vst2Adapter, MidiInAndOut)
{
  ASSERT_TRUE(plug);
  VstMidiEvent note;
  std::memset(&note, 0, sizeof note);
  note.type = kVstMidiType;
  note.byteSize = sizeof note;
  note.deltaFrames = 17;
  note.midiData[0] = static_cast<char>(0x90);
  note.midiData[1] = 60;
  note.midiData[2] = 100;
  char dump[] = {static_cast<char>(0xF0), 1, 2, static_cast<char>(0xF7)};
  VstMidiSysexEvent sysex;
  std::memset(&sysex, 0, sizeof sysex);
  sysex.type = kVstSysExType;
  sysex.deltaFrames = 5;
  sysex.dumpBytes = 4;
  sysex.sysexDump = dump;
  VstEvent other;
  std::memset(&other, 0, sizeof other);
  other.type = 3;
  struct
  {
    VstInt32 numEvents;
    VstIntPtr reserved;
    VstEvent* events[4];
  } list = {4, 0, {reinterpret_cast<VstEvent*>(&note), nullptr, &other, reinterpret_cast<VstEvent*>(&sysex)}};
  EXPECT_EQ(host.dispatch(kEffProcessEvents, 0, 0, &list), 1);
  ASSERT_EQ(plug->mMidi.size(), 1u);
  EXPECT_EQ(plug->mMidi[0].mOffset, 17);
  EXPECT_EQ(plug->mMidi[0].mStatus, 0x90);
  EXPECT_EQ(plug->mMidi[0].mData1, 60);
  EXPECT_EQ(plug->mMidi[0].mData2, 100);
  ASSERT_EQ(plug->mSysEx.size(), 1u);
  EXPECT_EQ(plug->mSysEx[0], (std::vector<uint8_t>{0xF0, 1, 2, 0xF7}));
  EXPECT_EQ(plug->mSysExOffsets[0], 5);

  MidiMessage out;
  out.MakeNoteOn(64, 90, 33);
  EXPECT_TRUE(plug->SendMidiOut(out));
  ASSERT_EQ(host.sentEvents.size(), 1u);
  VstMidiEvent sent;
  std::memcpy(&sent, host.sentEvents[0].data(), sizeof sent);
  EXPECT_EQ(sent.type, kVstMidiType);
  EXPECT_EQ(sent.byteSize, 32);
  EXPECT_EQ(sent.deltaFrames, 33);
  EXPECT_EQ(static_cast<uint8_t>(sent.midiData[0]), 0x90);
  EXPECT_EQ(sent.midiData[1], 64);
  EXPECT_EQ(sent.midiData[2], 90);
  SysExMessage sx;
  sx.mOffset = 2;
  sx.mSize = 4;
  sx.mData = reinterpret_cast<const uint8_t*>(dump);
  host.processEventsAnswer = 0;
  EXPECT_FALSE(plug->SendSysExOut(sx));
  ASSERT_EQ(host.sentEvents.size(), 2u);
  EXPECT_EQ(host.sentEvents[1][0], kVstSysExType);

  // A plug-in doing MIDI asks for it with every block.
  host.dispatch(kEffSetBlockSize, 0, 64);
  float buf[4][16] = {};
  float* ptrs[4] = {buf[0], buf[1], buf[2], buf[3]};
  {
    QuietStdout quiet;
    host.effect()->processReplacing(host.effect(), ptrs, ptrs, 16);
    host.effect()->processReplacing(host.effect(), ptrs, ptrs, 16);
  }
  EXPECT_EQ(host.calls(kAudioMasterWantMidi).size(), 2u);

  for (const char* canDo : {"sendVstEvents", "sendVstMidiEvent", "receiveVstEvents", "receiveVstMidiEvent"})
    EXPECT_EQ(host.dispatch(kEffCanDo, 0, 0, const_cast<char*>(canDo)), 1) << canDo;

  MidiKeyName key;
  std::memset(&key, 0x7F, sizeof key);
  key.thisKeyNumber = 60;
  EXPECT_EQ(host.dispatch(kEffGetMidiKeyName, 0, 0, &key), 1);
  EXPECT_STREQ(key.keyName, "Middle C");
  key.thisKeyNumber = 61;
  EXPECT_EQ(host.dispatch(kEffGetMidiKeyName, 0, 0, &key), 0);
  EXPECT_STREQ(key.keyName, "");
}

// An editor that records the values the plug-in pushes into it.
struct PushRecordingGraphics : IGraphicsHeadless
{
  using IGraphicsHeadless::IGraphicsHeadless;
  void SetParameterFromPlug(int idx, double value, bool normalised) override
  {
    pushes.push_back({idx, value, normalised});
  }
  struct Push { int idx; double value; bool normalised; };
  std::vector<Push> pushes;
};

// Text from the host reaches the editor as the value the parameter takes:
// limited to its range, a NaN as the default (Gain: -24 to 24 dB, default 0,
// shown negated).
TEST_F(Vst2Adapter, TextValuesReachTheEditorAsTheValueTaken)
{
  ASSERT_TRUE(plug);
  auto* gui = new PushRecordingGraphics(plug, 100, 100);
  plug->AttachGraphics(gui);
  struct Case { const char* text; double value; };
  for (Case c : {Case {"6", -6.0}, Case {"nan", 0.0}, Case {"-100", 24.0}, Case {"100", -24.0}})
  {
    plug->GetParam(Vst2TestPlug::kGain)->Set(12.0);
    gui->pushes.clear();
    char text[16];
    std::strcpy(text, c.text);
    EXPECT_EQ(host.dispatch(kEffString2Parameter, Vst2TestPlug::kGain, 0, text), 1) << c.text;
    EXPECT_EQ(plug->GetParam(Vst2TestPlug::kGain)->Value(), c.value) << c.text;
    ASSERT_EQ(gui->pushes.size(), 1u) << c.text;
    EXPECT_EQ(gui->pushes[0].idx, Vst2TestPlug::kGain) << c.text;
    EXPECT_EQ(gui->pushes[0].value, c.value) << c.text;
    EXPECT_FALSE(gui->pushes[0].normalised) << c.text;
  }
}

TEST_F(Vst2Adapter, ParameterTextsPinsAndArrangements)
{
  ASSERT_TRUE(plug);
  char saw[] = "Saw", triangle[] = "Triangle", six[] = "6";
  EXPECT_EQ(host.dispatch(kEffString2Parameter, Vst2TestPlug::kWave, 0, saw), 1);
  EXPECT_EQ(plug->GetParam(Vst2TestPlug::kWave)->Value(), 1.0);
  EXPECT_EQ(host.dispatch(kEffString2Parameter, Vst2TestPlug::kWave, 0, triangle), 0);
  EXPECT_EQ(plug->GetParam(Vst2TestPlug::kWave)->Value(), 1.0);
  EXPECT_EQ(host.text(kEffGetParamDisplay, Vst2TestPlug::kWave, kVstMaxParamStrLen), "Saw");
  EXPECT_EQ(host.dispatch(kEffString2Parameter, Vst2TestPlug::kGain, 0, six), 1);
  EXPECT_EQ(plug->GetParam(Vst2TestPlug::kGain)->Value(), -6.0);
  EXPECT_EQ(host.text(kEffGetParamLabel, Vst2TestPlug::kGain, kVstMaxParamStrLen), "dB");

  // Texts longer than the host's field are cut, never written past it.
  int written = 0;
  EXPECT_EQ(host.text(kEffGetParamName, Vst2TestPlug::kOn, kVstExtMaxParamStrLen, nullptr, &written),
            "A rather long parameter name");
  EXPECT_LE(written, kVstExtMaxParamStrLen);
  EXPECT_EQ(host.text(kEffGetVendorString, 0, kVstMaxVendorStrLen), "Zq Test Maker");

  EXPECT_EQ(host.dispatch(kEffVendorSpecific, 8, Vst2TestPlug::kOn), 0xBEEF);
  EXPECT_EQ(host.dispatch(kEffVendorSpecific, 8, Vst2TestPlug::kWave), 0);

  plug->SetInputLabel(0, "Left");
  struct Pin
  {
    VstInt32 index, flags;
    const char* label;
  };
  for (const Pin& p : {Pin{0, 3, "Left"}, Pin{1, 1, "Input 2"}, Pin{2, 3, "Input 3"}, Pin{3, 1, "Input 4"}})
  {
    VstPinProperties props = {};
    EXPECT_EQ(host.dispatch(kEffGetInputProperties, p.index, 0, &props), 1);
    EXPECT_EQ(props.flags, p.flags) << p.index;
    EXPECT_STREQ(props.label, p.label);
  }

  VstSpeakerArrangement in = {}, out = {};
  in.numChannels = out.numChannels = 2;
  EXPECT_EQ(host.dispatch(kEffSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 1);
  EXPECT_TRUE(plug->IsInChannelConnected(1));
  EXPECT_FALSE(plug->IsInChannelConnected(2));
  EXPECT_FALSE(plug->IsOutChannelConnected(2));
  in.numChannels = out.numChannels = 4;
  EXPECT_EQ(host.dispatch(kEffSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 1);
  EXPECT_TRUE(plug->IsInChannelConnected(3));
  in.numChannels = out.numChannels = 1;
  EXPECT_EQ(host.dispatch(kEffSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 0);
  EXPECT_TRUE(plug->IsInChannelConnected(3));
}

TEST_F(Vst2Adapter, ProgramsAndActivation)
{
  ASSERT_TRUE(plug);
  host.dispatch(kEffMainsChanged, 0, 1);
  host.dispatch(kEffMainsChanged, 0, 0);
  EXPECT_EQ(plug->mActivations, (std::vector<bool>{true, false}));

  // A chunking plug-in's current preset is not overwritten by a switch.
  plug->GetParam(Vst2TestPlug::kGain)->Set(12.0);
  host.dispatch(kEffSetProgram, 0, 2);
  EXPECT_EQ(host.dispatch(kEffGetProgram), 2);
  host.dispatch(kEffSetProgram, 0, 0);
  EXPECT_EQ(plug->GetParam(Vst2TestPlug::kGain)->Value(), 0.0);
  host.dispatch(kEffSetProgram, 0, 7);   // no such program
  EXPECT_EQ(host.dispatch(kEffGetProgram), 0);

  // A long name is cut to the preset's field; the host reads its own size.
  std::string longName(300, 'n');
  host.dispatch(kEffSetProgramName, 0, 0, &longName[0]);
  EXPECT_EQ(std::strlen(plug->GetPresetName(0)), 255u);
  int written = 0;
  EXPECT_EQ(host.text(kEffGetProgramName, 0, kVstMaxProgNameLen, nullptr, &written), std::string(23, 'n'));
  EXPECT_EQ(written, kVstMaxProgNameLen);
}

TEST_F(Vst2Adapter, BankEdgeCases)
{
  ASSERT_TRUE(plug);
  // Three presets: an empty name, an uninitialised one, a name longer than the field.
  const std::string longName(300, 'x');
  std::vector<uint8_t> bank =
    Bank({{"", {6.0, 2.0, 0.0}}, {"skip", {}}, {longName, {-12.0, 1.0, 1.0}}});
  EXPECT_EQ(SetBank(host, bank), 1);
  EXPECT_STREQ(plug->GetPresetName(0), "");
  EXPECT_STREQ(plug->GetPresetName(1), "skip");
  EXPECT_EQ(std::string(plug->GetPresetName(2)), std::string(255, 'x'));
  // The current preset (0) is restored from what was read.
  EXPECT_EQ(plug->GetParam(Vst2TestPlug::kGain)->Value(), 6.0);
  EXPECT_EQ(plug->GetParam(Vst2TestPlug::kWave)->Value(), 2.0);

  // A bank that ends inside the second preset: the first keeps its new state.
  std::vector<uint8_t> shortBank = Bank({{"one", {3.0, 1.0, 1.0}}, {"two", {4.0, 0.0, 1.0}}});
  shortBank.resize(shortBank.size() - 5);
  EXPECT_EQ(SetBank(host, shortBank), 0);
  EXPECT_STREQ(plug->GetPresetName(0), "one");
  EXPECT_STREQ(plug->GetPresetName(1), "two");
  EXPECT_EQ(plug->GetParam(Vst2TestPlug::kGain)->Value(), 3.0);

  // A negative or oversized name length reads nothing outside the chunk.
  for (int length : {-1, -100000, 0x7FFFFFF0})
  {
    std::vector<uint8_t> bad;
    PutInt(bad, 0x70666674);
    PutInt(bad, 0x00010000);
    PutInt(bad, length);
    bad.push_back('a');
    EXPECT_EQ(SetBank(host, bad), 0) << length;
  }

  // The bank this plug-in writes reads back byte for byte.
  void* data = nullptr;
  const VstIntPtr size = host.dispatch(kEffGetChunk, 0, 0, &data);
  ASSERT_GT(size, 0);
  const std::vector<uint8_t> saved(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
  Vst2Host other(Vst2TestPlugMain);
  EXPECT_EQ(SetBank(other, saved), 1);
  data = nullptr;
  const VstIntPtr size2 = other.dispatch(kEffGetChunk, 0, 0, &data);
  ASSERT_EQ(size2, size);
  EXPECT_EQ(std::memcmp(data, saved.data(), saved.size()), 0);
}
