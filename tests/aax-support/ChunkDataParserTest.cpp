#include "aax-support/AAX_CChunkDataParser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{

constexpr int32_t kOverflow = -333;

// A chunk record whose heap block ends exactly at the end of its data area, so
// that any read or write past it is caught by AddressSanitizer.
class ExactChunk
{
public:
  explicit ExactChunk(int32_t dataSize)
    : mBytes(new unsigned char[static_cast<size_t>(kAaxChunkHeaderSize + dataSize)])
  {
    std::memset(mBytes.get(), 0, static_cast<size_t>(kAaxChunkHeaderSize + dataSize));
    Get()->mSize = dataSize;
  }
  ExactChunk(const std::vector<unsigned char>& data, int32_t version = 0)
    : ExactChunk(static_cast<int32_t>(data.size()))
  {
    if (!data.empty())
      std::memcpy(AaxChunkData(Get()), data.data(), data.size());
    Get()->mVersion = version;
  }
  AaxChunk* Get() { return reinterpret_cast<AaxChunk*>(mBytes.get()); }
  std::vector<unsigned char> Data()
  {
    const unsigned char* d = AaxChunkData(Get());
    return std::vector<unsigned char>(d, d + Get()->mSize);
  }

private:
  std::unique_ptr<unsigned char[]> mBytes;
};

std::vector<unsigned char> Write(const AAX_CChunkDataParser& parser)
{
  ExactChunk chunk(parser.ChunkDataSize());
  EXPECT_EQ(0, parser.GetChunkData(chunk.Get()));
  EXPECT_EQ(parser.ChunkDataSize(), chunk.Get()->mSize);
  return chunk.Data();
}

std::vector<unsigned char> Bytes(std::initializer_list<int> values)
{
  std::vector<unsigned char> out;
  for (int v : values)
    out.push_back(static_cast<unsigned char>(v));
  return out;
}

// A chunk of another writer holding every tagged kind, including the float and
// int16 entries this parser only carries along.
std::vector<unsigned char> ForeignChunk()
{
  return Bytes({1, 1, 1, 1,
                'f', '_', 'g', 0, 0x3F, 0xC0, 0x00, 0x00,                 // 1.5f
                's', '_', 'h', 'i', 0, 0, 0, 0, 0xFF, 0xFE, 0, 0,        // int16 -2
                'd', '_', 'x', 0, 0x40, 0x09, 0x21, 0xFB, 0x54, 0x44, 0x2D, 0x18,  // pi
                'l', '_', 'n', 0, 0x00, 0x00, 0x01, 0x02,                 // 258
                'r', '_', 's', 0, 'a', 'b', 'c', 0});
}

TEST(ChunkDataParser, EmptyParserWritesOnlyTheMarker)
{
  AAX_CChunkDataParser parser;
  EXPECT_EQ(4, parser.ChunkDataSize());
  EXPECT_EQ(Bytes({1, 1, 1, 1}), Write(parser));
}

TEST(ChunkDataParser, Int32EntryLayout)
{
  AAX_CChunkDataParser parser;
  parser.AppendInt32("a", -2);
  EXPECT_EQ(12, parser.ChunkDataSize());
  EXPECT_EQ(Bytes({1, 1, 1, 1, 'l', '_', 'a', 0, 0xFF, 0xFF, 0xFF, 0xFE}), Write(parser));
}

TEST(ChunkDataParser, DoubleAndStringLayout)
{
  AAX_CChunkDataParser parser;
  parser.AppendDouble("ab", 1.0);
  parser.AppendString("c", AAX_CString("xyzw"));
  EXPECT_EQ(Bytes({1, 1, 1, 1,
                   'd', '_', 'a', 'b', 0, 0, 0, 0, 0x3F, 0xF0, 0, 0, 0, 0, 0, 0,
                   'r', '_', 'c', 0, 'x', 'y', 'z', 'w', 0, 0, 0, 0}),
            Write(parser));
}

