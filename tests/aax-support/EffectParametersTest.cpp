// AAX_CEffectParameters against the fake AAX host: parameter look-ups and
// conversions, the 'elck' chunk, the master-bypass rule, notifications and
// packet dispatch. The host reaches the object only through its ACF interface.
#include "aax-support/AAX_CEffectParameters.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "FakeAaxHost.h"
#include "TestEffect.h"
#include "aax-support/AAX_CParameter.h"
#include "aax-support/AAX_CString.h"
#include "aax-support/interfaces/AcfIds.h"

namespace
{

using aaxhost::FakeAaxHost;

// The host's side of one instance: the object reached through its interface.
class EffectFixture : public ::testing::Test
{
protected:
  void Create(std::vector<TestEffect::Spec> specs, bool initialise = true)
  {
    mEffect = new TestEffect(std::move(specs));
    void* out = nullptr;
    ASSERT_EQ(kAaxSuccess, mEffect->GetControllingUnknown()->QueryInterface(IID_AAX_IACFEffectParameters_V2, &out));
    mHostView = static_cast<AAX_IACFEffectParameters_V2*>(out);
    if (initialise)
      ASSERT_EQ(kAaxSuccess, mHostView->InitializeEffect(mHost.Unknown()));
  }

  void TearDown() override
  {
    if (mHostView)
    {
      mHostView->UninitializeEffect();
      mHostView->Release();
    }
    EXPECT_EQ(0, mHost.PluginReferences());
    EXPECT_EQ(0u, mHost.OverReleases());
  }

  // The parameters' host-side values follow the host's answers; the fake host
  // answers none, so a requested change is applied as the host would send it back.
  void HostEchoes(const char* id, double normalized)
  {
    ASSERT_EQ(kAaxSuccess, mHostView->UpdateParameterNormalizedValue(id, normalized, 0));
  }

  std::vector<uint8_t> GetChunkBytes()
  {
    uint32_t size = 0;
    EXPECT_EQ(kAaxSuccess, mHostView->GetChunkSize(AAX_CEffectParameters::kDefaultChunkId, &size));
    std::vector<uint8_t> record(kAaxChunkHeaderSize + size, 0xCC);
    AaxChunk* chunk = reinterpret_cast<AaxChunk*>(record.data());
    EXPECT_EQ(kAaxSuccess, mHostView->GetChunk(AAX_CEffectParameters::kDefaultChunkId, chunk));
    EXPECT_EQ(static_cast<int32_t>(size), chunk->mSize);
    return record;
  }

