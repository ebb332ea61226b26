// The distortion effect through its VST2 entry, as a host sees it: the effect
// record, every opcode's result and buffer contents, parameters, program and
// bank chunks, and the audio callbacks. Runs natively (sanitizers watch every
// buffer) and under Wine against the shipped ZentikQX40.dll.

#include "tests/vst2/EffectFixture.h"

#include "tests/hosts/QuietStdout.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

using namespace zqhost;
using zqtest::EffectEntry;

namespace {

const VstIntPtr kBeef0000 = static_cast<VstIntPtr>(static_cast<VstInt32>(0xBEEF0000u));

std::unique_ptr<Vst2Host> NewEffect()
{
  std::unique_ptr<Vst2Host> host(new Vst2Host(EffectEntry()));
  EXPECT_TRUE(host->effect());
  return host;
}

double Double(const uint8_t* p)
{
  double d;
  std::memcpy(&d, p, sizeof d);
  return d;
}

std::vector<uint8_t> GetChunk(Vst2Host& host, bool bank)
{
  void* data = nullptr;
  const VstIntPtr size = host.dispatch(kEffGetChunk, bank ? 0 : 1, 0, &data);
  if (size <= 0 || !data)
    return {};
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + size);
}

VstIntPtr SetChunk(Vst2Host& host, bool bank, std::vector<uint8_t> bytes)
{
  return host.dispatch(kEffSetChunk, bank ? 0 : 1, static_cast<VstIntPtr>(bytes.size()), bytes.data());
}

} // namespace

TEST(Vst2Effect, RecordDescribesTheEffect)
{
  auto host = NewEffect();
  AEffect* e = host->effect();
  ASSERT_TRUE(e);
  EXPECT_EQ(e->magic, 0x56737450);
  EXPECT_EQ(e->numParams, 8);
  EXPECT_EQ(e->numPrograms, 1);
  EXPECT_EQ(e->numInputs, 2);
  EXPECT_EQ(e->numOutputs, 2);
  EXPECT_EQ(e->version, 10101);
  EXPECT_EQ(e->uniqueID, 0x51583430);   // 'QX40'
  EXPECT_EQ(e->initialDelay, 0);
  EXPECT_EQ(e->ioRatio, 1.0f);
  EXPECT_TRUE(e->object);
  EXPECT_TRUE(e->dispatcher && e->process && e->processReplacing && e->processDoubleReplacing &&
              e->setParameter && e->getParameter);
  // Replacing, double replacing, mono input and an editor of 410 x 460.
  EXPECT_EQ(e->flags, 0x1019);
  ERect* rect = nullptr;
  ASSERT_EQ(host->dispatch(kEffEditGetRect, 0, 0, &rect), 1);
  ASSERT_TRUE(rect);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 460);
  EXPECT_EQ(rect->right, 410);
}

