// The VST3 adapter through a real library under Wine: the test plug-ins of
// ZqTestPlug.vst3 in the shapes the distortion effect lacks (instrument with
// MIDI, side-chain, parameter groups, latency, edits reported to the host).

#include "tests/hosts/HostClasses.h"
#include "tests/hosts/PluginInstance.h"
#include "tests/hosts/PluginModule.h"
#include "tests/hosts/QuietStdout.h"

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/ivstunits.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>

using namespace zqhost;

namespace {

enum TestClass { kGain = 0, kSynth = 1, kSide = 2, kSeven = 3 };

const ParamID kBypass = 0x62706173;   // 'bpas'
const ParamID kPreset = 0x70727374;   // 'prst'

// One loaded library with one initialised instance of a test class.
struct Loaded
{
  explicit Loaded(TestClass which, const char* hostName = "vst3host")
  : host(hostName)
  {
    std::string error;
    module = PluginModule::load(ZQ_TESTPLUG_PATH, error);
    if (!module)
    {
      ADD_FAILURE() << error;
      return;
    }
    TUID cid = {};
    std::memcpy(cid, "ZQ-TESTPLUG-", 12);
    cid[12] = static_cast<int8>('0' + which);
    plug = PluginInstance::create(module->factory(), cid, error);
    if (!plug)
    {
      ADD_FAILURE() << error;
      return;
    }
    EXPECT_EQ(plug->initialize(&host, &handler), kResultOk);
  }
  ~Loaded()
  {
    if (plug)
      plug->terminate();
    plug.reset();
  }
  bool ok() const { return plug != nullptr; }
  // Set up for processing (64-bit unless asked otherwise) and started.
  bool running(double rate, int32 maxBlock, int32 sampleSize = kSample64,
               int32 mode = kRealtime)
  {
    return ok() && plug->setup(rate, maxBlock, sampleSize, mode) == kResultOk &&
           plug->start() == kResultOk;
  }

  ParameterInfo info(ParamID id)
  {
    ParameterInfo pi = {};
    for (int32 i = 0; i < plug->controller->getParameterCount(); ++i)
      if (plug->controller->getParameterInfo(i, pi) == kResultOk && pi.id == id)
        return pi;
    ADD_FAILURE() << "no parameter " << id;
    return pi;
  }
  BusInfo bus(MediaType type, BusDirection dir, int32 index)
  {
    BusInfo bi = {};
    EXPECT_EQ(plug->component->getBusInfo(type, dir, index, bi), kResultOk);
    return bi;
  }
  IUnitInfo* units()
  {
    IUnitInfo* u = nullptr;
    plug->component->queryInterface(IUnitInfo::iid, reinterpret_cast<void**>(&u));
    return u;
  }

  NamedHostApplication host;
  RecordingComponentHandler handler;
  std::unique_ptr<PluginModule> module;
  std::unique_ptr<PluginInstance> plug;
};

Buffers ramp(size_t channels, size_t frames)
{
  Buffers b(channels, std::vector<double>(frames));
  for (size_t c = 0; c < channels; ++c)
    for (size_t i = 0; i < frames; ++i)
      b[c][i] = 0.001 * double(i % 700) - 0.3 + 0.1 * double(c);
  return b;
}

// Processes one block with stdout quiet (the framework reports float attaches there).
tresult run(PluginInstance& p, const Buffers& in, Buffers& out, int32 n,
            IParameterChanges* changes = nullptr, ProcessContext* ctx = nullptr,
            IEventList* events = nullptr, const std::vector<int>& outLayout = {})
{
  QuietStdout quiet;
  return p.processBlock(in, 0, out, 0, n, changes, ctx, events, {}, outLayout);
}

} // namespace

TEST(Vst3AdapterFactory, ClassesAndSharedFactory)
{
  std::string error;
  auto module = PluginModule::load(ZQ_TESTPLUG_PATH, error);
  ASSERT_TRUE(module) << error;
  IPluginFactory* f = module->factory();
  EXPECT_EQ(f->countClasses(), 4);
  PClassInfo ci;
  EXPECT_EQ(f->getClassInfo(4, &ci), kInvalidArgument);
  EXPECT_EQ(f->getClassInfo(-1, &ci), kInvalidArgument);

  // A class id the factory does not know creates nothing.
  TUID unknown = {1, 2, 3};
  void* obj = reinterpret_cast<void*>(1);
  EXPECT_NE(f->createInstance(reinterpret_cast<FIDString>(unknown),
                              reinterpret_cast<FIDString>(IComponent::iid.toTUID()), &obj),
            kResultOk);
  EXPECT_EQ(obj, nullptr);
}

TEST(Vst3AdapterFactory, ConcurrentCreationFromManyThreads)
{
  std::string error;
  auto module = PluginModule::load(ZQ_TESTPLUG_PATH, error);
  ASSERT_TRUE(module) << error;
  std::atomic<int> created {0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t)
    threads.emplace_back([&]() {
      for (int i = 0; i < 10; ++i)
      {
        std::string e;
        if (PluginInstance::createFirstEffect(module->factory(), e))
          ++created;
      }
    });
  for (auto& t : threads)
    t.join();
  EXPECT_EQ(created.load(), 80);
}

TEST(Vst3AdapterObject, InterfacesShareOneObjectAndCount)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.ok());
  FUnknown* u = l.plug->component;
  for (const FUID* iid : {&IUnitInfo::iid, &IMidiMapping::iid, &IEditController2::iid,
                          &IConnectionPoint::iid, &IPluginBase::iid, &FUnknown::iid})
  {
    void* obj = nullptr;
    EXPECT_EQ(u->queryInterface(*iid, &obj), kResultOk);
    ASSERT_NE(obj, nullptr);
    static_cast<FUnknown*>(obj)->release();
  }
  const uint32 before = l.plug->controller->addRef();
  l.plug->processor->release();
  EXPECT_EQ(l.plug->component->addRef(), before);
  l.plug->controller->release();

}

