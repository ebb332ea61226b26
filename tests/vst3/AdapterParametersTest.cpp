// Parameters through the controller: programs, values the host sets, texts,
// and edits reported back to the host.

#include "tests/vst3/AdapterFixture.h"

using namespace zqhost;
using namespace adaptertest;

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
  // The host's bypass switch keeps its value, and is not heard until process.
  EXPECT_EQ(e->setParamNormalized(kBypass, 1.0), kResultOk);
  EXPECT_EQ(e->getParamNormalized(kBypass), 1.0);
  EXPECT_EQ(e->setParamNormalized(kPreset, 0.0), kResultFalse);
  EXPECT_EQ(e->setParamNormalized(4, 0.0), kResultFalse);
  Buffers in = ramp(2, 32), out(2, std::vector<double>(32));
  run(*l.plug, in, out, 32);
  EXPECT_DOUBLE_EQ(out[0][3], in[0][3] * 0.5);
  EXPECT_EQ(e->getParamNormalized(kBypass), 1.0);
  // A block that carries the bypass sets it for controller and sound alike.
  ParameterChanges changes;
  changes.add(kBypass, 0, 0.2);
  run(*l.plug, in, out, 32, &changes);
  EXPECT_EQ(e->getParamNormalized(kBypass), 0.0);
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

TEST(Vst3AdapterProcess, HostValuesOutOfRangeOrNotFinite)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.running(44100.0, 32));
  IEditController* e = l.plug->controller;
  Buffers in = ramp(2, 32), out(2, std::vector<double>(32));
  ParameterChanges changes;

  // Gain (shape 2, 50 of 0..100) through the controller and through a queue.
  struct Case { double value, gain; };
  for (Case c : {Case {-1.0, 0.0}, Case {-0.5, 0.0}, Case {1.5, 1.0}, Case {INFINITY, 1.0},
                 Case {-INFINITY, 0.0}, Case {NAN, 0.5}})
  {
    EXPECT_EQ(e->setParamNormalized(0, std::sqrt(0.5)), kResultOk);
    EXPECT_EQ(e->setParamNormalized(0, c.value), kResultOk) << c.value;
    EXPECT_NEAR(e->getParamNormalized(0), std::sqrt(c.gain), 1e-12) << c.value;

    changes.clear();
    changes.add(0, 0, std::sqrt(0.5));
    run(*l.plug, in, out, 32, &changes);
    changes.clear();
    changes.add(0, 0, c.value);
    ASSERT_EQ(run(*l.plug, in, out, 32, &changes), kResultOk);
    EXPECT_NEAR(out[0][5], in[0][5] * c.gain, 1e-12) << c.value;
  }

  // The bypass keeps its value against a NaN, from the controller or a queue.
  EXPECT_EQ(e->setParamNormalized(kBypass, 1.0), kResultOk);
  EXPECT_EQ(e->setParamNormalized(kBypass, NAN), kResultOk);
  EXPECT_EQ(e->getParamNormalized(kBypass), 1.0);
  EXPECT_EQ(e->setParamNormalized(kBypass, -3.0), kResultOk);
  EXPECT_EQ(e->getParamNormalized(kBypass), 0.0);
  changes.clear();
  changes.add(kBypass, 0, 1.0);
  run(*l.plug, in, out, 32, &changes);
  changes.clear();
  changes.add(kBypass, 0, NAN);
  run(*l.plug, in, out, 32, &changes);
  EXPECT_EQ(e->getParamNormalized(kBypass), 1.0);
  EXPECT_EQ(out[0][5], in[0][5]);

  // Text that holds no finite number is refused and writes nothing.
  auto byString = [&](ParamID id, const char* text, ParamValue& v) {
    TChar wide[32] = {};
    for (int i = 0; text[i] && i < 31; ++i)
      wide[i] = static_cast<TChar>(text[i]);
    return e->getParamValueByString(id, wide, v);
  };
  for (const char* text : {"nan", "inf", "-inf", "infinity", "abc", "", " ", "1e999"})
  {
    ParamValue v = -7.0;
    EXPECT_EQ(byString(0, text, v), kResultFalse) << text;
    EXPECT_EQ(v, -7.0) << text;
    EXPECT_EQ(byString(kPreset, text, v), kResultFalse) << text;
    EXPECT_EQ(byString(kBypass, text, v), kResultFalse) << text;
  }
  // Every parameter answers a value in [0, 1]; the program parameter reads
  // its text as the normalised value itself.
  struct Text { ParamID id; const char* text; ParamValue value; };
  for (Text t : {Text {0, " 25", 0.25},   // the SDK's range conversion is linear
                 Text {0, "150", 1.0},      Text {0, "-5", 0.0},
                 Text {kPreset, "  12  ", 1.0}, Text {kPreset, "99999999999999999999", 1.0},
                 Text {kPreset, "1e308", 1.0},  Text {kPreset, "-1e308", 0.0},
                 Text {kPreset, "0.25", 0.25},  Text {kBypass, "on", 1.0}})
  {
    ParamValue v = -7.0;
    EXPECT_EQ(byString(t.id, t.text, v), kResultOk) << t.id << " \"" << t.text << "\"";
    EXPECT_EQ(v, t.value) << t.id << " \"" << t.text << "\"";
  }
}