TEST(Vst2Effect, OpcodeResultsAndTexts)
{
  auto host = NewEffect();
  ASSERT_TRUE(host->effect());
  host->start(44100.0, 512);

  struct Case
  {
    VstInt32 opcode, index;
    int bound;               // bytes the ABI lets the plug-in write
    VstIntPtr result;
    const char* text;
  };
  static const Case cases[] = {
    {kEffGetEffectName, 0, kVstMaxEffectNameLen, 1, "ZentikQX40"},
    {kEffGetVendorString, 0, kVstMaxVendorStrLen, 1, "Zentik"},
    {kEffGetProductString, 0, kVstMaxProductStrLen, 1, ""},
    {kEffGetParamName, 1, kVstExtMaxParamStrLen, 0, "Dist. Amount"},
    {kEffGetParamName, 4, kVstExtMaxParamStrLen, 0, "Analog Saturation"},
    {kEffGetParamName, 7, kVstExtMaxParamStrLen, 0, "Dry/Wet"},
    {kEffGetParamLabel, 1, kVstMaxParamStrLen, 0, ""},
    {kEffGetParamDisplay, 0, kVstMaxParamStrLen, 0, "off"},
    {kEffGetParamDisplay, 2, kVstMaxParamStrLen, 0, "25.0"},
    {kEffGetParamDisplay, 7, kVstMaxParamStrLen, 0, "100.0"},
    {kEffGetProgramName, 0, kVstMaxProgNameLen, 0, "-"},
    {kEffGetProgramNameIndexed, 0, kVstMaxProgNameLen, 1, "-"},
    {kEffGetProgramNameIndexed, 1, kVstMaxProgNameLen, 0, ""},
    {kEffGetProgramNameIndexed, -1, kVstMaxProgNameLen, 0, ""},
  };
  for (const Case& c : cases)
  {
    VstIntPtr result = -1;
    int written = 0;
    EXPECT_EQ(host->text(c.opcode, c.index, c.bound, &result, &written), c.text)
      << "opcode " << c.opcode << " index " << c.index;
    EXPECT_EQ(result, c.result) << "opcode " << c.opcode << " index " << c.index;
    EXPECT_LE(written, c.bound) << "opcode " << c.opcode << " index " << c.index;
  }

  // Out-of-range parameter texts write nothing.
  for (VstInt32 op : {kEffGetParamName, kEffGetParamLabel, kEffGetParamDisplay})
    for (VstInt32 index : {-1, 8})
    {
      int written = -1;
      host->text(op, index, 8, nullptr, &written);
      EXPECT_EQ(written, 0) << "opcode " << op << " index " << index;
    }

  struct Plain
  {
    VstInt32 opcode, index;
    VstIntPtr value;
    VstIntPtr result;
  };
  static const Plain plain[] = {
    {kEffIdentify, 0, 0, 0x4E764566},   {kEffGetVstVersion, 0, 0, 2400},
    {kEffGetVendorVersion, 0, 0, 10101}, {kEffGetPlugCategory, 0, 0, 1},
    {kEffCanBeAutomated, 3, 0, 1},      {kEffGetProgram, 0, 0, 0},
    {kEffGetTailSize, 0, 0, 0},          {kEffEditIdle, 0, 0, 0},
    {kEffIdle, 0, 0, 0},                 {kEffVendorSpecific, 8, 0, 0xBEEF},   // Bypass: bool
    {kEffVendorSpecific, 8, 1, 0},       // Dist. Amount: double
    {kEffVendorSpecific, 8, 8, 0},       {kEffVendorSpecific, 9, 0, 0},
    {kEffVendorSpecific, 7, 1, 0},       // null pointer
    {kEffProcessEvents, 0, 0, 0},        // null list
    {9, 0, 0, 0},                        {1000, 0, 0, 0},   // not handled
  };
  for (const Plain& p : plain)
    EXPECT_EQ(host->dispatch(p.opcode, p.index, p.value), p.result) << "opcode " << p.opcode;

  char display[64];
  std::memset(display, 0x7F, sizeof display);
  EXPECT_EQ(host->dispatch(kEffVendorSpecific, 7, 2, display, 0.5f), 0xBEEF);
  EXPECT_STREQ(display, "25.0");

  struct CanDo
  {
    const char* text;
    VstIntPtr result;
  };
  static const CanDo canDos[] = {
    {"receiveVstTimeInfo", 1},       {"sendVstEvents", 0},           {"receiveVstMidiEvent", 0},
    {"hasHostVendorExtensions", kBeef0000}, {"hasHostVendorViewAsConfig", kBeef0000},
    {"ReceiveVstTimeInfo", 0},       {"", 0},
  };
  for (const CanDo& c : canDos)
    EXPECT_EQ(host->dispatch(kEffCanDo, 0, 0, const_cast<char*>(c.text)), c.result) << c.text;
}