TEST(Vst3AdapterDeclaration, EffectShapeGroupsAndShapedDefault)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.ok());
  IComponent* c = l.plug->component;
  ASSERT_EQ(c->getBusCount(kAudio, kInput), 1);
  ASSERT_EQ(c->getBusCount(kAudio, kOutput), 1);
  EXPECT_EQ(c->getBusCount(kEvent, kInput), 0);
  BusInfo in = l.bus(kAudio, kInput, 0), out = l.bus(kAudio, kOutput, 0);
  EXPECT_EQ(toAscii(in.name), "Main Input");
  EXPECT_EQ(toAscii(out.name), "Output");
  EXPECT_EQ(in.channelCount, 2);
  EXPECT_EQ(in.busType, kMain);
  EXPECT_EQ(in.flags, uint32(BusInfo::kDefaultActive));
  SpeakerArrangement arr = 0;
  EXPECT_EQ(l.plug->processor->getBusArrangement(kOutput, 0, arr), kResultOk);
  EXPECT_EQ(arr, SpeakerArrangement(0x3));
  BusInfo none;
  EXPECT_EQ(c->getBusInfo(kAudio, kInput, 1, none), kInvalidArgument);
  EXPECT_EQ(c->getBusInfo(kAudio, kInput, -1, none), kInvalidArgument);

  IEditController* e = l.plug->controller;
  ASSERT_EQ(e->getParameterCount(), 6);
  ParameterInfo pi;
  EXPECT_EQ(e->getParameterInfo(6, pi), kResultFalse);
  EXPECT_EQ(e->getParameterInfo(-1, pi), kResultFalse);
  const ParamID order[] = {kPreset, kBypass, 0, 1, 2, 3};
  for (int i = 0; i < 6; ++i)
  {
    ASSERT_EQ(e->getParameterInfo(i, pi), kResultOk);
    EXPECT_EQ(pi.id, order[i]) << i;
  }

  ParameterInfo preset = l.info(kPreset), bypass = l.info(kBypass), gain = l.info(0),
                invert = l.info(1), latency = l.info(2), poke = l.info(3);
  EXPECT_EQ(toAscii(preset.title), "Preset");
  EXPECT_EQ(preset.stepCount, 2);
  EXPECT_EQ(preset.flags, ParameterInfo::kIsProgramChange);
  EXPECT_EQ(toAscii(bypass.title), "Bypass");
  EXPECT_EQ(bypass.flags, 0x10009);
  EXPECT_EQ(bypass.stepCount, 1);
  EXPECT_EQ(toAscii(gain.title), "Gain");
  EXPECT_EQ(toAscii(gain.units), "%");
  EXPECT_EQ(gain.flags, ParameterInfo::kCanAutomate);
  EXPECT_EQ(gain.stepCount, 0);
  // Gain 50 of 100 with shape 2: a host resetting to default must get 50 back.
  EXPECT_NEAR(gain.defaultNormalizedValue, std::sqrt(0.5), 1e-12);
  EXPECT_EQ(invert.flags, 9);
  EXPECT_EQ(invert.stepCount, 1);
  EXPECT_EQ(toAscii(latency.units), "samples");

  // Groups become units in order of first appearance; ungrouped stays at the root.
  EXPECT_EQ(gain.unitId, 1);
  EXPECT_EQ(invert.unitId, 0);
  EXPECT_EQ(latency.unitId, 2);
  EXPECT_EQ(poke.unitId, 1);
  IUnitInfo* u = l.units();
  ASSERT_NE(u, nullptr);
  EXPECT_EQ(u->getUnitCount(), 3);
  UnitInfo ui;
  ASSERT_EQ(u->getUnitInfo(0, ui), kResultOk);
  EXPECT_EQ(toAscii(ui.name), "Root Unit");
  EXPECT_EQ(ui.parentUnitId, -1);
  ASSERT_EQ(u->getUnitInfo(2, ui), kResultOk);
  EXPECT_EQ(toAscii(ui.name), "Timing");
  EXPECT_EQ(ui.id, 2);
  EXPECT_EQ(ui.parentUnitId, 0);
  EXPECT_EQ(ui.programListId, kNoProgramListId);
  EXPECT_EQ(u->getUnitInfo(3, ui), kResultFalse);
  EXPECT_EQ(u->getUnitInfo(-1, ui), kResultFalse);
  EXPECT_EQ(u->getSelectedUnit(), 0);

  EXPECT_EQ(u->getProgramListCount(), 0);
  ProgramListInfo pl;
  ASSERT_EQ(u->getProgramListInfo(0, pl), kResultOk);
  EXPECT_EQ(pl.id, ProgramListID(kPreset));
  EXPECT_EQ(toAscii(pl.name), "Factory Presets");
  EXPECT_EQ(pl.programCount, 2);
  EXPECT_EQ(u->getProgramListInfo(1, pl), kResultFalse);
  String128 name;
  ASSERT_EQ(u->getProgramName(kPreset, 0, name), kResultOk);
  EXPECT_EQ(toAscii(name), "Factory");
  ASSERT_EQ(u->getProgramName(kPreset, 1, name), kResultOk);
  EXPECT_EQ(toAscii(name), "empty");
  ASSERT_EQ(u->getProgramName(kPreset, 7, name), kResultOk);
  EXPECT_EQ(toAscii(name), "");
  EXPECT_EQ(u->getProgramName(5, 0, name), kResultFalse);
  u->release();

  IMidiMapping* m = nullptr;
  ASSERT_EQ(c->queryInterface(IMidiMapping::iid, reinterpret_cast<void**>(&m)), kResultOk);
  ParamID id = 1234;
  EXPECT_EQ(m->getMidiControllerAssignment(0, 0, 7, id), kResultFalse);
  EXPECT_EQ(id, 1234u);
  m->release();

  EXPECT_EQ(l.plug->processor->canProcessSampleSize(kSample32), kResultOk);
  EXPECT_EQ(l.plug->processor->canProcessSampleSize(kSample64), kResultOk);
  EXPECT_EQ(l.plug->processor->canProcessSampleSize(2), kResultFalse);
  EXPECT_EQ(e->createView("editor"), nullptr);
  EXPECT_EQ(e->createView(nullptr), nullptr);
}

