#include <string>

#include <gtest/gtest.h>

#include "TestPlug.h"

namespace {

TEST(IPlugBase, ConstructionFromChannelIO)
{
  TestPlug plug(8, "1-1 2-2", 1);
  EXPECT_EQ(plug.NParams(), 8);
  EXPECT_EQ(plug.NPresets(), 1);
  ASSERT_EQ(plug.NChannelIO(), 2);
  EXPECT_EQ(plug.GetChannelIO(0)->mIn, 1);
  EXPECT_EQ(plug.GetChannelIO(0)->mOut, 1);
  EXPECT_EQ(plug.GetChannelIO(1)->mIn, 2);
  EXPECT_EQ(plug.GetChannelIO(1)->mOut, 2);
  EXPECT_EQ(plug.GetChannelIO(2), nullptr);
  EXPECT_EQ(plug.NInChannels(), 2);
  EXPECT_EQ(plug.NOutChannels(), 2);
  EXPECT_FALSE(plug.IsInChannelConnected(0));
  EXPECT_FALSE(plug.IsOutChannelConnected(1));

  EXPECT_STREQ(plug.GetEffectName(), "ZentikQX40");
  EXPECT_STREQ(plug.GetProductName(), "");
  EXPECT_STREQ(plug.GetMakerName(), "Zentik");
  EXPECT_EQ(plug.GetUniqueID(), 0x51583430);
  EXPECT_EQ(plug.GetMakerID(), 0x5A6E746B);
  EXPECT_EQ(plug.GetEffectVersion(false), 0x00010101);
  EXPECT_EQ(plug.GetEffectVersion(true), 10101);
  EXPECT_EQ(plug.GetApiKind(), kApiVST3);
  EXPECT_EQ(plug.GetHostKind(), kHostUnknown); // before SetHost
  EXPECT_EQ(plug.GetSampleRate(), 44100.0);
  EXPECT_EQ(plug.GetBlockSize(), 0);
  EXPECT_EQ(plug.GetLatency(), 0);
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 0);
  EXPECT_FALSE(plug.GetHostBypass());
  EXPECT_EQ(plug.GetGUI(), nullptr);
  EXPECT_STREQ(plug.GetPresetName(0), "empty");
  EXPECT_STREQ(plug.GetInputChannelLabel(1), "");
  EXPECT_EQ(plug.GetInputChannelLabel(2), nullptr);
  EXPECT_EQ(plug.GetOutputChannelLabel(-1), nullptr);

  TestPlug wide(0, "0-2 4-1 1-1", 0);
  EXPECT_EQ(wide.NInChannels(), 4);
  EXPECT_EQ(wide.NOutChannels(), 2);
}

TEST(IPlugBase, LegalIO)
{
  TestPlug plug(0, "1-1 2-2", 0);
  struct { int in, out; bool legal; } cases[] = {
    {2, 2, true}, {1, 1, true}, {1, -1, true}, {-1, 2, true}, {-1, -1, true},
    {2, 1, false}, {1, 2, false}, {0, 0, false}, {3, -1, false}};
  for (const auto& c : cases) EXPECT_EQ(plug.LegalIO(c.in, c.out), c.legal) << c.in << "-" << c.out;
}

TEST(IPlugBaseDeathTest, MalformedChannelIOStops)
{
  EXPECT_DEATH(TestPlug(0, "1-1 x", 0), "channelIOStrValid");
  EXPECT_DEATH(TestPlug(0, "2", 0), "channelIOStrValid");
}

