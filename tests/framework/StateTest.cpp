#include <cstring>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "TestPlug.h"

namespace {

// The effect's parameter table: bools and 0-100 doubles.
void InitEffectParams(IPlugBase& plug)
{
  plug.GetParam(0)->InitBool("Bypass", false);
  plug.GetParam(1)->InitDouble("Dist. Amount", 0.0, 0.0, 100.0, 0.1, "", "", 2.0);
  plug.GetParam(2)->InitDouble("Tone", 25.0, 0.0, 100.0, 0.1, "", "", 2.0);
  plug.GetParam(3)->InitDouble("Level", 25.0, 0.0, 100.0, 0.1, "", "", 2.0);
  plug.GetParam(4)->InitBool("Analog Saturation", true);
  plug.GetParam(5)->InitBool("Analog Hiss", true);
  plug.GetParam(6)->InitBool("Ultra Mode", false);
  plug.GetParam(7)->InitDouble("Dry/Wet", 100.0, 0.0, 100.0, 0.1);
}

class State : public ::testing::Test
{
protected:
  void SetUp() override { InitEffectParams(plug); }

  void SetValues(const double (&values)[8])
  {
    for (int i = 0; i < 8; ++i) plug.GetParam(i)->Set(values[i]);
  }

  static void PutValues(IStateChunk& chunk, const double (&values)[8], int count = 8)
  {
    for (int i = 0; i < count; ++i) chunk.PutDouble(values[i]);
  }