TEST(Vst3AdapterDeclaration, InstrumentWithMidi)
{
  Loaded l(kSynth);
  ASSERT_TRUE(l.ok());
  IComponent* c = l.plug->component;
  EXPECT_EQ(c->getBusCount(kAudio, kInput), 0);
  ASSERT_EQ(c->getBusCount(kAudio, kOutput), 3);
  for (int b = 0; b < 3; ++b)
  {
    BusInfo bi = l.bus(kAudio, kOutput, b);
    EXPECT_EQ(toAscii(bi.name), "Output " + std::to_string(b + 1));
    EXPECT_EQ(bi.channelCount, 2);
    EXPECT_EQ(bi.busType, kMain);
  }
  ASSERT_EQ(c->getBusCount(kEvent, kInput), 1);
  BusInfo midi = l.bus(kEvent, kInput, 0);
  EXPECT_EQ(toAscii(midi.name), "MIDI Input");
  EXPECT_EQ(midi.channelCount, 1);

  // No presets and an instrument: neither 'prst' nor 'bpas'; the four
  // parameters, then the 128 controllers.
  IEditController* e = l.plug->controller;
  ASSERT_EQ(e->getParameterCount(), 4 + 128);
  ParameterInfo pi;
  ASSERT_EQ(e->getParameterInfo(4, pi), kResultOk);
  EXPECT_EQ(pi.id, 4u);
  EXPECT_EQ(toAscii(pi.title), "MIDI CC");
  EXPECT_EQ(pi.flags, ParameterInfo::kCanAutomate);
  ASSERT_EQ(e->getParameterInfo(131, pi), kResultOk);
  EXPECT_EQ(pi.id, 131u);
  EXPECT_NEAR(e->normalizedParamToPlain(131, 1.0), 127.0, 1e-12);

  IMidiMapping* m = nullptr;
  ASSERT_EQ(c->queryInterface(IMidiMapping::iid, reinterpret_cast<void**>(&m)), kResultOk);
  ParamID id = 0;
  EXPECT_EQ(m->getMidiControllerAssignment(3, 9, 7, id), kResultOk);
  EXPECT_EQ(id, 4u + 7u);
  EXPECT_EQ(m->getMidiControllerAssignment(0, 0, 128, id), kResultFalse);
  m->release();
}

TEST(Vst3AdapterDeclaration, SideChainAndWideMain)
{
  {
    Loaded l(kSide);
    ASSERT_TRUE(l.ok());
    ASSERT_EQ(l.plug->component->getBusCount(kAudio, kInput), 2);
    BusInfo main = l.bus(kAudio, kInput, 0), aux = l.bus(kAudio, kInput, 1);
    EXPECT_EQ(toAscii(main.name), "Main Input");
    EXPECT_EQ(main.channelCount, 2);
    EXPECT_EQ(toAscii(aux.name), "Aux Input");
    // Three side-chain channels are declared (and kept) as two.
    EXPECT_EQ(aux.channelCount, 2);
    EXPECT_EQ(aux.busType, kAux);
    EXPECT_EQ(aux.flags, 0u);
    EXPECT_EQ(l.plug->processor->getLatencySamples(), 5u);
  }
  {
    Loaded l(kSeven);
    ASSERT_TRUE(l.ok());
    EXPECT_EQ(l.plug->component->getBusCount(kAudio, kInput), 0);
    EXPECT_EQ(l.bus(kAudio, kOutput, 0).channelCount, 2);
  }
}

TEST(Vst3AdapterDeclaration, InitializeTwiceDeclaresOnce)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.ok());
  EXPECT_NE(l.plug->component->initialize(&l.host), kResultOk);
  EXPECT_EQ(l.plug->controller->getParameterCount(), 6);
  EXPECT_EQ(l.plug->component->getBusCount(kAudio, kInput), 1);
}

