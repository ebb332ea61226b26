#include <cstring>
#include <ctime>
#include <string>

#include <gtest/gtest.h>

#include "framework/HeapBuffer.h"
#include "framework/LogTimestamp.h"
#include "framework/MidiMessage.h"
#include "framework/PointerList.h"
#include "framework/TextBuffer.h"

namespace {

// ---- HeapBuffer ------------------------------------------------------------

struct ResizeCase
{
  int granularity;
  int want;
  int capacity;
};

class HeapBufferGrowth : public ::testing::TestWithParam<ResizeCase> {};

TEST_P(HeapBufferGrowth, CapacityFollowsGranularityRule)
{
  const ResizeCase c = GetParam();
  HeapBuffer buffer(c.granularity);
  void* data = buffer.Resize(c.want);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(buffer.GetSize(), c.want);
  EXPECT_EQ(buffer.GetCapacity(), c.capacity);
  std::memset(data, 0xAB, size_t(c.want)); // the whole size is writable
}

INSTANTIATE_TEST_SUITE_P(Examples, HeapBufferGrowth,
                         ::testing::Values(ResizeCase{4096, 100, 4000}, ResizeCase{4096, 10000, 12192},
                                           ResizeCase{128, 10, 138}, ResizeCase{128, 300, 450},
                                           ResizeCase{4096, 16300, 20384}));

TEST(HeapBuffer, NegativeSizeFreesStorage)
{
  HeapBuffer buffer;
  buffer.Resize(1000);
  EXPECT_EQ(buffer.Resize(-5), nullptr);
  EXPECT_EQ(buffer.GetSize(), 0);
  EXPECT_EQ(buffer.GetCapacity(), 0);
  EXPECT_EQ(buffer.Get(), nullptr);
}

TEST(HeapBuffer, ShrinksOnlyWellBelowCapacityAndKeepsContents)
{
  HeapBuffer buffer;
  buffer.Resize(16300);
  ASSERT_EQ(buffer.GetCapacity(), 20384);
  buffer.Resize(16000);
  EXPECT_EQ(buffer.GetCapacity(), 20384); // above the shrink limit of 4000
  unsigned char* p = static_cast<unsigned char*>(buffer.Get());
  for (int i = 0; i < 100; ++i) p[i] = (unsigned char)i;

  buffer.Resize(100, true); // limit min(10192, 4000) = 4000 > 100
  EXPECT_EQ(buffer.GetCapacity(), 4000);
  p = static_cast<unsigned char*>(buffer.Get());
  for (int i = 0; i < 100; ++i) ASSERT_EQ(p[i], i);

  HeapBuffer noShrink;
  noShrink.Resize(16300);
  noShrink.Resize(100, false);
  EXPECT_EQ(noShrink.GetCapacity(), 20384);
  EXPECT_EQ(noShrink.GetSize(), 100);
}

TEST(HeapBuffer, GrowingKeepsContents)
{
  HeapBuffer buffer(128);
  char* p = static_cast<char*>(buffer.Resize(10));
  std::memcpy(p, "0123456789", 10);
  p = static_cast<char*>(buffer.Resize(5000));
  EXPECT_EQ(std::string(p, 10), "0123456789");
}

// ---- PointerList -----------------------------------------------------------

struct Counted
{
  explicit Counted(int v, int* alive) : value(v), alive(alive) { ++*alive; }
  ~Counted() { --*alive; }
  int value;
  int* alive;
};

TEST(PointerList, EntriesArePointerWide)
{
  // The win32 build runs this with 4-byte pointers, the others with 8.
  EXPECT_EQ(sizeof(void*), size_t(ZQ_POINTER_BYTES));
  int alive = 0;
  PointerList<Counted> list;
  for (int i = 0; i < 3; ++i) list.Add(new Counted(i, &alive));
  EXPECT_EQ(list.GetSize(), 3);
  EXPECT_EQ(list.GetByteSize(), 3 * ZQ_POINTER_BYTES);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(list.Get(i)->value, i);
  EXPECT_EQ(list.Get(3), nullptr);
  EXPECT_EQ(list.Get(-1), nullptr);
  list.DeleteAll();
}

TEST(PointerList, InsertClampsIndex)
{
  int alive = 0;
  PointerList<Counted> list;
  for (int i = 0; i < 3; ++i) list.Add(new Counted(i, &alive));
  list.Insert(7, new Counted(7, &alive));   // appends at index 3
  list.Insert(-2, new Counted(-2, &alive)); // inserts at 0
  list.Insert(2, new Counted(20, &alive));
  const int expected[] = {-2, 0, 20, 1, 2, 7};
  ASSERT_EQ(list.GetSize(), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(list.Get(i)->value, expected[i]) << "index " << i;
  list.DeleteAll();
  EXPECT_EQ(alive, 0);
}

TEST(PointerList, DeleteAtAndDeleteAllFreeTheElements)
{
  int alive = 0;
  PointerList<Counted> list;
  for (int i = 0; i < 4; ++i) list.Add(new Counted(i, &alive));
  list.DeleteAt(1);
  list.DeleteAt(4);  // out of range: nothing
  list.DeleteAt(-1);
  EXPECT_EQ(alive, 3);
  ASSERT_EQ(list.GetSize(), 3);
  EXPECT_EQ(list.Get(0)->value, 0);
  EXPECT_EQ(list.Get(1)->value, 2);
  EXPECT_EQ(list.Get(2)->value, 3);
  list.DeleteAll();
  EXPECT_EQ(alive, 0);
  EXPECT_EQ(list.GetSize(), 0);
  EXPECT_EQ(list.GetByteSize(), 0);
}

// ---- TextBuffer ------------------------------------------------------------

TEST(TextBuffer, SetHonoursMaxLengthAndMissingText)
{
  TextBuffer text;
  EXPECT_STREQ(text.Get(), "");
  EXPECT_EQ(text.GetSize(), 0);

  text.Set("abcdef", 3);
  EXPECT_STREQ(text.Get(), "abc");
  EXPECT_EQ(text.GetSize(), 4);

  text.Set("abcdef");
  EXPECT_STREQ(text.Get(), "abcdef");
  text.Set("xy"); // shorter: size follows the length
  EXPECT_STREQ(text.Get(), "xy");
  EXPECT_EQ(text.GetSize(), 3);

  text.Set(nullptr);
  EXPECT_STREQ(text.Get(), "");
  EXPECT_EQ(text.GetSize(), 1);
}

TEST(TextBuffer, SetFromItsOwnText)
{
  TextBuffer text("hello world");
  text.Set(text.Get() + 6);
  EXPECT_STREQ(text.Get(), "world");
  text.Set(text.Get());
  EXPECT_STREQ(text.Get(), "world");
  text.Set(text.Get() + 1, 2);
  EXPECT_STREQ(text.Get(), "or");
}

TEST(TextBuffer, SetFormattedTruncatesToMaxLength)
{
  TextBuffer text;
  text.SetFormatted(3, "%d", 12345);
  EXPECT_STREQ(text.Get(), "123");
  EXPECT_EQ(text.GetSize(), 4);
  text.SetFormatted(5, "%d", 12345); // exact fit
  EXPECT_STREQ(text.Get(), "12345");
  text.SetFormatted(32, "%s %d", "user preset", 2);
  EXPECT_STREQ(text.Get(), "user preset 2");
  EXPECT_EQ(text.GetSize(), 14);
  text.SetFormatted(10, "%s", "");
  EXPECT_STREQ(text.Get(), "");
  EXPECT_EQ(text.GetSize(), 1);
}

// ---- MIDI ------------------------------------------------------------------

TEST(MidiMessage, Builders)
{
  MidiMessage msg;
  msg.MakeNoteOn(60, 100, 12, 3);
  EXPECT_EQ(msg.mOffset, 12);
  EXPECT_EQ(msg.mStatus, 0x93);
  EXPECT_EQ(msg.mData1, 60);
  EXPECT_EQ(msg.mData2, 100);

  msg.MakeNoteOff(61, 5, 0);
  EXPECT_EQ(msg.mOffset, 5);
  EXPECT_EQ(msg.mStatus, 0x80);
  EXPECT_EQ(msg.mData1, 61);
  EXPECT_EQ(msg.mData2, 0);

  msg.MakeControlChange(7, 1.0, 0);
  EXPECT_EQ(msg.mOffset, 0);
  EXPECT_EQ(msg.mStatus, 0xB0);
  EXPECT_EQ(msg.mData1, 7);
  EXPECT_EQ(msg.mData2, 127);
  msg.MakeControlChange(7, 0.999, 0);
  EXPECT_EQ(msg.mData2, 126);
}

// ---- Log time stamp --------------------------------------------------------

std::tm MakeTm(int year, int month, int day, int yday, int hour, int minute)
{
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_yday = yday;
  t.tm_hour = hour;
  t.tm_min = minute;
  return t;
}

TEST(LogTimestamp, OffsetFromUtc)
{
  char out[64];
  // 9 December 2026 is day 342 of the year (counting from 0).
  EXPECT_STREQ(FormatLogTimestamp(MakeTm(2026, 12, 9, 342, 13, 5), MakeTm(2026, 12, 9, 342, 12, 5),
                                  out, sizeof(out)),
               "20261209 13:05 +0100");
  EXPECT_STREQ(FormatLogTimestamp(MakeTm(2026, 12, 9, 342, 6, 35), MakeTm(2026, 12, 9, 342, 12, 5),
                                  out, sizeof(out)),
               "20261209 06:35 -0530");
  // Local time already on the next day.
  EXPECT_STREQ(FormatLogTimestamp(MakeTm(2026, 12, 10, 343, 1, 0), MakeTm(2026, 12, 9, 342, 15, 0),
                                  out, sizeof(out)),
               "20261210 01:00 +1000");
  // Across a year's end, both ways.
  EXPECT_STREQ(FormatLogTimestamp(MakeTm(2027, 1, 1, 0, 0, 30), MakeTm(2026, 12, 31, 364, 23, 30),
                                  out, sizeof(out)),
               "20270101 00:30 +0100");
  EXPECT_STREQ(FormatLogTimestamp(MakeTm(2026, 12, 31, 364, 20, 0), MakeTm(2027, 1, 1, 0, 1, 0),
                                  out, sizeof(out)),
               "20261231 20:00 -0500");
}

TEST(LogTimestamp, CurrentTimeHasTheShape)
{
  const std::string stamp = MakeLogTimestamp();
  ASSERT_EQ(stamp.size(), 20u) << stamp;
  EXPECT_EQ(stamp[8], ' ');
  EXPECT_EQ(stamp[11], ':');
  EXPECT_TRUE(stamp[15] == '+' || stamp[15] == '-');
}

} // namespace