TEST(ChunkDataParser, SizesOfNamesAndStrings)
{
  struct Case { const char* name; const char* text; int32_t size; };
  const Case cases[] = {
    {"a", "", 4 + 4 + 4},
    {"ab", "", 4 + 8 + 4},
    {"abcde", "", 4 + 8 + 4},
    {"abcdef", "", 4 + 12 + 4},
    {"a", "xyz", 4 + 4 + 4},
    {"a", "wxyz", 4 + 4 + 8},
    {"", "", 4 + 4 + 4},
  };
  for (const Case& c : cases)
  {
    AAX_CChunkDataParser parser;
    parser.AppendString(c.name, AAX_CString(c.text));
    EXPECT_EQ(c.size, parser.ChunkDataSize()) << c.name << " / " << c.text;
    EXPECT_EQ(static_cast<size_t>(c.size), Write(parser).size());
  }
}

TEST(ChunkDataParser, RoundTripOfAppendedKinds)
{
  AAX_CChunkDataParser parser;
  parser.AppendDouble("gain", -0.125);
  parser.AppendInt32("mode", INT32_MIN);
  parser.AppendInt32("on", 1);
  parser.AppendString("label", AAX_CString("Ultra Mode"));
  parser.AppendString("none", AAX_CString(""));
  std::vector<unsigned char> first = Write(parser);

  ExactChunk chunk(first, 7);
  AAX_CChunkDataParser loaded;
  ASSERT_EQ(0, loaded.LoadChunkData(chunk.Get()));
  EXPECT_EQ(7, loaded.ChunkVersion());
  EXPECT_EQ(5, loaded.NumEntries());

  double d = 0;
  int32_t i = 0;
  AAX_CString s;
  EXPECT_TRUE(loaded.FindDouble("gain", &d));
  EXPECT_EQ(-0.125, d);
  EXPECT_TRUE(loaded.FindInt32("mode", &i));
  EXPECT_EQ(INT32_MIN, i);
  EXPECT_TRUE(loaded.FindInt32("on", &i));
  EXPECT_EQ(1, i);
  EXPECT_TRUE(loaded.FindString("label", &s));
  EXPECT_STREQ("Ultra Mode", s.Text());
  EXPECT_TRUE(loaded.FindString("none", &s));
  EXPECT_STREQ("", s.Text());
  EXPECT_EQ(first, Write(loaded));
}

TEST(ChunkDataParser, ForeignKindsAreCarriedByteForByte)
{
  const std::vector<unsigned char> foreign = ForeignChunk();
  ExactChunk chunk(foreign);
  AAX_CChunkDataParser parser;
  ASSERT_EQ(0, parser.LoadChunkData(chunk.Get()));
  ASSERT_EQ(5, parser.NumEntries());
  EXPECT_EQ(AAX_CChunkDataParser::kKindFloat, parser.EntryAt(0).mKind);
  EXPECT_EQ(0x3FC00000u, parser.EntryAt(0).mValue);
  EXPECT_EQ(AAX_CChunkDataParser::kKindInt16, parser.EntryAt(1).mKind);
  EXPECT_STREQ("hi", parser.EntryAt(1).mName.Text());
  EXPECT_EQ(0xFFFEu, parser.EntryAt(1).mValue);

  double d = 0;
  int32_t i = 0;
  EXPECT_FALSE(parser.FindDouble("g", &d));  // floats have no look-up
  EXPECT_TRUE(parser.FindDouble("x", &d));
  EXPECT_DOUBLE_EQ(3.141592653589793, d);
  EXPECT_TRUE(parser.FindInt32("n", &i));
  EXPECT_EQ(258, i);

  std::vector<unsigned char> written = Write(parser);
  EXPECT_EQ(foreign, written);
  ExactChunk again(written);
  ASSERT_EQ(0, parser.LoadChunkData(again.Get()));
  EXPECT_EQ(written, Write(parser));
}