TEST(Vst3AdapterArrangements, ValidatedBeforeAnyChange)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.ok());
  IAudioProcessor* p = l.plug->processor;
  SpeakerArrangement mono = SpeakerArr::kMono, stereo = SpeakerArr::kStereo;
  SpeakerArrangement two[2] = {stereo, stereo};

  struct Case { SpeakerArrangement* in; int32 nIn; SpeakerArrangement* out; int32 nOut; };
  const Case refused[] = {
    {&stereo, 1, &mono, 1},     // 2 in, 1 out is not a legal pair
    {two, 2, &stereo, 1},       // two inputs without a side-chain
    {nullptr, 0, &stereo, 1},   // no input arrangement at all
    {&stereo, 1, nullptr, 0},
    {nullptr, 1, nullptr, 1},
  };
  for (const Case& c : refused)
  {
    EXPECT_EQ(p->setBusArrangements(c.in, c.nIn, c.out, c.nOut), kResultFalse);
    EXPECT_EQ(l.bus(kAudio, kInput, 0).channelCount, 2);
    EXPECT_EQ(toAscii(l.bus(kAudio, kInput, 0).name), "Main Input");
    EXPECT_EQ(l.bus(kAudio, kOutput, 0).channelCount, 2);
  }

  // The output bus is off, the input on, before the new arrangements.
  ASSERT_EQ(l.plug->component->activateBus(kAudio, kOutput, 0, false), kResultOk);
  EXPECT_EQ(p->setBusArrangements(&mono, 1, &mono, 1), kResultOk);
  BusInfo in = l.bus(kAudio, kInput, 0), out = l.bus(kAudio, kOutput, 0);
  EXPECT_EQ(toAscii(in.name), "Input");
  EXPECT_EQ(in.channelCount, 1);
  EXPECT_EQ(in.busType, kMain);
  EXPECT_EQ(toAscii(out.name), "Output");
  EXPECT_EQ(out.channelCount, 1);
  SpeakerArrangement arr = 0;
  p->getBusArrangement(kInput, 0, arr);
  EXPECT_EQ(arr, SpeakerArrangement(0x80000));

  // The replacements kept each bus's activation: mono in is heard, the
  // inactive output is left alone until the host switches it on.
  ASSERT_EQ(l.plug->setup(44100.0, 64, kSample64), kResultOk);
  ASSERT_EQ(l.plug->start(), kResultOk);
  Buffers monoIn = ramp(1, 64), monoOut(1, std::vector<double>(64, 7.0));
  ASSERT_EQ(run(*l.plug, monoIn, monoOut, 64), kResultOk);
  EXPECT_EQ(monoOut[0][9], 7.0);
  ASSERT_EQ(l.plug->component->activateBus(kAudio, kOutput, 0, true), kResultOk);
  ASSERT_EQ(run(*l.plug, monoIn, monoOut, 64), kResultOk);
  EXPECT_DOUBLE_EQ(monoOut[0][9], monoIn[0][9] * 0.5);

  EXPECT_EQ(p->setBusArrangements(&stereo, 1, &stereo, 1), kResultOk);
  EXPECT_EQ(l.bus(kAudio, kInput, 0).channelCount, 2);
  Buffers in2 = ramp(2, 64), out2(2, std::vector<double>(64, 7.0));
  ASSERT_EQ(run(*l.plug, in2, out2, 64), kResultOk);
  EXPECT_DOUBLE_EQ(out2[1][9], in2[1][9] * 0.5);
}

TEST(Vst3AdapterArrangements, SideChainReplacedBehindTheMainBus)
{
  Loaded l(kSide);
  ASSERT_TRUE(l.ok());
  IAudioProcessor* p = l.plug->processor;
  SpeakerArrangement stereo = SpeakerArr::kStereo;
  EXPECT_EQ(p->setBusArrangements(&stereo, 1, &stereo, 1), kResultFalse);
  EXPECT_EQ(l.bus(kAudio, kInput, 1).channelCount, 2);
  // Channel string "5-2": five inputs in, two out is the only legal pair.
  SpeakerArrangement five[2] = {SpeakerArr::k50, SpeakerArr::kMono};
  ASSERT_EQ(p->setBusArrangements(five, 2, &stereo, 1), kResultOk);
  BusInfo main = l.bus(kAudio, kInput, 0), side = l.bus(kAudio, kInput, 1);
  EXPECT_EQ(side.busType, kAux);
  EXPECT_EQ(toAscii(side.name), "Sidechain Input");
  EXPECT_EQ(side.channelCount, 1);
  EXPECT_EQ(main.busType, kMain);
  EXPECT_EQ(toAscii(main.name), "Input");
  EXPECT_EQ(main.channelCount, 5);
}

TEST(Vst3AdapterProcess, SetupRefusesWhatItCannotRun)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.ok());
  ASSERT_EQ(l.plug->setup(44100.0, 64, kSample64), kResultOk);
  EXPECT_EQ(l.plug->setup(48000.0, 64, 2), kResultFalse);
  EXPECT_NE(l.plug->setup(0.0, 64, kSample64), kResultOk);
  EXPECT_NE(l.plug->setup(NAN, 64, kSample64), kResultOk);
  EXPECT_NE(l.plug->setup(44100.0, -1, kSample64), kResultOk);
  // The earlier setup still holds: 64-bit blocks of up to 64 frames.
  ASSERT_EQ(l.plug->start(), kResultOk);
  Buffers in = ramp(2, 64), out(2, std::vector<double>(64, 9.0));
  ASSERT_EQ(run(*l.plug, in, out, 64), kResultOk);
  EXPECT_DOUBLE_EQ(out[1][10], in[1][10] * 0.5);
}

TEST(Vst3AdapterProcess, LastQueuePointOncePerBlockAndBypass)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.running(44100.0, 256));
  Buffers in = ramp(2, 256), out(2, std::vector<double>(256));

  ParameterChanges changes;
  changes.add(0, 0, 0.1);
  changes.add(0, 100, 0.9);
  ASSERT_EQ(run(*l.plug, in, out, 256, &changes), kResultOk);
  for (size_t i : {0u, 99u, 100u, 255u})
    EXPECT_NEAR(out[0][i], in[0][i] * 0.81, 1e-14) << i;   // 100 x 0.9^2 = 81

  // A queue whose points cannot be read is skipped.
  changes.clear();
  changes.add(0, 0, 0.2)->unreadable = true;
  ASSERT_EQ(run(*l.plug, in, out, 256, &changes), kResultOk);
  EXPECT_NEAR(out[0][5], in[0][5] * 0.81, 1e-14);

  struct Case { double value; bool bypassed; };
  for (Case c : {Case {0.5, false}, Case {0.51, true}, Case {0.8, true}, Case {0.0, false}})
  {
    changes.clear();
    changes.add(kBypass, 3, c.value);
    ASSERT_EQ(run(*l.plug, in, out, 256, &changes), kResultOk);
    EXPECT_EQ(l.plug->controller->getParamNormalized(kBypass), c.bypassed ? 1.0 : 0.0) << c.value;
    EXPECT_NEAR(out[1][7], c.bypassed ? in[1][7] : in[1][7] * 0.81, 1e-14) << c.value;
  }

  // setupProcessing clears the bypass.
  changes.clear();
  changes.add(kBypass, 0, 1.0);
  ASSERT_EQ(run(*l.plug, in, out, 256, &changes), kResultOk);
  ASSERT_EQ(l.plug->setup(44100.0, 256, kSample64), kResultOk);
  EXPECT_EQ(l.plug->controller->getParamNormalized(kBypass), 0.0);
}

