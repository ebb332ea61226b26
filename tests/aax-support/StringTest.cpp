#include <clocale>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "aax-support/AAX_CString.h"

namespace {

TEST(AAX_CString, NullAndEmpty)
{
  AAX_CString fromNull(static_cast<const char*>(nullptr));
  EXPECT_EQ(fromNull.Length(), 0u);
  ASSERT_NE(fromNull.Text(), nullptr);
  EXPECT_STREQ(fromNull.Text(), "");

  AAX_CString s("abc");
  s.SetText(nullptr); // a host may hand us null
  EXPECT_STREQ(s.Text(), "");
  EXPECT_EQ(AAX_CString().MaxLength(), 0xFFFFFFFEu);
  EXPECT_EQ(AAX_CString("some text").MaxLength(), 0xFFFFFFFEu);
}

TEST(AAX_CString, CopiesAndAssignsThroughTheInterface)
{
  AAX_CString a("first");
  AAX_IString& asInterface = a;
  AAX_CString fromInterface(asInterface);
  EXPECT_STREQ(fromInterface.Text(), "first");

  AAX_CString b;
  AAX_IString& r = b.AssignString(a);
  EXPECT_EQ(&r, &b);
  EXPECT_STREQ(b.Text(), "first");
  EXPECT_EQ(&b.AssignText("second"), &b);
  EXPECT_STREQ(b.Text(), "second");

  b = b; // self-assignment keeps the text
  EXPECT_STREQ(b.Text(), "second");
  b.AssignString(b);
  EXPECT_STREQ(b.Text(), "second");

  // Bytes are not interpreted: high bytes count one each.
  AAX_CString bytes("\xC3\xA9t\xE9");
  EXPECT_EQ(bytes.Length(), 4u);
}

TEST(AAX_CString, ComparisonIsBytewiseAndUnsigned)
{
  EXPECT_TRUE(AAX_CString("ab") < AAX_CString("abc"));
  EXPECT_TRUE(AAX_CString("abc") < AAX_CString("abd"));
  EXPECT_FALSE(AAX_CString("abc") < AAX_CString("abc"));
  EXPECT_TRUE(AAX_CString("Z") < AAX_CString("a")); // upper case first
  EXPECT_TRUE(AAX_CString("z") < AAX_CString("\xE9")); // high bytes after ASCII
  EXPECT_TRUE(AAX_CString("on") == AAX_CString("on"));
  EXPECT_TRUE(AAX_CString("on") != AAX_CString("On"));
  EXPECT_FALSE(AAX_CString("") != AAX_CString(static_cast<const char*>(nullptr)));
}

TEST(AAX_CString, EraseSubStringAndCharAt)
{
  AAX_CString s("hello");
  s.Erase(3, 100);
  EXPECT_STREQ(s.Text(), "hel");
  s.Erase(1, 1);
  EXPECT_STREQ(s.Text(), "hl");
  s.Erase(7, 1); // beyond the end: nothing
  EXPECT_STREQ(s.Text(), "hl");

  AAX_CString five("abcde");
  AAX_CString out("old");
  five.SubString(4, 2, &out);
  EXPECT_STREQ(out.Text(), "e");
  five.SubString(1, 3, &out);
  EXPECT_STREQ(out.Text(), "bcd");
  five.SubString(5, 1, &out);
  EXPECT_STREQ(out.Text(), "");
  five.SubString(9, 1, &out); // beyond the end: empty, no fault
  EXPECT_STREQ(out.Text(), "");
  five.SubString(1, 2, &five); // into itself
  EXPECT_STREQ(five.Text(), "bc");
  five.SubString(0, 1, nullptr);

  AAX_CString c("xyz");
  EXPECT_EQ(*c.CharAt(1), 'y');
  *c.CharAt(0) = 'X';
  EXPECT_STREQ(c.Text(), "Xyz");
  EXPECT_EQ(*c.CharAt(3), '\0');
  EXPECT_EQ(*c.CharAt(50), '\0'); // cut to the terminator, not past the buffer
}

TEST(AAX_CString, AppendNumber)
{
  struct { const char* start; double value; int precision; const char* text; } cases[] = {
    { "", 5.0, 2, "5.00" },
    { "x", 0.5, 1, "x0.5" },
    { "", -3.0, 0, "-3" },
    { "", -3.14159, 2, "-3.14" },
    { "", 2.675, 2, "2.67" },   // the double is just below 2.675
    { "", 0.125, 2, "0.12" },   // exact halves round to even, as printf does
    { "", 1234567.891, 1, "1234567.9" },
    { "", 1e21, 0, "1000000000000000000000" },
    { "", 7.0, -4, "7" },       // a negative precision counts as 0
  };
  for (const auto& c : cases)
  {
    AAX_CString s(c.start);
    AAX_CString& r = s.AppendNumber(c.value, c.precision);
    EXPECT_EQ(&r, &s);
    EXPECT_STREQ(s.Text(), c.text) << c.value << " precision " << c.precision;
  }
}

TEST(AAX_CString, NumbersIgnoreTheProcessLocale)
{
  // A locale with a decimal comma, where the host environment provides one.
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = previous ? previous : "C";
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "German_Germany.1252"))
    GTEST_SKIP() << "no locale with a decimal comma";
  AAX_CString s;
  s.AppendNumber(1.5, 2);
  double value = 0.0;
  bool ok = AAX_CString("2.25").ToDouble(&value);
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_STREQ(s.Text(), "1.50");
  EXPECT_TRUE(ok);
  EXPECT_EQ(value, 2.25);
}

TEST(AAX_CString, ToDouble)
{
  struct { const char* text; bool ok; double value; } cases[] = {
    { "3.5 dB", true, 3.5 },
    { "-1e2", true, -100.0 },
    { "x1", false, 0.0 },
    { "", false, 0.0 },
    { "   \t2.9", true, 2.9 },
    { "+4", true, 4.0 },
    { "12abc", true, 12.0 },
    { ".5", true, 0.5 },
    { "5.", true, 5.0 },
    { ".", false, 0.0 },
    { "-", false, 0.0 },
    { "2e", true, 2.0 },       // an exponent without digits is not read
    { "2e+", true, 2.0 },
    { "1.5E-1x", true, 0.15 },
    { "inf", false, 0.0 },     // only decimal numbers
    { "nan", false, 0.0 },
    { "0x10", true, 0.0 },     // no hexadecimal: reads the 0
    { "1e400", true, HUGE_VAL },
    { "-1e400", true, -HUGE_VAL },
    { "0.5e400", true, HUGE_VAL },  // huge, though its whole part is 0
    { "0.05e310", true, HUGE_VAL },
    { "5e-400", true, 0.0 },
    { "1000e-330", true, 0.0 },
    { "1e-400", true, 0.0 },
  };
  for (const auto& c : cases)
  {
    double value = 99.0;
    EXPECT_EQ(AAX_CString(c.text).ToDouble(&value), c.ok) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
}

} // namespace
