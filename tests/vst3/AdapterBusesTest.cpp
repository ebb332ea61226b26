// What the test plug-ins declare: buses, groups, programs, and the
// speaker arrangements a host may ask for.

#include "tests/vst3/AdapterFixture.h"

using namespace zqhost;
using namespace adaptertest;

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
  IPlugView* view = e->createView("editor");
  ASSERT_TRUE(view);
  EXPECT_EQ(view->release(), 0u);
  EXPECT_EQ(e->createView("Editor"), nullptr);
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
  EXPECT_EQ(e->setParamNormalized(kBypass, 1.0), kResultFalse);
  EXPECT_EQ(e->getParamNormalized(kBypass), 0.0);

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