TEST(IPlugBase, HostKindFromName)
{
  struct { const char* name; int kind; } cases[] = {
    {"Cubase LE", kHostCubase}, {"REAPER", kHostReaper}, {"Ableton Live 9", kHostAbletonLive},
    {"My Host", kHostNoMatch}, {"Cubase Live", kHostCubase}, {"Pro Tools", kHostNoMatch},
    {"ProTools", kHostProTools}, {"VST3PluginTestHost", kHostVST3TestHost},
    {"Ardour", kHostArdour}, {"Standalone", kHostStandalone}, {"", kHostNoMatch},
    {nullptr, kHostNoMatch}};
  for (const auto& c : cases)
    EXPECT_EQ(HostKindFromName(c.name), c.kind) << (c.name ? c.name : "(null)");

  // Only the first 255 characters are looked at.
  EXPECT_EQ(HostKindFromName((std::string(250, 'x') + "reaper").c_str()), kHostNoMatch);
  EXPECT_EQ(HostKindFromName((std::string(249, 'x') + "reaper").c_str()), kHostReaper);

  TestPlug plug;
  plug.SetHost("REAPER", 0x00050102);
  EXPECT_EQ(plug.GetHostKind(), kHostReaper);
  EXPECT_EQ(plug.GetHostVersion(), 0x00050102);
}

TEST(IPlugBase, BusNames)
{
  TestPlug plug;
  plug.SetInputBusName(0, "Main Input");
  plug.SetInputBusName(2, "Ignored");
  plug.SetInputBusName(-1, "Ignored");
  plug.SetInputBusName(1, "Aux Input");
  EXPECT_STREQ(plug.GetInputBusName(0), "Main Input");
  EXPECT_STREQ(plug.GetInputBusName(1), "Aux Input");
  EXPECT_STREQ(plug.GetInputBusName(2), "");
  plug.SetInputBusName(0, "Renamed");
  EXPECT_STREQ(plug.GetInputBusName(0), "Renamed");
  EXPECT_STREQ(plug.GetInputBusName(1), "Aux Input");

  // An index past the end appends.
  plug.SetOutputBusName(3, "Output 1");
  EXPECT_STREQ(plug.GetOutputBusName(0), "Output 1");
  plug.SetOutputBusName(1, "Output 2");
  EXPECT_STREQ(plug.GetOutputBusName(1), "Output 2");
  plug.SetOutputBusName(-1, "Ignored");
  EXPECT_STREQ(plug.GetOutputBusName(2), "");
}

TEST(IPlugBase, SetParameterFromGUISetsInformsAndHandlesUnderTheLock)
{
  TestPlug plug;
  plug.GetParam(2)->InitDouble("Tone", 25.0, 0.0, 100.0, 0.1, "", "", 2.0);
  plug.checkLockInHandler = true;

  plug.SetParameterFromGUI(2, 0.5);
  EXPECT_EQ(plug.GetParam(2)->Value(), 25.0);
  ASSERT_EQ(plug.informed.size(), 1u);
  EXPECT_EQ(plug.informed[0].first, 2);
  EXPECT_EQ(plug.informed[0].second, 0.5);
  ASSERT_EQ(plug.paramChanges.size(), 1u);
  EXPECT_EQ(plug.paramChanges[0].idx, 2);
  EXPECT_FALSE(plug.paramChanges[0].fromRestore);
  EXPECT_EQ(plug.paramChanges[0].value, 25.0); // set before the handler runs
  EXPECT_TRUE(plug.paramChanges[0].locked);
  ASSERT_EQ(plug.events.size(), 2u);
  EXPECT_STREQ(plug.events[0], "InformHostOfParamChange");
  EXPECT_STREQ(plug.events[1], "HandleParamChange");

  plug.SetParameterFromGUI(8, 0.5); // out of range: nothing
  plug.SetParameterFromGUI(-1, 0.5);
  EXPECT_EQ(plug.paramChanges.size(), 1u);
}

TEST(IPlugBase, LockIsReentrant)
{
  TestPlug plug;
  IPlugBase::LockGuard outer(plug.Mutex()); // as an adapter's process entry holds it
  plug.SetParameterFromGUI(0, 1.0);
  plug.Reset();
  plug.OnActivate(true);
  IStateChunk chunk;
  EXPECT_TRUE(plug.SerializeParams(chunk));
  EXPECT_EQ(plug.UnserializeParams(chunk, 0), 64);
}

