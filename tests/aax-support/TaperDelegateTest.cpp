#include <cmath>
#include <limits>
#include <memory>

#include <gtest/gtest.h>

#include "aax-support/AAX_CBinaryTaperDelegate.h"
#include "aax-support/AAX_CLinearTaperDelegate.h"

namespace {

typedef AAX_CLinearTaperDelegate<int, 0> LinearInt;

TEST(AAX_CBinaryTaperDelegate, Mapping)
{
  AAX_CBinaryTaperDelegate<bool> taper;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct { double normalised; bool real; } cases[] = {
    { 0.0, false }, { 0.0001, true }, { -1.0, false }, { 1.0, true }, { 7.0, true }, { nan, false },
  };
  for (const auto& c : cases)
    EXPECT_EQ(taper.NormalizedToReal(c.normalised), c.real) << c.normalised;
  EXPECT_EQ(taper.RealToNormalized(true), 1.0);
  EXPECT_EQ(taper.RealToNormalized(false), 0.0);
  EXPECT_TRUE(taper.GetMaximumValue());
  EXPECT_FALSE(taper.GetMinimumValue());
  EXPECT_TRUE(taper.ConstrainRealValue(true));
  EXPECT_FALSE(taper.ConstrainRealValue(false));

  std::unique_ptr<AAX_ITaperDelegate<bool>, AaxDeleter> clone(taper.Clone());
  ASSERT_NE(clone, nullptr);
  EXPECT_TRUE(clone->NormalizedToReal(0.5));
}

TEST(AAX_CLinearTaperDelegate, NormalizedToRealTruncatesAndLimits)
{
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct { int min, max; double normalised; int real; } cases[] = {
    { 0, 10, 0.55, 5 },
    { 0, 10, 1.2, 10 },
    { 0, 10, -0.1, 0 },
    { 0, 10, 0.0, 0 },
    { 0, 10, 1.0, 10 },
    { -5, 5, 0.25, -2 },   // -2.5 toward zero, not -3
    { -5, 5, 0.75, 2 },
    { 0, 100, 0.29, 28 },  // 28.999999999999996
    // Far outside [0, 1] or NaN the product is no int; the result is still in range.
    { 0, 10, 1e300, 10 },
    { 0, 10, -1e300, 0 },
    { 0, 10, nan, 0 },
    { -2147483647 - 1, 2147483647, 1.0, 2147483647 },
    { -2147483647 - 1, 2147483647, 0.0, -2147483647 - 1 },
    { 3, 3, 0.5, 3 },
  };
  for (const auto& c : cases)
  {
    LinearInt taper(c.min, c.max);
    EXPECT_EQ(taper.NormalizedToReal(c.normalised), c.real) << "[" << c.min << ", " << c.max << "] " << c.normalised;
  }
}

TEST(AAX_CLinearTaperDelegate, RealToNormalizedAndRange)
{
  LinearInt taper(0, 10);
  struct { int real; double normalised; } cases[] = { { 3, 0.3 }, { 15, 1.0 }, { -4, 0.0 }, { 10, 1.0 }, { 0, 0.0 } };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(taper.RealToNormalized(c.real), c.normalised) << c.real;
  EXPECT_EQ(taper.GetMinimumValue(), 0);
  EXPECT_EQ(taper.GetMaximumValue(), 10);
  EXPECT_EQ(taper.ConstrainRealValue(11), 10);
  EXPECT_EQ(taper.ConstrainRealValue(-1), 0);
  EXPECT_EQ(taper.ConstrainRealValue(4), 4);

  LinearInt wide(0, 100);
  EXPECT_EQ(wide.NormalizedToReal(wide.RealToNormalized(29)), 28);

  // An empty range has no division to make: its one value sits at 0.
  LinearInt empty(4, 4);
  double n = empty.RealToNormalized(4);
  EXPECT_EQ(n, 0.0);
  EXPECT_EQ(empty.RealToNormalized(9), 0.0);
  EXPECT_EQ(empty.NormalizedToReal(n), 4);
}

TEST(AAX_CLinearTaperDelegate, CloneOutlivesTheOriginal)
{
  std::unique_ptr<AAX_ITaperDelegate<int>, AaxDeleter> clone;
  {
    auto original = std::make_unique<LinearInt>(-5, 5);
    clone.reset(original->Clone());
  }
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->GetMinimumValue(), -5);
  EXPECT_EQ(clone->GetMaximumValue(), 5);
  EXPECT_EQ(clone->NormalizedToReal(0.25), -2);
  EXPECT_DOUBLE_EQ(clone->RealToNormalized(0), 0.5);
}

} // namespace