TEST(ChunkDataParser, NamesAtTheReadersLimit)
{
  // The reader looks for the field's zero within 255 bytes: tag + 252 name
  // characters is the longest name that can be read back.
  for (size_t length : {size_t(251), size_t(252), size_t(253), size_t(300)})
  {
    const std::string name(length, 'n');
    AAX_CChunkDataParser parser;
    parser.AppendInt32(name.c_str(), 5);
    parser.AppendInt32("z", 6);
    ExactChunk chunk(Write(parser));
    AAX_CChunkDataParser loaded;
    int32_t v = 0;
    if (length <= 252)
    {
      ASSERT_EQ(0, loaded.LoadChunkData(chunk.Get())) << length;
      EXPECT_TRUE(loaded.FindInt32(name.c_str(), &v));
      EXPECT_EQ(5, v);
      EXPECT_TRUE(loaded.FindInt32("z", &v));
    }
    else
    {
      EXPECT_EQ(kOverflow, loaded.LoadChunkData(chunk.Get())) << length;
      EXPECT_EQ(0, loaded.NumEntries());
    }
  }
}

TEST(ChunkDataParser, RepeatedNamesAreFoundInTurn)
{
  AAX_CChunkDataParser parser;
  parser.AppendInt32("p", 1);
  parser.AppendInt32("p", 2);
  int32_t v = 0;
  EXPECT_TRUE(parser.FindInt32("p", &v));
  EXPECT_EQ(1, v);
  EXPECT_TRUE(parser.FindInt32("p", &v));
  EXPECT_EQ(2, v);
  EXPECT_TRUE(parser.FindInt32("p", &v));
  EXPECT_EQ(1, v);
}

TEST(ChunkDataParser, WrongKindMissesButTheSearchWraps)
{
  AAX_CChunkDataParser parser;
  parser.AppendInt32("a", 9);
  parser.AppendDouble("b", 2.0);
  double d = -1;
  EXPECT_FALSE(parser.FindDouble("a", &d));
  EXPECT_EQ(-1, d);
  int32_t v = 0;
  EXPECT_TRUE(parser.FindInt32("a", &v));
  EXPECT_EQ(9, v);
  EXPECT_FALSE(parser.FindInt32("missing", &v));
  EXPECT_EQ(-1, parser.FindEntryIndex(nullptr));
  AAX_CString s("keep");
  EXPECT_FALSE(parser.FindString("b", &s));
  EXPECT_STREQ("keep", s.Text());
}

TEST(ChunkDataParser, ChunksWithoutEntriesLoadEmpty)
{
  const std::vector<std::vector<unsigned char>> cases = {
    {},
    Bytes({1, 1, 1, 1}),
    Bytes({1, 1, 1, 2, 'l', '_', 'a', 0, 0, 0, 0, 1}),  // marker missing
  };
  for (const auto& data : cases)
  {
    AAX_CChunkDataParser parser;
    parser.AppendInt32("a", 1);
    ExactChunk chunk(data, 3);
    EXPECT_EQ(0, parser.LoadChunkData(chunk.Get()));
    EXPECT_EQ(0, parser.NumEntries());
    EXPECT_EQ(3, parser.ChunkVersion());
    double d;
    EXPECT_FALSE(parser.FindDouble("a", &d));
  }
  AAX_CChunkDataParser parser;
  ExactChunk negative(0);
  negative.Get()->mSize = -8;
  EXPECT_EQ(0, parser.LoadChunkData(negative.Get()));
  EXPECT_EQ(0, parser.NumEntries());
}

TEST(ChunkDataParser, RefusedLoadChangesNothing)
{
  AAX_CChunkDataParser parser;
  parser.AppendInt32("kept", 4);
  const std::vector<unsigned char> before = Write(parser);

  std::vector<unsigned char> truncated = ForeignChunk();
  truncated.resize(truncated.size() - 2);  // the string loses its terminator
  ExactChunk chunk(truncated, 9);
  EXPECT_EQ(kOverflow, parser.LoadChunkData(chunk.Get()));
  EXPECT_EQ(-1, parser.ChunkVersion());
  EXPECT_EQ(before, Write(parser));

  EXPECT_EQ(-20002, parser.LoadChunkData(nullptr));

  // A size word claiming more than the host handed over.
  ExactChunk claim(ForeignChunk());
  EXPECT_EQ(kOverflow, parser.LoadChunkData(claim.Get(), claim.Get()->mSize - 1));
  EXPECT_EQ(before, Write(parser));
  EXPECT_EQ(0, parser.LoadChunkData(claim.Get(), claim.Get()->mSize));
}