  TestPlug plug;
};

std::string Hex(const unsigned char* data, int size)
{
  static const char digits[] = "0123456789abcdef";
  std::string s;
  for (int i = 0; i < size; ++i)
  {
    s += digits[data[i] >> 4];
    s += digits[data[i] & 15];
  }
  return s;
}

TEST_F(State, SixtyFourByteLayout)
{
  SetValues({1.0, 25.0, 0.5, 100.0, 0.0, -2.0, 0.1, 12.75});
  IStateChunk chunk;
  ASSERT_TRUE(plug.SerializeState(chunk));
  ASSERT_EQ(chunk.Size(), 64);
  // Each value as the little-endian bytes of its binary64 form, in order.
  EXPECT_EQ(Hex(chunk.GetData(), 64),
            "000000000000f03f"   // 1.0
            "0000000000003940"   // 25.0
            "000000000000e03f"   // 0.5
            "0000000000005940"   // 100.0
            "0000000000000000"   // 0.0
            "00000000000000c0"   // -2.0
            "9a9999999999b93f"   // 0.1
            "0000000000802940"); // 12.75
}

TEST_F(State, RoundTripKeepsEveryValue)
{
  const double values[8] = {1.0, 12.3, 45.6, 78.9, 0.0, 1.0, 0.5, 33.3};
  SetValues(values);
  IStateChunk chunk;
  ASSERT_TRUE(plug.SerializeParams(chunk));
  SetValues({0, 0, 0, 0, 0, 0, 0, 0});

  EXPECT_EQ(plug.UnserializeParams(chunk, 0), 64);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(plug.GetParam(i)->Value(), values[i]) << i;
  EXPECT_TRUE(plug.StateMatches(chunk.GetData(), 0, chunk.Size()));
  ASSERT_EQ(plug.paramChanges.size(), 8u);
  for (int i = 0; i < 8; ++i)
  {
    EXPECT_EQ(plug.paramChanges[size_t(i)].idx, i);
    EXPECT_TRUE(plug.paramChanges[size_t(i)].fromRestore);
  }
}

TEST_F(State, ReadingStartsAtTheGivenPosition)
{
  const double values[8] = {1.0, 2.0, 3.0, 4.0, 0.0, 1.0, 0.0, 5.0};
  IStateChunk chunk;
  chunk.PutInt(0x70666674);
  chunk.PutInt(1);
  PutValues(chunk, values);
  EXPECT_EQ(plug.UnserializeState(chunk, 8), 72);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(plug.GetParam(i)->Value(), values[i]) << i;
}

TEST_F(State, ShortChunkTakesWhatIsThere)
{
  const double values[8] = {1.0, 10.0, 20.0, 30.0, 0.0, 0.0, 1.0, 40.0};
  IStateChunk chunk;
  PutValues(chunk, values, 7);
  chunk.PutBytes("\x01\x02\x03\x04", 4); // 60 bytes
  ASSERT_EQ(chunk.Size(), 60);
  plug.GetParam(7)->InitDouble("Dry/Wet", 100.0, 10.0, 100.0, 0.1); // min 10 for this case
  plug.checkLockInHandler = true;

  EXPECT_EQ(plug.UnserializeParams(chunk, 0), -1);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(plug.GetParam(i)->Value(), values[i]) << i;
  EXPECT_EQ(plug.GetParam(7)->Value(), 10.0); // 0 clamped into its range
  ASSERT_EQ(plug.paramChanges.size(), 8u);    // every parameter is re-announced
  for (const auto& change : plug.paramChanges)
  {
    EXPECT_TRUE(change.fromRestore);
    EXPECT_TRUE(change.locked);
  }

  // Once the position is -1 nothing more is read.
  plug.paramChanges.clear();
  plug.GetParam(1)->Set(55.0);
  EXPECT_EQ(plug.UnserializeParams(chunk, -1), -1);
  EXPECT_EQ(plug.GetParam(1)->Value(), 55.0);
  EXPECT_EQ(plug.paramChanges.size(), 8u);
}

TEST_F(State, StoredValuesAreClampedAndNaNTakesTheDefault)
{
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double values[8] = {nan, 1000.0, -5.0, nan, 2.0, -inf, inf, 50.0};
  IStateChunk chunk;
  PutValues(chunk, values);
  EXPECT_EQ(plug.UnserializeParams(chunk, 0), 64);
  const double expected[8] = {0.0, 100.0, 0.0, 25.0, 1.0, 0.0, 1.0, 50.0};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(plug.GetParam(i)->Value(), expected[i]) << i;
}

TEST_F(State, StateMatchesInSinglePrecision)
{
  double values[8];
  for (int i = 0; i < 8; ++i) values[i] = plug.GetParam(i)->Value();
  EXPECT_TRUE(plug.StateMatches(values, 0, int(sizeof(values))));

  plug.GetParam(2)->Set(25.0);
  values[2] = 25.000001;
  EXPECT_TRUE(plug.StateMatches(values, 0, int(sizeof(values))));
  values[2] = 25.0001;
  EXPECT_FALSE(plug.StateMatches(values, 0, int(sizeof(values))));
  values[2] = std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(plug.StateMatches(values, 0, int(sizeof(values))));
  values[2] = 25.0;

  // `start` counts doubles; data that is too short never matches.
  double shifted[9] = {-1.0};
  std::memcpy(shifted + 1, values, sizeof(values));
  EXPECT_TRUE(plug.StateMatches(shifted, 1, int(sizeof(shifted))));
  EXPECT_FALSE(plug.StateMatches(shifted, 1, int(sizeof(shifted)) - 1));
  EXPECT_FALSE(plug.StateMatches(values, 0, 60));
  EXPECT_FALSE(plug.StateMatches(nullptr, 0, 64));

  // Unaligned data is fine.
  unsigned char bytes[65];
  std::memcpy(bytes + 1, values, sizeof(values));
  EXPECT_TRUE(plug.StateMatches(bytes + 1, 0, 64));
}

TEST_F(State, StoreDefaultPresetsCapturesTheState)
{
  TestPlug three(8, "1-1 2-2", 3);
  InitEffectParams(three);
  three.StoreDefaultPresets("-", 1);
  three.GetParam(1)->Set(80.0);
  three.StoreDefaultPresets(nullptr, 5); // two slots left
  EXPECT_STREQ(three.GetPresetName(0), "-");
  EXPECT_STREQ(three.GetPresetName(1), "Empty");
  EXPECT_STREQ(three.GetPresetName(2), "Empty");
  EXPECT_STREQ(three.GetPresetName(3), "");
  EXPECT_STREQ(three.GetPresetName(-1), "");

  EXPECT_TRUE(three.RestorePreset(0));
  EXPECT_EQ(three.GetParam(1)->Value(), 0.0);
  EXPECT_TRUE(three.RestorePreset(2));
  EXPECT_EQ(three.GetParam(1)->Value(), 80.0);
  EXPECT_EQ(three.GetCurrentPresetIdx(), 2);

  TestPlug one(8, "1-1", 1);
  one.StoreDefaultPresets(std::string(300, 'n').c_str(), 1);
  EXPECT_EQ(std::string(one.GetPresetName(0)), std::string(255, 'n'));
}

TEST_F(State, RestorePreset)
{
  TestPlug presets(8, "1-1 2-2", 3);
  InitEffectParams(presets);
  bool deleted = false;
  FakeGraphics* graphics = new FakeGraphics(&deleted);
  presets.AttachGraphics(graphics);
  presets.StoreDefaultPresets("user preset 1", 1);
  presets.GetParam(3)->Set(60.0);

  EXPECT_FALSE(presets.RestorePreset(3));
  EXPECT_FALSE(presets.RestorePreset(-1));
  EXPECT_EQ(presets.presetsChanged, 0);

  // An uninitialised preset captures the current state under the next user name.
  EXPECT_TRUE(presets.RestorePreset(2));
  EXPECT_STREQ(presets.GetPresetName(2), "user preset 2");
  EXPECT_EQ(presets.GetCurrentPresetIdx(), 2);
  EXPECT_EQ(presets.presetsChanged, 1);
  EXPECT_EQ(graphics->mPushes.size(), 8u);

  presets.GetParam(3)->Set(10.0);
  presets.paramChanges.clear();
  EXPECT_TRUE(presets.RestorePreset(2));
  EXPECT_EQ(presets.GetParam(3)->Value(), 60.0);
  EXPECT_EQ(presets.paramChanges.size(), 8u);
  EXPECT_EQ(presets.presetsChanged, 2);
  ASSERT_EQ(graphics->mPushes.size(), 16u);
  EXPECT_EQ(graphics->mPushes[8 + 3].value, 60.0); // plain values

  EXPECT_TRUE(presets.RestorePreset(0));
  EXPECT_EQ(presets.GetParam(3)->Value(), 25.0);
  EXPECT_EQ(presets.GetCurrentPresetIdx(), 0);
}

TEST(StateChunk, ReadsReportPositions)
{
  IStateChunk chunk;
  EXPECT_EQ(chunk.Size(), 0);
  EXPECT_EQ(chunk.PutInt(-2), 4);
  EXPECT_EQ(chunk.PutDouble(0.5), 12);
  int i = 0;
  double d = 0.0;
  EXPECT_EQ(chunk.GetInt(&i, 0), 4);
  EXPECT_EQ(i, -2);
  EXPECT_EQ(chunk.GetDouble(&d, 4), 12);
  EXPECT_EQ(d, 0.5);
  EXPECT_EQ(chunk.GetDouble(&d, 5), -1);
  EXPECT_EQ(chunk.GetInt(&i, -1), -1);
  EXPECT_EQ(Hex(chunk.GetData(), 4), "feffffff");

  EXPECT_EQ(chunk.ResizeZeroFill(16), 16);
  EXPECT_EQ(Hex(chunk.GetData() + 12, 4), "00000000");
  chunk.Clear();
  EXPECT_EQ(chunk.Size(), 0);
}

} // namespace
