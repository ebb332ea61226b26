#include <gtest/gtest.h>

#include <string>

#include "drawing/LICE_CachedFont.h"

namespace
{
  struct Utf8Case
  {
    const char* name;
    std::string bytes;
    int maxBytes;
    int code;
    int used;
  };

  const Utf8Case kCases[] = {
    {"ascii", "A", -1, 'A', 1},
    {"two byte", "\xC3\xA9", -1, 0xE9, 2},
    {"two byte highest", "\xDF\xBF", -1, 0x7FF, 2},
    {"three byte", "\xE2\x82\xAC", -1, 0x20AC, 3},
    {"three byte overlong kept to 16 bits", "\xE0\x80\x80", -1, 0, 3},
    {"four byte is a space", "\xF0\x9F\x98\x80", -1, ' ', 4},
    {"four byte F4", "\xF4\x8F\xBF\xBF", -1, ' ', 4},
    {"lone lead then ascii", "\xE9" "a", -1, 0xE9, 1},
    {"overlong C0 80", "\xC0\x80", -1, 0xC0, 1},
    {"C1 is never a lead", "\xC1\xBF", -1, 0xC1, 1},
    {"lone continuation", "\x80", -1, 0x80, 1},
    {"F5 is never a lead", "\xF5\x80\x80\x80", -1, 0xF5, 1},
    {"three byte cut by zero", std::string("\xE2\x82\x00", 3), -1, 0xE2, 1},
    {"four byte with a bad third byte", "\xF0\x9F" "A\x80", -1, 0xF0, 1},
    // A bounded text never reads past its length: a cut-off sequence is its lead byte.
    {"two byte cut by length", "\xC3\xA9", 1, 0xC3, 1},
    {"three byte cut by length", "\xE2\x82\xAC", 2, 0xE2, 1},
    {"four byte cut by length", "\xF0\x9F\x98\x80", 3, 0xF0, 1},
    {"bounded but complete", "\xE2\x82\xAC", 3, 0x20AC, 3},
  };
}

TEST(Utf8Decode, Table)
{
  for (const Utf8Case& c : kCases)
  {
    int code = -1;
    EXPECT_EQ(c.used, LICE_DecodeUTF8Char(c.bytes.data(), &code, c.maxBytes)) << c.name;
    EXPECT_EQ(c.code, code) << c.name;
  }
}

TEST(Utf8Decode, NullCodeAllowed)
{
  EXPECT_EQ(2, LICE_DecodeUTF8Char("\xC3\xA9", nullptr));
}

TEST(Utf8Decode, BoundedReadStaysInsideBuffer)
{
  // Each truncated lead sits at the very end of its own heap block, so a read
  // past the bound is an out-of-bounds read under the sanitizer build.
  for (const char lead : {'\xC3', '\xE2', '\xF0'})
  {
    char* block = new char[1];
    block[0] = lead;
    int code = 0;
    EXPECT_EQ(1, LICE_DecodeUTF8Char(block, &code, 1));
    EXPECT_EQ((unsigned char)lead, code);
    delete[] block;
  }
}