TEST(Vst3AdapterProcess, ProgramParameterRestoresPresets)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.running(44100.0, 32));
  Buffers in = ramp(2, 32), out(2, std::vector<double>(32));
  ParameterChanges changes;
  auto gainAfter = [&](ParamID id, double value) {
    changes.clear();
    changes.add(0, 0, 1.0);   // gain 100
    changes.add(id, 0, value);
    run(*l.plug, in, out, 32, &changes);
    return l.plug->controller->getParamNormalized(0);
  };
  // Two presets: 0.49 x 2 truncates to preset 0 (gain 50 again).
  EXPECT_NEAR(gainAfter(kPreset, 0.49), std::sqrt(0.5), 1e-12);
  // 1.0 asks for preset 2, which does not exist: nothing is restored.
  EXPECT_EQ(gainAfter(kPreset, 1.0), 1.0);
  EXPECT_EQ(gainAfter(kPreset, NAN), 1.0);
  EXPECT_EQ(gainAfter(kPreset, -7.0), 1.0);
  // 0.5 is preset 1, never set: it captures the current state as "user preset 1".
  EXPECT_EQ(gainAfter(kPreset, 0.5), 1.0);
  IUnitInfo* u = l.units();
  String128 name;
  u->getProgramName(kPreset, 1, name);
  EXPECT_EQ(toAscii(name), "user preset 1");
  u->release();
}

TEST(Vst3AdapterProcess, SetParamNormalizedIsNotHeardUntilProcess)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.ok());
  IEditController* e = l.plug->controller;
  ASSERT_EQ(l.plug->setup(44100.0, 32, kSample64), kResultOk);
  ASSERT_EQ(l.plug->start(), kResultOk);
  EXPECT_EQ(e->setParamNormalized(0, 1.0), kResultOk);
  EXPECT_EQ(e->getParamNormalized(0), 1.0);
  EXPECT_EQ(e->setParamNormalized(kBypass, 1.0), kResultFalse);
  EXPECT_EQ(e->setParamNormalized(kPreset, 0.0), kResultFalse);
  EXPECT_EQ(e->setParamNormalized(4, 0.0), kResultFalse);
  Buffers in = ramp(2, 32), out(2, std::vector<double>(32));
  run(*l.plug, in, out, 32);
  EXPECT_DOUBLE_EQ(out[0][3], in[0][3] * 0.5);
  EXPECT_EQ(e->getParamNormalized(kPreset), 0.0);
  EXPECT_EQ(e->getParamNormalized(99), 0.0);
}

TEST(Vst3AdapterProcess, ParameterTexts)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.ok());
  IEditController* e = l.plug->controller;
  String128 s;
  struct Case { ParamID id; double v; const char* text; };
  for (Case c : {Case {1, 1.0, "on"}, Case {1, 0.0, "off"}, Case {0, 0.5, "25.0"},
                 Case {0, 1.0, "100.0"}, Case {2, 0.5, "32"}, Case {0, 7.0, "100.0"},
                 Case {0, -1.0, "0.0"}, Case {1, NAN, "off"}})
  {
    ASSERT_EQ(e->getParamStringByValue(c.id, c.v, s), kResultOk);
    EXPECT_EQ(toAscii(s), c.text) << c.id << " " << c.v;
  }
  EXPECT_EQ(e->getParamStringByValue(kBypass, 1.0, s), kResultFalse);
  EXPECT_EQ(e->getParamStringByValue(4, 1.0, s), kResultFalse);
  EXPECT_NEAR(e->plainParamToNormalized(0, 25.0), 0.5, 1e-12);
  EXPECT_EQ(e->plainParamToNormalized(kBypass, 0.3), 0.3);
  // The SDK's own conversions map the range linearly.
  EXPECT_NEAR(e->normalizedParamToPlain(0, 0.5), 50.0, 1e-12);
  TChar text[] = {'o', 'n', 0};
  ParamValue v = -1;
  EXPECT_EQ(e->getParamValueByString(1, text, v), kResultOk);
  EXPECT_EQ(v, 1.0);
  EXPECT_EQ(e->getParamValueByString(1, nullptr, v), kInvalidArgument);
}