TEST(ChunkDataParser, UnknownTagsAreSizedAsWritten)
{
  // "x_" is no kind: it keeps its name and has no value bytes.
  ExactChunk chunk(Bytes({1, 1, 1, 1, 'x', '_', 'a', 'b', 'c', 0, 0, 0, 'l', '_', 'n', 0, 0, 0, 0, 3}));
  AAX_CChunkDataParser parser;
  ASSERT_EQ(0, parser.LoadChunkData(chunk.Get()));
  ASSERT_EQ(2, parser.NumEntries());
  EXPECT_EQ(AAX_CChunkDataParser::kKindNone, parser.EntryAt(0).mKind);
  EXPECT_STREQ("abc", parser.EntryAt(0).mName.Text());
  EXPECT_EQ(20, parser.ChunkDataSize());
  EXPECT_EQ(Bytes({1, 1, 1, 1, 0, 0, 'a', 'b', 'c', 0, 0, 0, 'l', '_', 'n', 0, 0, 0, 0, 3}), Write(parser));
}

TEST(ChunkDataParser, ShortFieldsHaveEmptyNames)
{
  ExactChunk chunk(Bytes({1, 1, 1, 1, 'l', 0, 0, 0, 0, 0, 0, 5, 0, 0, 0, 0}));
  AAX_CChunkDataParser parser;
  ASSERT_EQ(0, parser.LoadChunkData(chunk.Get()));
  ASSERT_EQ(2, parser.NumEntries());
  EXPECT_STREQ("", parser.EntryAt(0).mName.Text());
  EXPECT_EQ(5u, parser.EntryAt(0).mValue);
  EXPECT_EQ(AAX_CChunkDataParser::kKindNone, parser.EntryAt(1).mKind);
}

// Every load either succeeds with entries that write back within their size, or
// is refused; nothing is read past the data handed over.
void ExpectSafe(const std::vector<unsigned char>& data, const char* what, size_t at)
{
  AAX_CChunkDataParser parser;
  parser.AppendInt32("sentinel", 1);
  ExactChunk chunk(data);
  const int32_t result = parser.LoadChunkData(chunk.Get());
  if (result == 0)
  {
    Write(parser);
  }
  else
  {
    EXPECT_EQ(kOverflow, result) << what << " " << at;
    int32_t v = 0;
    EXPECT_TRUE(parser.FindInt32("sentinel", &v)) << what << " " << at;
  }
}

TEST(ChunkDataParser, EveryTruncationIsRefusedOrParsedSafely)
{
  AAX_CChunkDataParser source;
  source.AppendDouble("d", 0.5);
  source.AppendString("long name", AAX_CString("text"));
  source.AppendInt32("i", 3);
  for (const std::vector<unsigned char>& full : {Write(source), ForeignChunk()})
  {
    for (size_t n = 0; n < full.size(); ++n)
      ExpectSafe(std::vector<unsigned char>(full.begin(), full.begin() + static_cast<long>(n)), "truncated to", n);
  }
}

TEST(ChunkDataParser, EverySingleByteCorruptionIsRefusedOrParsedSafely)
{
  const std::vector<unsigned char> full = ForeignChunk();
  const unsigned char values[] = {0x00, 0x01, 0xFF, 'd', 'f', 'l', 's', 'r', '_', 'x'};
  for (size_t at = 0; at < full.size(); ++at)
  {
    for (unsigned char v : values)
    {
      std::vector<unsigned char> corrupt = full;
      corrupt[at] = v;
      ExpectSafe(corrupt, "corrupted at", at);
      corrupt[at] = static_cast<unsigned char>(full[at] ^ 0x80);
      ExpectSafe(corrupt, "bit 7 flipped at", at);
    }
  }
}

}  // namespace