TEST(IPlugBase, AttachGraphicsPushesNormalisedValuesAndTakesOwnership)
{
  bool deleted = false;
  {
    TestPlug plug(3, "1-1", 0);
    plug.GetParam(0)->InitBool("Bypass", true);
    plug.GetParam(1)->InitDouble("Dist", 25.0, 0.0, 100.0, 0.1, "", "", 2.0);
    plug.GetParam(2)->InitDouble("Mix", 100.0, 0.0, 100.0, 0.1);

    FakeGraphics* graphics = new FakeGraphics(&deleted);
    FakeControl* background = graphics->Add(new FakeControl(-1));
    FakeControl* knob = graphics->Add(new FakeControl(1));
    FakeControl* multi = graphics->Add(new FakeControl(2, {0, 1}));
    FakeControl* twin = graphics->Add(new FakeControl(1));

    plug.AttachGraphics(graphics);
    EXPECT_EQ(plug.GetGUI(), graphics);
    EXPECT_EQ(graphics->mPrepared, 1);
    EXPECT_TRUE(background->mValues.empty());
    ASSERT_EQ(knob->mValues.size(), 1u);
    EXPECT_DOUBLE_EQ(knob->mValues[0], 0.5);
    ASSERT_EQ(twin->mValues.size(), 1u);
    EXPECT_DOUBLE_EQ(twin->mValues[0], 0.5);
    ASSERT_EQ(multi->mValues.size(), 1u);
    EXPECT_EQ(multi->mValues[0], 1.0);
    EXPECT_EQ(multi->mAuxValues[0], 1.0);            // aux binding to parameter 0
    EXPECT_DOUBLE_EQ(multi->mAuxValues[1], 0.5);     // aux binding to parameter 1
    EXPECT_TRUE(graphics->mPushes.empty());          // controls are fed directly

    plug.AttachGraphics(nullptr); // nothing changes
    EXPECT_EQ(plug.GetGUI(), graphics);

    plug.PushAllParamsToGui();
    ASSERT_EQ(graphics->mPushes.size(), 3u);
    const double plain[] = {1.0, 25.0, 100.0};
    for (int i = 0; i < 3; ++i)
    {
      EXPECT_EQ(graphics->mPushes[size_t(i)].idx, i);
      EXPECT_EQ(graphics->mPushes[size_t(i)].value, plain[i]);
      EXPECT_FALSE(graphics->mPushes[size_t(i)].normalised);
    }
    EXPECT_FALSE(deleted);
  }
  EXPECT_TRUE(deleted); // the plug-in deletes its graphics context
}

TEST(IPlugBase, AttachGraphicsHoldsTheLock)
{
  struct LockProbe : FakeControl
  {
    LockProbe(TestPlug* plug) : FakeControl(0), mPlug(plug) {}
    void SetValueFromPlug(double v) override
    {
      FakeControl::SetValueFromPlug(v);
      mLocked = mPlug->LockHeldElsewhere();
    }
    TestPlug* mPlug;
    bool mLocked = false;
  };
  TestPlug plug(1, "1-1", 0);
  FakeGraphics* graphics = new FakeGraphics;
  LockProbe* probe = new LockProbe(&plug);
  graphics->Add(probe);
  plug.AttachGraphics(graphics);
  EXPECT_TRUE(probe->mLocked);
}

TEST(IPlugBase, BaseHooks)
{
  TestPlug plug;
  MidiMessage msg;
  msg.MakeNoteOn(64, 90, 3);
  plug.ProcessMidiIn(msg); // the base echoes to the MIDI output
  ASSERT_EQ(plug.midiOut.size(), 1u);
  EXPECT_EQ(plug.midiOut[0].mStatus, 0x90);
  EXPECT_EQ(plug.midiOut[0].mData1, 64);

  char name[8] = "junk";
  EXPECT_FALSE(plug.GetMidiNoteName(60, name, int(sizeof(name))));
  EXPECT_STREQ(name, "");
  EXPECT_FALSE(plug.IsRenderingOffline());
  EXPECT_FALSE(plug.SendSysExOut(SysExMessage()));
  EXPECT_FALSE(plug.PopupHostParamMenu(0, 1, 2));
  EXPECT_FALSE(plug.ReservedQuery16());
}

} // namespace