TEST(Vst3AdapterProcess, BuffersTheHostGetsWrongAreSafe)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.running(44100.0, 64));

  // Longer than announced, in both sample sizes: processed in slices,
  // nothing written past the end of the host's buffers.
  for (int32 size : {kSample64, kSample32})
  {
    ASSERT_EQ(l.plug->setup(44100.0, 64, size), kResultOk);
    const int32 n = 64 * 3 + 17;
    Buffers in = ramp(2, n), out(2, std::vector<double>(n + 8, 7.0));
    ASSERT_EQ(run(*l.plug, in, out, n), kResultOk);
    for (int32 i : {0, 63, 64, 150, n - 1})
      EXPECT_NEAR(out[0][i], in[0][i] * 0.5, size == kSample32 ? 1e-7 : 0.0) << i;
    for (int32 i = n; i < n + 8; ++i)
      EXPECT_EQ(out[1][i], 7.0);
    EXPECT_TRUE(l.plug->guardsIntact);
  }
  ASSERT_EQ(l.plug->setup(44100.0, 64, kSample64), kResultOk);

  // Zero samples: only the parameter changes.
  {
    Buffers in = ramp(2, 64), out(2, std::vector<double>(64, 7.0));
    ParameterChanges changes;
    changes.add(0, 0, 1.0);
    ASSERT_EQ(run(*l.plug, in, out, 0, &changes), kResultOk);
    EXPECT_EQ(out[0][0], 7.0);
    EXPECT_EQ(l.plug->controller->getParamNormalized(0), 1.0);
  }

  // Null arrays and missing buses.
  auto processRaw = [&](ProcessData& d) {
    QuietStdout quiet;
    return l.plug->processor->process(d);
  };
  std::vector<double> o0(64, 7.0), o1(64, 7.0);
  double* outPtrs[2] = {o0.data(), o1.data()};
  AudioBusBuffers outBus;
  outBus.numChannels = 2;
  outBus.channelBuffers64 = outPtrs;
  AudioBusBuffers nullBus;
  nullBus.numChannels = 2;
  nullBus.channelBuffers64 = nullptr;

  ProcessData d;
  d.symbolicSampleSize = kSample64;
  d.numSamples = 64;
  d.numInputs = 1;
  d.inputs = nullptr;              // claims a bus, passes none
  d.numOutputs = 1;
  d.outputs = &outBus;
  EXPECT_EQ(processRaw(d), kResultOk);
  EXPECT_EQ(o0[10], 0.0);          // silence in, silence out

  d.inputs = &nullBus;             // a bus without channel pointers
  std::fill(o0.begin(), o0.end(), 7.0);
  EXPECT_EQ(processRaw(d), kResultOk);
  EXPECT_EQ(o0[10], 0.0);

  double* someNull[2] = {nullptr, o1.data()};
  AudioBusBuffers halfBus;
  halfBus.numChannels = 2;
  halfBus.channelBuffers64 = someNull;
  d.inputs = &halfBus;
  d.outputs = &halfBus;            // one null output channel, one real one
  EXPECT_EQ(processRaw(d), kResultOk);

  d.numOutputs = 1;
  d.outputs = &nullBus;
  EXPECT_EQ(processRaw(d), kResultOk);
  d.numOutputs = 0;
  d.outputs = nullptr;
  EXPECT_EQ(processRaw(d), kResultOk);
  d.numInputs = 0;
  d.inputs = nullptr;
  EXPECT_EQ(processRaw(d), kResultOk);

  // A block claiming 32-bit samples after a 64-bit setup is not read as
  // doubles; its float outputs are silenced.
  std::vector<float> f0(64, 7.0f), f1(64, 7.0f), fi(64, 0.5f);
  float* fOut[2] = {f0.data(), f1.data()};
  float* fIn[2] = {fi.data(), fi.data()};
  AudioBusBuffers fInBus, fOutBus;
  fInBus.numChannels = 2;
  fInBus.channelBuffers32 = fIn;
  fOutBus.numChannels = 2;
  fOutBus.channelBuffers32 = fOut;
  d.symbolicSampleSize = kSample32;
  d.numInputs = 1;
  d.inputs = &fInBus;
  d.numOutputs = 1;
  d.outputs = &fOutBus;
  EXPECT_EQ(processRaw(d), kResultOk);
  EXPECT_EQ(f0[63], 0.0f);
  EXPECT_EQ(f1[0], 0.0f);
}

TEST(Vst3AdapterProcess, InactiveOutputBusIsLeftAlone)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.running(44100.0, 64));
  ASSERT_EQ(l.plug->component->activateBus(kAudio, kOutput, 0, false), kResultOk);
  Buffers in = ramp(2, 64), out(2, std::vector<double>(64, 7.0));
  ASSERT_EQ(run(*l.plug, in, out, 64), kResultOk);
  EXPECT_EQ(out[0][5], 7.0);
  EXPECT_EQ(out[1][63], 7.0);
  EXPECT_EQ(l.plug->component->activateBus(kAudio, kOutput, 1, true), kInvalidArgument);
  ASSERT_EQ(l.plug->component->activateBus(kAudio, kOutput, 0, true), kResultOk);
  ASSERT_EQ(run(*l.plug, in, out, 64), kResultOk);
  EXPECT_DOUBLE_EQ(out[0][5], in[0][5] * 0.5);
}

TEST(Vst3AdapterProcess, LatencyDelaysTheBypassAndTellsTheHost)
{
  Loaded l(kSide);
  ASSERT_TRUE(l.running(44100.0, 64));
  Buffers in = ramp(5, 64), out(2, std::vector<double>(64));
  ParameterChanges changes;
  changes.add(kBypass, 0, 1.0);
  ASSERT_EQ(l.plug->processBlock(in, 0, out, 0, 64, &changes, nullptr, nullptr, {2, 3}, {}),
            kResultOk);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(out[0][i], 0.0) << i;
  EXPECT_EQ(out[0][5], in[0][0]);
  EXPECT_EQ(out[1][63], in[1][58]);

  // The plug-in changes its latency: the host is asked to restart.
  l.handler.restarts.clear();
  changes.clear();
  changes.add(2, 0, 10.0 / 64.0);
  ASSERT_EQ(l.plug->processBlock(in, 0, out, 0, 64, &changes, nullptr, nullptr, {2, 3}, {}),
            kResultOk);
  EXPECT_EQ(l.plug->processor->getLatencySamples(), 10u);
  ASSERT_EQ(l.handler.restarts.size(), 1u);
  EXPECT_EQ(l.handler.restarts[0], kLatencyChanged);
}

