#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "framework/IParamRecord.h"

namespace {

std::string Format(const IParamRecord& p, double value, bool normalised, bool displayText = true)
{
  char text[IParamRecord::kTextSize];
  p.FormatValue(value, normalised, text, int(sizeof(text)), displayText);
  return text;
}

std::string Current(const IParamRecord& p)
{
  char text[IParamRecord::kTextSize];
  p.FormatCurrentValue(text, int(sizeof(text)));
  return text;
}

TEST(IParamRecord, FreshRecordDefaults)
{
  IParamRecord p;
  EXPECT_EQ(p.Kind(), IParamRecord::kNone);
  EXPECT_EQ(p.Value(), 0.0);
  EXPECT_EQ(p.GetMin(), 0.0);
  EXPECT_EQ(p.GetMax(), 1.0);
  EXPECT_EQ(p.GetStep(), 1.0);
  EXPECT_EQ(p.GetShape(), 1.0);
  EXPECT_TRUE(p.GetCanAutomate());
  EXPECT_STREQ(p.GetNameForHost(), "");
  EXPECT_EQ(p.GetDisplayTextCount(), 0);
}

TEST(IParamRecord, InitBool)
{
  IParamRecord p;
  p.InitBool("Bypass", true, "lbl", "grp");
  EXPECT_EQ(p.Kind(), IParamRecord::kBool);
  EXPECT_STREQ(p.GetNameForHost(), "Bypass");
  EXPECT_STREQ(p.GetGroupForHost(), "grp");
  EXPECT_EQ(p.Value(), 1.0);
  EXPECT_EQ(p.GetDefault(), 1.0);
  EXPECT_EQ(p.GetStep(), 0.1);
  EXPECT_EQ(p.GetPrecision(), 1);
  ASSERT_EQ(p.GetDisplayTextCount(), 2);
  EXPECT_STREQ(p.GetDisplayTextForValue(0), "off");
  EXPECT_STREQ(p.GetDisplayTextForValue(1), "on");
  EXPECT_STREQ(p.GetDisplayTextForValue(2), ""); // missing key: empty, never null
}

TEST(IParamRecord, BoolFromNormalisedQuantisesByTenths)
{
  IParamRecord p;
  p.InitBool("Bypass", false, "lbl");
  struct { double x; double value; const char* text; } cases[] = {
    {0.37, 0.4, "off"}, {0.5, 0.5, "off"}, {1.0, 1.0, "on"}, {0.0, 0.0, "off"}};
  for (const auto& c : cases)
  {
    p.SetFromNormalised(c.x);
    EXPECT_NEAR(p.Value(), c.value, 1e-12) << c.x;
    EXPECT_EQ(Current(p), c.text) << c.x;
    EXPECT_STREQ(p.GetLabelForHost(), "") << c.x; // a display text hides the label
  }
}

TEST(IParamRecord, ShapedDoubleIsNotQuantised)
{
  IParamRecord p;
  p.InitDouble("Dist. Amount", 0.0, 0.0, 100.0, 0.1, "%", "", 1.0);
  p.SetShape(2.0);
  p.SetFromNormalised(0.5);
  EXPECT_EQ(p.Value(), 25.0);
  EXPECT_EQ(p.GetNormalised(), 0.5);
  EXPECT_STREQ(p.GetLabelForHost(), "%");
  EXPECT_EQ(Current(p), "25.0");
  EXPECT_EQ(Format(p, 0.5, true), "25.0");
}

TEST(IParamRecord, UnitStepRoundsHalvesAwayFromZero)
{
  IParamRecord p;
  p.InitDouble("Steps", 0.0, -10.0, 10.0, 1.0);
  // Plain 2.5 and -2.5 as normalised positions in [-10, 10].
  p.SetFromNormalised(12.5 / 20.0);
  EXPECT_EQ(p.Value(), 3.0);
  p.SetFromNormalised(7.5 / 20.0);
  EXPECT_EQ(p.Value(), -3.0);
}

TEST(IParamRecord, InitDoubleRules)
{
  IParamRecord p;
  p.InitDouble("Flat", 0.0, 0.0, 0.0, 1.0, "", "", 0.0);
  EXPECT_EQ(p.GetMax(), 1.0);   // raised to min + step
  EXPECT_EQ(p.GetShape(), 1.0); // shape 0 keeps the previous shape
  p.SetShape(0.0);
  EXPECT_EQ(p.GetShape(), 1.0);

  struct { double step; int precision; } steps[] = {{1.0, 0}, {0.1, 1}, {0.01, 2}, {0.5, 1},
                                                    {0.001, 3}, {1e-7, 6}, {5.0, 0}};
  for (const auto& s : steps)
  {
    IParamRecord q;
    q.InitDouble("p", 0.0, 0.0, 100.0, s.step);
    EXPECT_EQ(q.GetPrecision(), s.precision) << s.step;
  }

  IParamRecord named;
  named.InitDouble("A name far longer than thirty-one characters", 0.0, 0.0, 1.0, 0.1);
  EXPECT_EQ(std::string(named.GetNameForHost()), "A name far longer than thirty-o");
}

TEST(IParamRecord, KindIsSetOnlyOnce)
{
  IParamRecord p;
  p.InitBool("b", false);
  p.InitDouble("d", 0.0, 0.0, 1.0, 0.1);
  EXPECT_EQ(p.Kind(), IParamRecord::kBool);
}

TEST(IParamRecord, QuantisedValueIsCappedAtMax)
{
  IParamRecord a;
  a.InitBool("a", false); // kind bool: quantised by its step
  a.InitDouble("a", 0.0, 0.0, 1.0, 0.3);
  a.SetFromNormalised(1.0);
  EXPECT_NEAR(a.Value(), 0.9, 1e-12);

  IParamRecord b;
  b.InitBool("b", false);
  b.InitDouble("b", 0.0, 0.0, 1.0, 0.4);
  b.SetFromNormalised(1.0); // 1.2 after quantisation
  EXPECT_EQ(b.Value(), 1.0);
}

TEST(IParamRecord, HostValuesAreLimitedToTheUnitRangeAndNaNIsIgnored)
{
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case
  {
    double shape, normalised, expected;
  };
  // From 25 of 0..100: a squared shape took -1 as the maximum, a linear
  // one as -100.
  const Case cases[] = {
    {2.0, -1.0, 0.0}, {2.0, -0.5, 0.0}, {2.0, -inf, 0.0}, {2.0, 1.5, 100.0}, {2.0, inf, 100.0},
    {2.0, nan, 25.0}, {1.0, -1.0, 0.0}, {1.0, -1e-300, 0.0}, {1.0, 2.0, 100.0},  {1.0, nan, 25.0},
    {2.0, 0.5, 25.0}, {1.0, 0.25, 25.0},
  };
  for (const Case& c : cases)
  {
    IParamRecord p;
    p.InitDouble("Level", 25.0, 0.0, 100.0, 0.1, "", "", c.shape);
    p.Set(25.0);
    p.SetFromNormalised(c.normalised);
    EXPECT_EQ(p.Value(), c.expected) << c.shape << " " << c.normalised;
  }

  double x = -0.25;
  EXPECT_TRUE(IParamRecord::LimitNormalised(x));
  EXPECT_EQ(x, 0.0);
  x = nan;
  EXPECT_FALSE(IParamRecord::LimitNormalised(x));
}

// What a host shows or sets is the value the parameter would take.
TEST(IParamRecord, HostDisplaysAndPlainValuesAreLimited)
{
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  IParamRecord p;
  p.InitDouble("Level", 25.0, 0.0, 100.0, 0.1, "", "", 2.0);
  struct Shown
  {
    double normalised;
    const char* text;
  };
  // Unlimited, the squared shape showed -1 as "100.0" and 2 as "400.0".
  const Shown shown[] = {{-1.0, "0.0"}, {-inf, "0.0"}, {2.0, "100.0"}, {inf, "100.0"},
                         {nan, "0.0"},  {0.5, "25.0"}, {1.0, "100.0"}};
  for (const Shown& c : shown) EXPECT_EQ(Format(p, c.normalised, true), c.text) << c.normalised;

  struct Plain
  {
    double plain, limited;
  };
  const Plain plain[] = {{150.0, 100.0}, {-5.0, 0.0}, {nan, 25.0},  {-inf, 0.0},
                         {inf, 100.0},   {33.3, 33.3}, {0.0, 0.0}};
  for (const Plain& c : plain) EXPECT_EQ(p.LimitPlain(c.plain), c.limited) << c.plain;
}

TEST(IParamRecord, ToNormalisedClampsAndInvertsShape)
{
  IParamRecord p;
  p.InitDouble("Level", 25.0, 0.0, 100.0, 0.1, "", "", 2.0);
  EXPECT_EQ(p.ToNormalised(25.0), 0.5);
  EXPECT_EQ(p.ToNormalised(-10.0), 0.0);
  EXPECT_EQ(p.ToNormalised(1000.0), 1.0);
}

TEST(IParamRecord, FormatValue)
{
  IParamRecord whole;
  whole.InitDouble("w", 0.0, 0.0, 10.0, 1.0);
  EXPECT_EQ(Format(whole, 2.9, false), "2");
  EXPECT_EQ(Format(whole, -2.9, false), "-2");

  IParamRecord negated;
  negated.InitDouble("n", 0.0, 0.0, 100.0, 0.1);
  negated.SetNegateDisplay(true);
  EXPECT_EQ(Format(negated, 25.0, false), "-25.0");

  IParamRecord texts;
  texts.InitDouble("t", 0.0, 0.0, 3.0, 1.0);
  texts.AddDisplayText(0, "zero");
  texts.AddDisplayText(1, "");      // empty text falls through to the number
  texts.AddDisplayText(0, "later"); // the first entry of a key wins
  EXPECT_EQ(Format(texts, 0.4, false), "zero");
  EXPECT_EQ(Format(texts, 0.4, false, false), "0");
  EXPECT_EQ(Format(texts, 1.0, false), "1");
  EXPECT_EQ(Format(texts, 2.0, false), "2");
  EXPECT_EQ(Format(texts, 1.0, true), "3"); // normalised 1 is max

  // The caller's buffer bounds the text.
  char small[4];
  negated.FormatValue(12345.0, false, small, int(sizeof(small)));
  EXPECT_STREQ(small, "-12");
}

} // namespace