TEST(Vst2Effect, NullPointersAreRefused)
{
  auto host = NewEffect();
  ASSERT_TRUE(host->effect());
  for (VstInt32 op : {kEffSetProgramName, kEffGetProgramName, kEffGetParamLabel, kEffGetParamDisplay,
                      kEffGetParamName, kEffEditGetRect, kEffGetChunk, kEffSetChunk, kEffProcessEvents,
                      kEffGetProgramNameIndexed, kEffGetInputProperties, kEffGetOutputProperties,
                      kEffGetEffectName, kEffGetVendorString, kEffGetProductString, kEffCanDo,
                      kEffGetMidiKeyName})
    EXPECT_EQ(host->dispatch(op, 0, 72, nullptr), 0) << "opcode " << op;
  EXPECT_EQ(host->dispatch(kEffString2Parameter, 1, 0, nullptr), 1);
  EXPECT_EQ(host->dispatch(kEffGetSpeakerArrangement, 0, 0, nullptr), 1);
  // A null record is refused by every callback.
  EXPECT_EQ(host->effect()->dispatcher(nullptr, kEffIdentify, 0, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(host->effect()->getParameter(nullptr, 1), 0.0f);
}

TEST(Vst2Effect, PinsAndSpeakerArrangements)
{
  auto host = NewEffect();
  ASSERT_TRUE(host->effect());
  struct Pin
  {
    VstInt32 opcode, index;
    VstIntPtr result;
    VstInt32 flags;
    const char* label;
  };
  static const Pin pins[] = {
    {kEffGetInputProperties, 0, 1, 3, "Input 1"},   {kEffGetInputProperties, 1, 1, 1, "Input 2"},
    {kEffGetOutputProperties, 0, 1, 3, "Output 1"}, {kEffGetOutputProperties, 1, 1, 1, "Output 2"},
    {kEffGetInputProperties, 2, 0, 0, ""},          {kEffGetOutputProperties, -1, 0, 0, ""},
  };
  for (const Pin& p : pins)
  {
    VstPinProperties props;
    std::memset(&props, 0, sizeof props);
    EXPECT_EQ(host->dispatch(p.opcode, p.index, 0, &props), p.result) << p.label;
    EXPECT_EQ(props.flags, p.flags) << p.label;
    EXPECT_STREQ(props.label, p.label);
  }

  VstSpeakerArrangement* in = nullptr;
  VstSpeakerArrangement* out = nullptr;
  EXPECT_EQ(host->dispatch(kEffGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 1);
  ASSERT_TRUE(in && out);
  EXPECT_EQ(in->type, kSpeakerArrStereo);
  EXPECT_EQ(in->numChannels, 2);
  EXPECT_EQ(out->numChannels, 2);

  // Only layouts of "1-1 2-2" are taken.
  struct Layout
  {
    int in, out;
    VstIntPtr result;
  };
  static const Layout layouts[] = {{1, 1, 1}, {2, 2, 1}, {2, 1, 0}, {0, 2, 0}, {6, 6, 0}, {-1, 2, 0}};
  for (const Layout& l : layouts)
  {
    VstSpeakerArrangement a, b;
    std::memset(&a, 0, sizeof a);
    std::memset(&b, 0, sizeof b);
    a.numChannels = l.in;
    b.numChannels = l.out;
    EXPECT_EQ(host->dispatch(kEffSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&a), &b), l.result)
      << l.in << "-" << l.out;
  }
}

TEST(Vst2Effect, ParametersByIndexAndText)
{
  auto host = NewEffect();
  AEffect* e = host->effect();
  ASSERT_TRUE(e);
  host->start(44100.0, 512);

  EXPECT_EQ(e->getParameter(e, -1), 0.0f);
  EXPECT_EQ(e->getParameter(e, 8), 0.0f);
  EXPECT_EQ(e->getParameter(e, 2), 0.5f);   // Tone 25 of 100, shape 2

  e->setParameter(e, 1, 0.25f);
  EXPECT_EQ(e->getParameter(e, 1), 0.25f);
  e->setParameter(e, 8, 1.0f);   // ignored
  e->setParameter(e, -1, 1.0f);

  struct Text
  {
    VstInt32 index;
    const char* text;
    VstIntPtr result;
    float normalised;   // afterwards
  };
  static const Text texts[] = {
    {1, "150", 1, 1.0f},   // clamped to 100
    {1, "-5", 1, 0.0f},    {1, "25", 1, 0.5f},
    {7, "abc", 1, 0.0f},   // not a number reads as 0
    {8, "50", 0, 0.0f},
  };
  for (const Text& t : texts)
  {
    EXPECT_EQ(host->dispatch(kEffString2Parameter, t.index, 0, const_cast<char*>(t.text)), t.result)
      << t.text;
    EXPECT_EQ(e->getParameter(e, t.index), t.normalised) << t.text;
  }
}

TEST(Vst2Effect, ProgramChunkHoldsTheStateAndRoundTrips)
{
  auto host = NewEffect();
  ASSERT_TRUE(host->effect());
  host->start(44100.0, 512);

  const std::vector<uint8_t> chunk = GetChunk(*host, false);
  ASSERT_EQ(chunk.size(), 72u);
  const uint8_t header[8] = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  EXPECT_EQ(std::memcmp(chunk.data(), header, 8), 0);
  const double defaults[8] = {0.0, 0.0, 25.0, 25.0, 1.0, 1.0, 0.0, 100.0};
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(Double(&chunk[8 + 8 * i]), defaults[i]) << i;

  AEffect* e = host->effect();
  e->setParameter(e, 1, 0.75f);
  e->setParameter(e, 6, 1.0f);
  e->setParameter(e, 5, 0.0f);
  const std::vector<uint8_t> changed = GetChunk(*host, false);

  auto other = NewEffect();
  ASSERT_TRUE(other->effect());
  EXPECT_EQ(SetChunk(*other, false, changed), 1);
  EXPECT_EQ(GetChunk(*other, false), changed);
  EXPECT_EQ(other->effect()->getParameter(other->effect(), 1), 0.75f);

  // The bare state, without the header, is taken too.
  auto bare = NewEffect();
  EXPECT_EQ(SetChunk(*bare, false, std::vector<uint8_t>(changed.begin() + 8, changed.end())), 1);
  EXPECT_EQ(GetChunk(*bare, false), changed);

  // Every truncation is refused.
  for (size_t n = 1; n < changed.size(); ++n)
    EXPECT_EQ(SetChunk(*other, false, std::vector<uint8_t>(changed.begin(), changed.begin() + n)), 0) << n;
  // Extra bytes after the state are ignored.
  std::vector<uint8_t> longer = changed;
  longer.resize(longer.size() + 10, 0xAB);
  EXPECT_EQ(SetChunk(*other, false, longer), 1);
  EXPECT_EQ(GetChunk(*other, false), changed);
  // Sizes that are not positive copy nothing.
  EXPECT_EQ(other->dispatch(kEffSetChunk, 1, 0, longer.data()), 0);
  EXPECT_EQ(other->dispatch(kEffSetChunk, 1, -72, longer.data()), 0);
  EXPECT_EQ(GetChunk(*other, false), changed);
}

TEST(Vst2Effect, BankChunkHoldsThePresetAndRoundTrips)
{
  auto host = NewEffect();
  ASSERT_TRUE(host->effect());
  host->start(44100.0, 512);

  std::vector<uint8_t> bank = GetChunk(*host, true);
  ASSERT_EQ(bank.size(), 78u);
  EXPECT_EQ(bank[8], 1);   // name length
  EXPECT_EQ(bank[12], '-');
  EXPECT_EQ(bank[13], 1);  // initialised
  EXPECT_EQ(Double(&bank[14 + 8 * 7]), 100.0);

  // A renamed program and changed values travel with the bank.
  char name[] = "Crunchy 9";
  EXPECT_EQ(host->dispatch(kEffSetProgramName, 0, 0, name), 0);
  AEffect* e = host->effect();
  e->setParameter(e, 3, 0.25f);
  bank = GetChunk(*host, true);
  ASSERT_EQ(bank.size(), 86u);
  EXPECT_EQ(bank[8], 9);
  EXPECT_EQ(std::string(bank.begin() + 12, bank.begin() + 21), "Crunchy 9");

  auto other = NewEffect();
  ASSERT_TRUE(other->effect());
  EXPECT_EQ(SetChunk(*other, true, bank), 1);
  EXPECT_EQ(GetChunk(*other, true), bank);
  EXPECT_EQ(other->text(kEffGetProgramName, 0, kVstMaxProgNameLen), "Crunchy 9");
  EXPECT_EQ(other->effect()->getParameter(other->effect(), 3), 0.25f);

  for (size_t n = 1; n < bank.size(); ++n)
    EXPECT_EQ(SetChunk(*other, true, std::vector<uint8_t>(bank.begin(), bank.begin() + n)), 0) << n;
  // The current preset is restored after each: the last full load stands.
  EXPECT_EQ(SetChunk(*other, true, bank), 1);
  EXPECT_EQ(GetChunk(*other, true), bank);

  // A bank of an older version is read as one program's state.
  std::vector<uint8_t> old = GetChunk(*host, false);
  old[4] = 0xFF;
  old[5] = 0xFF;
  old[6] = 0x00;
  auto third = NewEffect();
  EXPECT_EQ(SetChunk(*third, true, old), 1);
  EXPECT_EQ(third->effect()->getParameter(third->effect(), 3), 0.25f);
}

TEST(Vst2Effect, ProcessAddsAndReplacingOverwrites)
{
  // Hiss off: its noise is seeded from the clock.
  auto make = [](std::unique_ptr<Vst2Host>& host) {
    host = NewEffect();
    AEffect* e = host->effect();
    host->start(44100.0, 256);
    e->setParameter(e, 5, 0.0f);
    e->setParameter(e, 1, 0.5f);
    return e;
  };
  std::unique_ptr<Vst2Host> a, b;
  AEffect* ea = make(a);
  AEffect* eb = make(b);
  ASSERT_TRUE(ea && eb);

  const int n = 200;
  std::vector<float> inL(n), inR(n), outA[2], outB[2];
  for (int i = 0; i < n; ++i)
  {
    inL[static_cast<size_t>(i)] = 0.4f * std::sin(0.05f * static_cast<float>(i));
    inR[static_cast<size_t>(i)] = 0.3f * std::cos(0.07f * static_cast<float>(i));
  }
  for (int c = 0; c < 2; ++c)
  {
    outA[c].assign(n, 0.125f);
    outB[c].assign(n, 0.125f);
  }
  float* ins[2] = {inL.data(), inR.data()};
  float* pa[2] = {outA[0].data(), outA[1].data()};
  float* pb[2] = {outB[0].data(), outB[1].data()};
  {
    QuietStdout quiet;
    ea->processReplacing(ea, ins, pa, n);
    eb->process(eb, ins, pb, n);
  }
  double energy = 0.0;
  for (int c = 0; c < 2; ++c)
    for (size_t i = 0; i < static_cast<size_t>(n); ++i)
    {
      EXPECT_EQ(outB[c][i], outA[c][i] + 0.125f) << c << ":" << i;
      energy += outA[c][i] * outA[c][i];
    }
  EXPECT_GT(energy, 0.0);
}

namespace {

// One block of `n` frames, the same input on both channels, through the
// float or the double replacing callback; the left output comes back.
std::vector<double> Block(AEffect* e, const std::vector<double>& in, bool use64)
{
  const size_t n = in.size();
  std::vector<double> out(n, 5.0);
  if (use64)
  {
    std::vector<double> l = in, r = in, ol(n), orr(n);
    double* ins[2] = {l.data(), r.data()};
    double* outs[2] = {ol.data(), orr.data()};
    e->processDoubleReplacing(e, ins, outs, static_cast<VstInt32>(n));
    out = ol;
  }
  else
  {
    std::vector<float> l(in.begin(), in.end()), r = l, ol(n), orr(n);
    float* ins[2] = {l.data(), r.data()};
    float* outs[2] = {ol.data(), orr.data()};
    QuietStdout quiet;
    e->processReplacing(e, ins, outs, static_cast<VstInt32>(n));
    out.assign(ol.begin(), ol.end());
  }
  return out;
}

std::vector<double> Sine(size_t n, size_t start)
{
  std::vector<double> v(n);
  for (size_t i = 0; i < n; ++i)
    v[i] = 0.4 * std::sin(0.05 * static_cast<double>(start + i));
  return v;
}

} // namespace

TEST(Vst2Effect, BadValuesAndSamplesFromTheHost)
{
  const float nanF = std::numeric_limits<float>::quiet_NaN();
  const float infF = std::numeric_limits<float>::infinity();
  auto host = NewEffect();
  AEffect* e = host->effect();
  ASSERT_TRUE(e);
  host->start(44100.0, 256);

  // Normalised values outside [0, 1] are their nearest end; a NaN is ignored.
  struct Value
  {
    VstInt32 index;
    float value, normalised;
    const char* display;
    double stored;
  };
  static const Value values[] = {
    {1, -1.0f, 0.0f, "0.0", 0.0},   {1, 2.0f, 1.0f, "100.0", 100.0}, {1, nanF, 1.0f, "100.0", 100.0},
    {7, -1.0f, 0.0f, "0.0", 0.0},   {7, -infF, 0.0f, "0.0", 0.0},    {7, infF, 1.0f, "100.0", 100.0},
    {2, -0.5f, 0.0f, "0.0", 0.0},   {0, -1.0f, 0.0f, "off", 0.0},    {0, 7.0f, 1.0f, "on", 1.0},
  };
  for (const Value& v : values)
  {
    e->setParameter(e, v.index, v.value);
    EXPECT_EQ(e->getParameter(e, v.index), v.normalised) << v.index << " " << v.value;
    EXPECT_EQ(host->text(kEffGetParamDisplay, v.index, kVstMaxParamStrLen), v.display) << v.index << " " << v.value;
    const std::vector<uint8_t> chunk = GetChunk(*host, false);
    ASSERT_EQ(chunk.size(), 72u);
    EXPECT_EQ(Double(&chunk[8 + 8 * static_cast<size_t>(v.index)]), v.stored) << v.index << " " << v.value;
  }

  // A display of a host's value shows the value the parameter would take.
  struct Shown
  {
    VstInt32 index;
    float opt;
    const char* text;
  };
  static const Shown shown[] = {
    {1, -1.0f, "0.0"}, {1, 2.0f, "100.0"}, {1, nanF, "0.0"}, {7, -infF, "0.0"},
    {2, 0.5f, "25.0"}, {0, 3.0f, "on"},    {0, -1.0f, "off"},
  };
  for (const Shown& c : shown)
  {
    char display[64];
    std::memset(display, 0x7F, sizeof display);
    EXPECT_EQ(host->dispatch(kEffVendorSpecific, 7, c.index, display, c.opt), 0xBEEF);
    EXPECT_STREQ(display, c.text) << c.index << " " << c.opt;
  }

  // A NaN or an infinity in the input never sticks: the output is finite
  // from the next sample on, in both sample sizes (hiss off, driven).
  struct Sample
  {
    double bad;
    bool use64;
  };
  for (const Sample s : {Sample {std::nan(""), false}, Sample {INFINITY, false}, Sample {-INFINITY, true},
                         Sample {std::nan(""), true}})
  {
    auto fresh = NewEffect();
    AEffect* f = fresh->effect();
    ASSERT_TRUE(f);
    fresh->start(44100.0, 256);
    f->setParameter(f, 5, 0.0f);
    f->setParameter(f, 1, 0.6f);
    std::vector<double> in = Sine(256, 0);
    in[100] = s.bad;
    const std::vector<double> first = Block(f, in, s.use64);
    for (size_t i = 101; i < first.size(); ++i)
      ASSERT_TRUE(std::isfinite(first[i])) << s.bad << " at " << i;
    double energy = 0.0;
    for (size_t k = 1; k < 8; ++k)
      for (double x : Block(f, Sine(256, 256 * k), s.use64))
      {
        ASSERT_TRUE(std::isfinite(x)) << s.bad << " block " << k;
        energy += x * x;
      }
    EXPECT_GT(energy, 1.0) << s.bad;
  }

  // A block size below 1 is ignored: blocks are still processed.
  host->dispatch(kEffMainsChanged, 0, 0);
  host->dispatch(kEffSetBlockSize, 0, 0);
  host->dispatch(kEffSetBlockSize, 0, -64);
  host->dispatch(kEffMainsChanged, 0, 1);
  e->setParameter(e, 7, 1.0f);
  double energy = 0.0;
  for (double x : Block(e, Sine(256, 0), false))
    energy += x * x;
  EXPECT_GT(energy, 1.0);
}

TEST(Vst2Effect, SetChunkLeavesTheHandedOutChunkAlone)
{
  auto host = NewEffect();
  AEffect* e = host->effect();
  ASSERT_TRUE(e);
  e->setParameter(e, 3, 0.8f);
  for (bool bank : {false, true})
  {
    void* data = nullptr;
    const VstIntPtr size = host->dispatch(kEffGetChunk, bank ? 0 : 1, 0, &data);
    ASSERT_GT(size, 0);
    const uint8_t* handedOut = static_cast<const uint8_t*>(data);
    const std::vector<uint8_t> copy(handedOut, handedOut + size);

    // Valid until the next get-chunk, even across a far larger set-chunk.
    std::vector<uint8_t> larger = copy;
    larger.resize(larger.size() + 100000, 0);
    EXPECT_EQ(SetChunk(*host, bank, larger), 1) << bank;
    EXPECT_EQ(std::memcmp(handedOut, copy.data(), copy.size()), 0) << bank;
    // The host may hand the very bytes back.
    EXPECT_EQ(host->dispatch(kEffSetChunk, bank ? 0 : 1, size, data), 1) << bank;
    EXPECT_EQ(GetChunk(*host, bank), copy) << bank;
  }
}

// A full-scale square wave at the largest float, Dry/Wet 0 and hiss off: the
// oversampling filters overshoot beyond the float range, and the float
// callbacks, replacing and adding, saturate at the largest float instead of
// giving infinity.
TEST(Vst2Effect, FullScaleFloatInputLeavesFinite)
{
  for (bool adding : {false, true})
  {
    auto host = NewEffect();
    AEffect* e = host->effect();
    ASSERT_TRUE(e);
    host->start(44100.0, 64);
    e->setParameter(e, 5, 0.0f);
    e->setParameter(e, 7, 0.0f);
    size_t atMax = 0;
    QuietStdout quiet;
    for (size_t k = 0; k < 16; ++k)
    {
      std::vector<float> in(64), outL(64, 0.0f), outR(64, 0.0f);
      for (size_t i = 0; i < 64; ++i)
        in[i] = ((64 * k + i) / 8) % 2 ? -FLT_MAX : FLT_MAX;
      float* ins[2] = {in.data(), in.data()};
      float* outs[2] = {outL.data(), outR.data()};
      if (adding)
        e->process(e, ins, outs, 64);
      else
        e->processReplacing(e, ins, outs, 64);
      for (const std::vector<float>* channel : {&outL, &outR})
        for (float y : *channel)
        {
          ASSERT_TRUE(std::isfinite(y)) << adding << " block " << k;
          atMax += std::fabs(y) == FLT_MAX;
        }
    }
    EXPECT_GT(atMax, 0u) << adding;   // the filters did overshoot
  }
}