TEST(Vst3AdapterProcess, EditsReachTheHandlerOnlyWhenThereIsOne)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.running(44100.0, 32));
  Buffers in = ramp(2, 32), out(2, std::vector<double>(32));
  ParameterChanges changes;
  changes.add(3, 0, 1.0);
  ASSERT_EQ(run(*l.plug, in, out, 32, &changes), kResultOk);
  ASSERT_EQ(l.handler.edits.size(), 3u);
  EXPECT_EQ(l.handler.edits[0].kind, EditRecord::kBegin);
  EXPECT_EQ(l.handler.edits[1].kind, EditRecord::kPerform);
  EXPECT_EQ(l.handler.edits[1].id, 0u);
  EXPECT_EQ(l.handler.edits[1].value, 0.25);
  EXPECT_EQ(l.handler.edits[2].kind, EditRecord::kEnd);

  l.plug->controller->setComponentHandler(nullptr);
  EXPECT_EQ(l.handler.refCount(), 1);
  changes.clear();
  changes.add(3, 0, 0.0);
  run(*l.plug, in, out, 32, &changes);
  changes.clear();
  changes.add(3, 0, 1.0);
  changes.add(2, 0, 0.5);
  ASSERT_EQ(run(*l.plug, in, out, 32, &changes), kResultOk);
  EXPECT_EQ(l.handler.edits.size(), 3u);
  EXPECT_TRUE(l.handler.restarts.empty());
  EXPECT_EQ(l.plug->processor->getLatencySamples(), 32u);
}

TEST(Vst3AdapterProcess, MidiEventsAndControllersReachThePlugin)
{
  Loaded l(kSynth);
  ASSERT_TRUE(l.running(44100.0, 32));
  Buffers none, out(6, std::vector<double>(32));
  EventList events;
  events.addNoteOn(3, 0, 64, 0.5f);
  ParameterChanges changes;
  changes.add(4 + 11, 0, 1.0);   // controller 11 at full scale
  ASSERT_EQ(run(*l.plug, none, out, 32, &changes, nullptr, &events, {2, 2, 2}), kResultOk);
  EXPECT_DOUBLE_EQ(out[0][0], 64 / 127.0);
  EXPECT_DOUBLE_EQ(out[1][0], 63 / 127.0);   // 0.5 x 127 truncated
  EXPECT_DOUBLE_EQ(out[2][0], 127 / 127.0);
  EXPECT_DOUBLE_EQ(out[3][0], 11 / 127.0);
  events.events.clear();
  events.addNoteOff(0, 0, 64);
  ASSERT_EQ(run(*l.plug, none, out, 32, nullptr, nullptr, &events, {2, 2, 2}), kResultOk);
  EXPECT_EQ(out[1][0], 0.0);
}

TEST(Vst3AdapterProcess, TransportAndOfflineQueriesFollowTheLastContext)
{
  Loaded l(kSynth, "Cubase LE AI Elements");
  ASSERT_TRUE(l.running(48000.0, 32, kSample64, kOffline));
  Buffers none, out(6, std::vector<double>(32));
  ProcessContext ctx = {};
  ctx.state = ProcessContext::kPlaying | ProcessContext::kCycleActive | ProcessContext::kTempoValid;
  ctx.sampleRate = 48000.0;
  ctx.projectTimeSamples = (int64(3) << 32) + 1234;
  ctx.projectTimeMusic = 17.5;
  ctx.barPositionMusic = 16.0;
  ctx.cycleStartMusic = 8.0;
  ctx.cycleEndMusic = 24.0;
  ctx.tempo = 133.5;
  ctx.timeSigNumerator = 7;
  ctx.timeSigDenominator = 8;
  ASSERT_EQ(run(*l.plug, none, out, 32, nullptr, &ctx, nullptr, {2, 2, 2}), kResultOk);
  const double expected[] = {133.5, double((int64(3) << 32) + 1234), 17.5, 16.0, 8.0, 24.0, 7, 8,
                             1, 1, 1, 1234, 133.5, 7, 8, 3 /* Cubase */};
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(out[4][i], expected[i]) << "field " << i;

  // Without a context the previous one holds; other state bits are not consulted.
  ctx.state = ProcessContext::kTempoValid;
  ASSERT_EQ(run(*l.plug, none, out, 32, nullptr, nullptr, nullptr, {2, 2, 2}), kResultOk);
  EXPECT_EQ(out[4][8], 1.0);
  ASSERT_EQ(run(*l.plug, none, out, 32, nullptr, &ctx, nullptr, {2, 2, 2}), kResultOk);
  EXPECT_EQ(out[4][8], 0.0);
  EXPECT_EQ(out[4][9], 0.0);
  ASSERT_EQ(l.plug->setup(48000.0, 32, kSample64, kRealtime), kResultOk);
  ASSERT_EQ(run(*l.plug, none, out, 32, nullptr, nullptr, nullptr, {2, 2, 2}), kResultOk);
  EXPECT_EQ(out[4][10], 0.0);
}

TEST(Vst3AdapterProcess, ChangesAndRestoredStateReachTheEditor)
{
  Loaded l(kSynth);
  ASSERT_TRUE(l.running(44100.0, 32));
  Buffers none, out(6, std::vector<double>(32));
  ASSERT_EQ(run(*l.plug, none, out, 32, nullptr, nullptr, nullptr, {2, 2, 2}), kResultOk);
  const double before = out[4][16];

  ParameterChanges changes;
  changes.add(0, 0, 0.3);
  ASSERT_EQ(run(*l.plug, none, out, 32, &changes, nullptr, nullptr, {2, 2, 2}), kResultOk);
  EXPECT_EQ(out[4][16], before + 1);
  EXPECT_EQ(out[4][17], 0.0);
  EXPECT_EQ(out[4][18], 0.3);
  EXPECT_EQ(out[4][19], 1.0);   // normalised

  // A restored state pushes every parameter's plain value.
  std::vector<uint8_t> state;
  ASSERT_EQ(l.plug->getState(state), kResultOk);
  ASSERT_EQ(l.plug->setState(state), kResultOk);
  ASSERT_EQ(run(*l.plug, none, out, 32, nullptr, nullptr, nullptr, {2, 2, 2}), kResultOk);
  EXPECT_EQ(out[4][16], before + 1 + 4);
  EXPECT_EQ(out[4][17], 3.0);
  EXPECT_EQ(out[4][19], 0.0);   // plain
}