  FakeAaxHost mHost;
  TestEffect* mEffect = nullptr;
  AAX_IACFEffectParameters_V2* mHostView = nullptr;
};

const std::vector<TestEffect::Spec> kThree = {{"1", 'd', "Dist. Amount"}, {"2", 'i', "Mode"}, {"3", 'b', "Ultra Mode"}};

TEST_F(EffectFixture, AnswersItsInterfacesAndCountsReferences)
{
  Create(kThree, false);
  void* v1 = nullptr;
  void* gui = reinterpret_cast<void*>(1);
  EXPECT_EQ(kAaxSuccess, mHostView->QueryInterface(IID_AAX_IACFEffectParameters, &v1));
  EXPECT_EQ(static_cast<void*>(mHostView), v1);
  EXPECT_EQ(kAcfNoInterface, mHostView->QueryInterface(IID_AAX_IACFEffectGUI, &gui));
  EXPECT_EQ(nullptr, gui);
  EXPECT_EQ(1u, mHostView->Release());
}

TEST_F(EffectFixture, InitialisationRegistersParametersAndFiltersTheBypassId)
{
  Create(kThree);
  int32_t count = 0;
  EXPECT_EQ(kAaxSuccess, mHostView->GetNumberOfParameters(&count));
  EXPECT_EQ(3, count);
  EXPECT_EQ(3u, mHost.Log().Count("Automation.RegisterParameter"));
  EXPECT_NE(nullptr, mEffect->Controller());

}

TEST_F(EffectFixture, MasterBypassIdOnlyOnceRegistered)
{
  // Without a "MasterBypassID" parameter the bypass ID is the empty one, and a
  // parameter registered under it stays out of the chunk.
  Create({{"", 'b', "Master Bypass"}, {"1", 'd', "Gain"}});
  AAX_CString bypass("x");
  EXPECT_EQ(kAaxSuccess, mHostView->GetMasterBypassId(&bypass));
  EXPECT_STREQ("", bypass.Text());
  {
    std::vector<uint8_t> record = GetChunkBytes();
    AAX_CChunkDataParser parser;
    ASSERT_EQ(kAaxSuccess, parser.LoadChunkData(reinterpret_cast<const AaxChunk*>(record.data())));
    ASSERT_EQ(1, parser.NumEntries());
    EXPECT_STREQ("1", parser.EntryAt(0).mName.Text());
  }
  mHostView->UninitializeEffect();
  mHostView->Release();
  mHostView = nullptr;

  Create({{"1", 'd', "Gain"}, {"MasterBypassID", 'b', "Master Bypass"}});
  EXPECT_EQ(kAaxSuccess, mHostView->GetMasterBypassId(&bypass));
  EXPECT_STREQ("MasterBypassID", bypass.Text());
  // ...and it is left out of the default chunk.
  std::vector<uint8_t> record = GetChunkBytes();
  const AaxChunk* chunk = reinterpret_cast<const AaxChunk*>(record.data());
  AAX_CChunkDataParser parser;
  ASSERT_EQ(kAaxSuccess, parser.LoadChunkData(chunk));
  EXPECT_EQ(1, parser.NumEntries());
  EXPECT_EQ(-1, parser.FindEntryIndex("MasterBypassID"));
}

TEST_F(EffectFixture, LookupsByIdAndIndex)
{
  Create(kThree);
  int32_t index = 7;
  EXPECT_EQ(kAaxSuccess, mHostView->GetParameterIndex("2", &index));
  EXPECT_EQ(1, index);
  EXPECT_EQ(kAaxErrUnknownParameter, mHostView->GetParameterIndex("9", &index));
  EXPECT_EQ(-1, index);

  AAX_CString id;
  EXPECT_EQ(kAaxSuccess, mHostView->GetParameterIDFromIndex(2, &id));
  EXPECT_STREQ("3", id.Text());
  EXPECT_EQ(kAaxErrUnknownParameter, mHostView->GetParameterIDFromIndex(3, &id));
  EXPECT_STREQ("", id.Text());
  EXPECT_EQ(kAaxErrUnknownParameter, mHostView->GetParameterIDFromIndex(-1, &id));

  AAX_IParameter* p = reinterpret_cast<AAX_IParameter*>(1);
  EXPECT_EQ(kAaxSuccess, mHostView->GetParameter("1", &p));
  EXPECT_EQ(mEffect->Param("1"), p);
  EXPECT_EQ(kAaxErrUnknownParameter, mHostView->GetParameter("nope", &p));
  EXPECT_EQ(nullptr, p);

  AAX_CString name("x");
  EXPECT_EQ(kAaxSuccess, mHostView->GetParameterName("3", &name));
  EXPECT_STREQ("Ultra Mode", name.Text());
  EXPECT_EQ(kAaxSuccess, mHostView->GetParameterName("nope", &name));
  EXPECT_STREQ("", name.Text());

  bool automatable = true;
  EXPECT_EQ(kAaxErrUnknownParameter, mHostView->GetParameterIsAutomatable("nope", &automatable));
  EXPECT_FALSE(automatable);
  EXPECT_EQ(kAaxSuccess, mHostView->GetParameterIsAutomatable("1", &automatable));
  EXPECT_TRUE(automatable);

  int32_t steps = 0, type = -1, orientation = -1;
  EXPECT_EQ(kAaxSuccess, mHostView->GetParameterNumberOfSteps("1", &steps));
  EXPECT_EQ(128, steps);
  mEffect->Param("1")->SetNumberOfSteps(0x80000000u);
  EXPECT_EQ(kAaxErrNegativeSteps, mHostView->GetParameterNumberOfSteps("1", &steps));
  EXPECT_EQ(kAaxSuccess, mHostView->GetParameterType("1", &type));
  EXPECT_EQ(1, type);
  EXPECT_EQ(kAaxSuccess, mHostView->GetParameterOrientation("1", &orientation));
  EXPECT_EQ(0, orientation);

  // Every look-up of an unknown ID fails the same way and changes nothing.
  double d = 0;
  EXPECT_EQ(kAaxErrUnknownParameter, mHostView->GetParameterNumberOfSteps("nope", &steps));
  EXPECT_EQ(kAaxErrUnknownParameter, mHostView->GetParameterType("nope", &type));
  EXPECT_EQ(kAaxErrUnknownParameter, mHostView->GetParameterNormalizedValue("nope", &d));
  EXPECT_EQ(kAaxErrUnknownParameter, mHostView->SetParameterNormalizedValue("nope", 0.5));
  EXPECT_EQ(kAaxErrUnknownParameter, mHostView->TouchParameter(nullptr));
  EXPECT_EQ(kAaxErrUnknownParameter, mHostView->UpdateParameterNormalizedValue("nope", 0.5, 0));
  int32_t changes = -1;
  EXPECT_EQ(kAaxSuccess, mHostView->GetNumberOfChanges(&changes));
  EXPECT_EQ(0, changes);
}

TEST_F(EffectFixture, ValueAndStringConversions)
{
  Create(kThree);
  double v = 0;
  EXPECT_EQ(kAaxSuccess, mHostView->GetParameterNormalizedValue("1", &v));
  EXPECT_DOUBLE_EQ(0.25, v);
  EXPECT_EQ(kAaxSuccess, mHostView->GetParameterDefaultNormalizedValue("1", &v));
  EXPECT_DOUBLE_EQ(0.25, v);
  EXPECT_EQ(kAaxSuccess, mHostView->SetParameterDefaultNormalizedValue("1", 0.5));
  EXPECT_EQ(kAaxSuccess, mHostView->GetParameterDefaultNormalizedValue("1", &v));
  EXPECT_DOUBLE_EQ(0.5, v);

  AAX_CString text;
  EXPECT_EQ(kAaxSuccess, mHostView->GetParameterValueString("1", &text, 32));
  EXPECT_STREQ("25.00", text.Text());
  EXPECT_EQ(kAaxSuccess, mHostView->GetParameterStringFromValue("1", 0.5, &text, 32));
  EXPECT_STREQ("50.00", text.Text());
  EXPECT_EQ(kAaxSuccess, mHostView->GetParameterStringFromValue("3", 1.0, &text, 32));
  EXPECT_STREQ("on", text.Text());

  const AAX_CString seventyFive("75"), loud("loud");
  EXPECT_EQ(kAaxSuccess, mHostView->GetParameterValueFromString("1", &v, &seventyFive));
  EXPECT_DOUBLE_EQ(0.75, v);
  v = -1;
  EXPECT_EQ(kAaxErrNullArgument, mHostView->GetParameterValueFromString("1", &v, &loud));
  EXPECT_EQ(-1, v);
  EXPECT_EQ(kAaxErrNullArgument, mHostView->GetParameterValueFromString("1", &v, nullptr));
  EXPECT_EQ(kAaxErrUnknownParameter, mHostView->GetParameterValueFromString("nope", &v, &seventyFive));
  int32_t info = 5;
  EXPECT_EQ(kAaxErrNotImplemented, mHostView->GetParameterValueInfo("1", 0, &info));
  EXPECT_EQ(0, info);
}

TEST_F(EffectFixture, ChangesGoThroughTheHost)
{
  Create(kThree);
  mHost.Log().Clear();
  EXPECT_EQ(kAaxSuccess, mHostView->SetParameterNormalizedValue("1", 0.5));
  EXPECT_EQ((std::vector<std::string>{"Automation.PostTouchRequest(1)", "Automation.PostSetValueRequest(1,0.5)",
                                      "Automation.PostReleaseRequest(1)"}),
            mHost.Log().CallsStartingWith("Automation."));
  double v = 0;
  mHostView->GetParameterNormalizedValue("1", &v);
  EXPECT_DOUBLE_EQ(0.25, v);  // unchanged until the host answers

  mHost.Log().Clear();
  HostEchoes("1", 0.9);
  EXPECT_EQ((std::vector<std::string>{"Automation.PostCurrentValue(1,0.9)"}), mHost.Log().CallsStartingWith("Automation."));
  int32_t changes = 0;
  mHostView->GetNumberOfChanges(&changes);
  EXPECT_EQ(1, changes);

  // Relative changes clamp to [0, 1].
  mHost.Log().Clear();
  EXPECT_EQ(kAaxSuccess, mHostView->SetParameterNormalizedRelative("1", 0.3));
  EXPECT_EQ(1u, mHost.Log().Count("Automation.PostSetValueRequest(1,1)"));
  EXPECT_EQ(kAaxSuccess, mHostView->UpdateParameterNormalizedRelative("1", -2.0));
  mHostView->GetParameterNormalizedValue("1", &v);
  EXPECT_EQ(0.0, v);
  EXPECT_EQ(kAaxErrUnknownParameter, mHostView->SetParameterNormalizedRelative("nope", 0.1));

  mHost.Log().Clear();
  EXPECT_EQ(kAaxSuccess, mHostView->TouchParameter("2"));
  EXPECT_EQ(kAaxSuccess, mHostView->ReleaseParameter("2"));
  EXPECT_EQ((std::vector<std::string>{"Automation.PostTouchRequest(2)", "Automation.PostReleaseRequest(2)"}),
            mHost.Log().Calls());
}

TEST_F(EffectFixture, PacketDispatchWithoutPacketsPostsNothing)
{
  Create(kThree);
  HostEchoes("1", 0.5);
  EXPECT_EQ(kAaxSuccess, mHostView->DispatchDirtyPackets());
  EXPECT_EQ(0u, mHost.Log().Count("Controller.PostPacket"));
}

TEST_F(EffectFixture, NameOfLengthPicksTheLongestLineThatFits)
{
  Create({{"1", 'd', "Distortion Amount"}, {"2", 'd', "Saturation"}});
  mEffect->Param("1")->AddShortenedName(AAX_CString("Dist.\nAmt\nD"));
  struct Case { const char* id; int32_t length; const char* expected; };
  const Case cases[] = {
    {"1", 4, "Amt"},
    {"1", 10, "Dist."},
    {"1", 1, "D"},
    {"1", 0, ""},
    {"1", 40, "Distortion Amount"},
    {"2", 4, "Satu"},
    {"2", 0, ""},
    {"nope", 4, ""},
  };
  for (const Case& c : cases)
  {
    AAX_CString out("x");
    EXPECT_EQ(kAaxSuccess, mHostView->GetParameterNameOfLength(c.id, &out, c.length));
    EXPECT_STREQ(c.expected, out.Text()) << c.id << " " << c.length;
  }
  EXPECT_EQ(kAaxErrNullArgument, mHostView->GetParameterNameOfLength("1", nullptr, 4));
}

TEST_F(EffectFixture, ChunkRoundTrip)
{
  Create(kThree);
  int32_t chunks = 0;
  uint32_t id = 1;
  EXPECT_EQ(kAaxSuccess, mHostView->GetNumberOfChunks(&chunks));
  EXPECT_EQ(1, chunks);
  EXPECT_EQ(kAaxSuccess, mHostView->GetChunkIDFromIndex(0, &id));
  EXPECT_EQ(AAX_CEffectParameters::kDefaultChunkId, id);
  EXPECT_EQ(kAaxErrChunkIndex, mHostView->GetChunkIDFromIndex(1, &id));
  EXPECT_EQ(0u, id);

  HostEchoes("1", 0.75);
  HostEchoes("2", 0.3);
  HostEchoes("3", 1.0);
  std::vector<uint8_t> saved = GetChunkBytes();
  const AaxChunk* chunk = reinterpret_cast<const AaxChunk*>(saved.data());
  EXPECT_EQ(-1, chunk->mVersion);
  EXPECT_STREQ("Complete Controls State", chunk->mName);
  EXPECT_EQ(0, chunk->mName[31]);

  bool equal = false;
  reinterpret_cast<AaxChunk*>(saved.data())->mChunkID = AAX_CEffectParameters::kDefaultChunkId;
  EXPECT_EQ(kAaxSuccess, mHostView->CompareActiveChunk(chunk, &equal));
  EXPECT_TRUE(equal);

  HostEchoes("1", 0.0);
  HostEchoes("2", 0.0);
  HostEchoes("3", 0.0);
  EXPECT_EQ(kAaxSuccess, mHostView->CompareActiveChunk(chunk, &equal));
  EXPECT_FALSE(equal);

  int32_t changesBefore = 0;
  mHostView->GetNumberOfChanges(&changesBefore);
  mHost.Log().Clear();
  EXPECT_EQ(kAaxSuccess, mHostView->SetChunk(AAX_CEffectParameters::kDefaultChunkId, chunk));
  // Each stored value is requested from the host like any other change.
  EXPECT_EQ((std::vector<std::string>{"Automation.PostSetValueRequest(1,0.75)", "Automation.PostSetValueRequest(2,0.3)",
                                      "Automation.PostSetValueRequest(3,1)"}),
            mHost.Log().CallsStartingWith("Automation.PostSetValueRequest"));
  int32_t changesAfter = 0;
  mHostView->GetNumberOfChanges(&changesAfter);
  EXPECT_EQ(changesBefore, changesAfter);

  // A foreign chunk ID compares equal without being read.
  AaxChunk foreign = {};
  foreign.mChunkID = 0x51583430;  // 'QX40'
  foreign.mSize = 0x7FFFFFFF;
  EXPECT_EQ(kAaxSuccess, mHostView->CompareActiveChunk(&foreign, &equal));
  EXPECT_TRUE(equal);
}

TEST_F(EffectFixture, ChunkErrors)
{
  Create(kThree);
  std::vector<uint8_t> record(kAaxChunkHeaderSize + 256, 0);
  AaxChunk* chunk = reinterpret_cast<AaxChunk*>(record.data());
  uint32_t size = 5;
  EXPECT_EQ(kAaxErrUnknownChunk, mHostView->GetChunkSize(0x51583430, &size));
  EXPECT_EQ(0u, size);
  EXPECT_EQ(kAaxErrUnknownChunk, mHostView->GetChunk(0x51583430, chunk));
  EXPECT_EQ(kAaxErrUnknownChunk, mHostView->SetChunk(0x51583430, chunk));
  // The size must have been asked for first.
  EXPECT_EQ(kAaxErrChunkSize, mHostView->GetChunk(AAX_CEffectParameters::kDefaultChunkId, chunk));
  EXPECT_EQ(0, chunk->mSize);

  // A truncated chunk is refused and leaves every parameter as it was.
  HostEchoes("1", 0.75);
  std::vector<uint8_t> saved = GetChunkBytes();
  AaxChunk* good = reinterpret_cast<AaxChunk*>(saved.data());
  good->mChunkID = AAX_CEffectParameters::kDefaultChunkId;
  good->mSize -= 2;
  HostEchoes("1", 0.0);
  mHost.Log().Clear();
  EXPECT_EQ(kAaxErrChunkOverflow, mHostView->SetChunk(AAX_CEffectParameters::kDefaultChunkId, good));
  EXPECT_EQ(0u, mHost.Log().Count("Automation."));
  bool equal = true;
  EXPECT_EQ(kAaxErrChunkOverflow, mHostView->CompareActiveChunk(good, &equal));
  EXPECT_FALSE(equal);
  EXPECT_EQ(kAaxErrNullArgument, mHostView->SetChunk(AAX_CEffectParameters::kDefaultChunkId, nullptr));
}

TEST_F(EffectFixture, PreviewNotification)
{
  Create({{"PreviewID", 'b', "Preview"}});
  mHost.Log().Clear();
  const int32_t on = 1;
  EXPECT_EQ(kAaxSuccess, mHostView->HandleNotification(AAX_CEffectParameters::kPreviewNotification, &on, sizeof on));
  EXPECT_EQ(1u, mHost.Log().Count("Automation.PostSetValueRequest(PreviewID,1)"));

  // Missing or short data is refused; other types are ignored.
  mHost.Log().Clear();
  EXPECT_EQ(kAaxErrNullArgument, mHostView->HandleNotification(AAX_CEffectParameters::kPreviewNotification, nullptr, 4));
  EXPECT_EQ(kAaxErrNullArgument, mHostView->HandleNotification(AAX_CEffectParameters::kPreviewNotification, &on, 2));
  EXPECT_EQ(kAaxSuccess, mHostView->HandleNotification(0x12345678, nullptr, 0));
  EXPECT_EQ(0u, mHost.Log().Count("Automation."));
}

TEST_F(EffectFixture, PreviewNotificationWithoutPreviewParameter)
{
  Create(kThree);
  EXPECT_EQ(kAaxSuccess, mHostView->HandleNotification(AAX_CEffectParameters::kPreviewNotification, nullptr, 0));
}

TEST_F(EffectFixture, FieldDataAndUnnamedSlots)
{
  Create(kThree, false);
  uint8_t block[8];
  std::memset(block, 0xAB, sizeof block);
  EXPECT_EQ(kAaxSuccess, mHostView->ResetFieldData(0, block, 6));
  EXPECT_EQ(0, block[5]);
  EXPECT_EQ(0xAB, block[6]);
  EXPECT_EQ(kAaxErrNullArgument, mHostView->ResetFieldData(0, nullptr, 6));
  uint32_t out = 9;
  EXPECT_EQ(kAaxSuccess, mHostView->Slot42(0, 0, 0, &out));
  EXPECT_EQ(0u, out);
  EXPECT_EQ(kAaxErrNotImplemented, mHostView->Slot41(0, 0, 0, 0));
  EXPECT_EQ(kAaxErrNotImplemented, mHostView->Slot45(0));
}

TEST(EffectParameters, ReleaseWithoutUninitialiseGivesBackHostReferences)
{
  FakeAaxHost host;
  const int32_t live = CACFUnknown::LiveObjectCount();
  TestEffect* effect = new TestEffect(kThree);
  effect->AddRef();
  ASSERT_EQ(kAaxSuccess, effect->InitializeEffect(host.Unknown()));
  EXPECT_GT(host.PluginReferences(), 0);
  // Initialising again replaces the wrappers and parameters.
  ASSERT_EQ(kAaxSuccess, effect->InitializeEffect(host.Unknown()));
  int32_t count = 0;
  effect->GetNumberOfParameters(&count);
  EXPECT_EQ(3, count);
  EXPECT_EQ(0u, effect->Release());
  EXPECT_EQ(live, CACFUnknown::LiveObjectCount());
  EXPECT_EQ(0, host.PluginReferences());
  EXPECT_EQ(0u, host.OverReleases());
  // Each parameter unregistered exactly as often as it registered.
  EXPECT_EQ(host.Log().Count("Automation.RegisterParameter"), host.Log().Count("Automation.UnregisterParameter"));
}

TEST(EffectParameters, FailingEffectInitIsReported)
{
  FakeAaxHost host;
  TestEffect* effect = new TestEffect({}, kAaxErrMissingInterface);
  effect->AddRef();
  EXPECT_EQ(kAaxErrMissingInterface, effect->InitializeEffect(host.Unknown()));
  EXPECT_NE(nullptr, effect->Controller());  // the wrappers stay
  effect->Release();
  EXPECT_EQ(0, host.PluginReferences());
}

}  // namespace
