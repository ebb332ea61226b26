// The framework's power taper as the host uses it.

#include "formats/aax/AAX_CIPlugTaperDelegate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

TEST(IPlugTaper, MapsThePowerCurveBothWaysAndClamps)
{
  const AAX_CIPlugTaperDelegate<double> taper(0.0, 10.0, 2.0);
  EXPECT_DOUBLE_EQ(taper.NormalizedToReal(0.5), 2.5);
  EXPECT_DOUBLE_EQ(taper.RealToNormalized(2.5), 0.5);
  const struct { double real; double normalized; } rows[] = {
    { 20.0, 1.0 }, { -5.0, 0.0 }, { 0.0, 0.0 }, { 10.0, 1.0 }, { std::nan(""), 0.0 },
  };
  for (const auto& row : rows)
    EXPECT_DOUBLE_EQ(taper.RealToNormalized(row.real), row.normalized) << row.real;
  // x is limited to [0, 1] before the power: an even shape would turn -0.5
  // into 2.5, a fractional one into NaN; a NaN is the bottom too.
  const AAX_CIPlugTaperDelegate<double> root(0.0, 10.0, 0.5);
  const struct { const AAX_CIPlugTaperDelegate<double>& taper; double x; double real; } limited[] = {
    { taper, -0.5, 0.0 }, { taper, 2.0, 10.0 }, { root, -0.5, 0.0 }, { root, 4.0, 10.0 },
    { taper, std::nan(""), 0.0 }, { root, std::nan(""), 0.0 },
  };
  for (const auto& row : limited)
    EXPECT_DOUBLE_EQ(row.taper.NormalizedToReal(row.x), row.real) << row.x;
  EXPECT_DOUBLE_EQ(taper.ConstrainRealValue(-1.0), 0.0);

  std::unique_ptr<AAX_ITaperDelegate<double>, AaxDeleter> copy(taper.Clone());
  ASSERT_TRUE(copy);
  EXPECT_DOUBLE_EQ(copy->GetMinimumValue(), 0.0);
  EXPECT_DOUBLE_EQ(copy->GetMaximumValue(), 10.0);
  EXPECT_DOUBLE_EQ(copy->NormalizedToReal(0.5), 2.5);

  // An empty range gives the bottom, not NaN.
  const AAX_CIPlugTaperDelegate<double> flat(3.0, 3.0, 1.0);
  EXPECT_DOUBLE_EQ(flat.RealToNormalized(3.0), 0.0);
}