namespace {

// A stream that takes or gives at most `limit` bytes in all, then fails.
class LimitedStream : public IBStream
{
public:
  LimitedStream(std::vector<uint8_t> bytes, size_t limit) : mBytes(std::move(bytes)), mLimit(limit) {}
  tresult PLUGIN_API read(void* buffer, int32 n, int32* done) SMTG_OVERRIDE
  {
    const size_t can = std::min({size_t(n), mLimit - mPos, mBytes.size() - std::min(mPos, mBytes.size())});
    std::memcpy(buffer, mBytes.data() + mPos, can);
    mPos += can;
    if (done)
      *done = int32(can);
    return can == size_t(n) ? kResultOk : kResultFalse;
  }
  tresult PLUGIN_API write(void* buffer, int32 n, int32* done) SMTG_OVERRIDE
  {
    const size_t can = std::min(size_t(n), mLimit - mPos);
    mBytes.insert(mBytes.end(), static_cast<uint8_t*>(buffer), static_cast<uint8_t*>(buffer) + can);
    mPos += can;
    if (done)
      *done = int32(can);
    return can == size_t(n) ? kResultOk : kResultFalse;
  }
  tresult PLUGIN_API seek(int64, int32, int64*) SMTG_OVERRIDE { return kNotImplemented; }
  tresult PLUGIN_API tell(int64* pos) SMTG_OVERRIDE
  {
    *pos = int64(mPos);
    return kResultOk;
  }
  tresult PLUGIN_API queryInterface(const TUID, void** obj) SMTG_OVERRIDE
  {
    *obj = nullptr;
    return kNoInterface;
  }
  uint32 PLUGIN_API addRef() SMTG_OVERRIDE { return 1; }
  uint32 PLUGIN_API release() SMTG_OVERRIDE { return 1; }
  std::vector<uint8_t> mBytes;

private:
  size_t mLimit, mPos = 0;
};

} // namespace

TEST(Vst3AdapterState, ShortStreamsAndFailedWritesAreReported)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.ok());
  IComponent* c = l.plug->component;
  IEditController* e = l.plug->controller;
  ASSERT_EQ(l.plug->setup(44100.0, 32, kSample64), kResultOk);
  ASSERT_EQ(l.plug->start(), kResultOk);

  // Gain 100, latency 16, bypass on.
  Buffers in = ramp(2, 32), out(2, std::vector<double>(32));
  ParameterChanges changes;
  changes.add(0, 0, 1.0);
  changes.add(2, 0, 0.25);
  changes.add(kBypass, 0, 1.0);
  run(*l.plug, in, out, 32, &changes);
  std::vector<uint8_t> full, viaController;
  ASSERT_EQ(l.plug->getState(full), kResultOk);
  ASSERT_EQ(l.plug->getState(viaController, true), kResultOk);
  ASSERT_EQ(full.size(), 4u * 8u + 4u);
  EXPECT_EQ(full, viaController);
  double gain;
  std::memcpy(&gain, full.data(), 8);
  EXPECT_EQ(gain, 100.0);
  EXPECT_EQ(full[32], 1);

  for (size_t limit : {size_t(0), size_t(5), size_t(32), size_t(35)})
  {
    LimitedStream failing({}, limit);
    EXPECT_EQ(c->getState(&failing), kResultFalse) << limit;
  }
  EXPECT_EQ(c->getState(nullptr), kInvalidArgument);
  EXPECT_EQ(c->setState(nullptr), kInvalidArgument);

  // Back to defaults with bypass off, through the controller.
  changes.clear();
  changes.add(0, 0, std::sqrt(0.5));
  changes.add(2, 0, 0.0);
  changes.add(kBypass, 0, 0.0);
  run(*l.plug, in, out, 32, &changes);
  std::vector<uint8_t> defaults;
  ASSERT_EQ(l.plug->getState(defaults, true), kResultOk);

  // The whole state: every value and the bypass, from either interface.
  ASSERT_EQ(l.plug->setState(full), kResultOk);
  EXPECT_EQ(e->getParamNormalized(0), 1.0);
  EXPECT_EQ(e->getParamNormalized(kBypass), 1.0);
  ASSERT_EQ(l.plug->setState(defaults, true), kResultOk);
  EXPECT_EQ(e->getParamNormalized(kBypass), 0.0);

  // Ends before the bypass: values restored, bypass untouched, failure reported.
  std::vector<uint8_t> noBypass(full.begin(), full.begin() + 32);
  EXPECT_EQ(l.plug->setState(noBypass), kResultFalse);
  EXPECT_EQ(e->getParamNormalized(0), 1.0);
  EXPECT_EQ(e->getParamNormalized(kBypass), 0.0);

  // Ends inside the values: those delivered are taken, the rest keep theirs.
  ASSERT_EQ(l.plug->setState(defaults), kResultOk);
  std::vector<uint8_t> partial(full.begin(), full.begin() + 20);
  EXPECT_EQ(l.plug->setState(partial), kResultFalse);
  EXPECT_EQ(e->getParamNormalized(0), 1.0);              // parameter 0 from the stream
  EXPECT_EQ(e->getParamNormalized(2), 0.0);              // parameter 2 kept
  EXPECT_EQ(e->getParamNormalized(kBypass), 0.0);
  EXPECT_EQ(l.plug->setState({}), kResultFalse);

  // A stream that fails outright after some bytes.
  LimitedStream cut(full, 12);
  EXPECT_EQ(c->setState(&cut), kResultFalse);

  EXPECT_EQ(e->setComponentState(nullptr), kNotImplemented);
}
