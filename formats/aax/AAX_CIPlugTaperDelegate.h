#pragma once

#include <cmath>
#include <new>

#include "aax-support/AAX_ITaperDelegate.h"

// The framework's power-shaped range for the host: real = x^shape x
// (max - min) + min for normalised x, and back.
template <typename T>
class AAX_CIPlugTaperDelegate final : public AAX_ITaperDelegate<T>
{
public:
  AAX_DESTRUCTOR_SLOT

  AAX_CIPlugTaperDelegate(T minValue, T maxValue, double shape)
    : mMin(minValue), mMax(maxValue), mShape(shape)
  {
  }

  AAX_ITaperDelegate<T>* Clone() const override { return new (std::nothrow) AAX_CIPlugTaperDelegate(*this); }
  T GetMaximumValue() const override { return mMax; }
  T GetMinimumValue() const override { return mMin; }

  T ConstrainRealValue(T value) const override
  {
    if (value > mMax)
      return mMax;
    if (value < mMin)
      return mMin;
    return value;
  }

  // x is limited to [0, 1] first: a negative x would give a NaN or a value
  // beyond the range before the constraint, and a NaN (which no comparison
  // limits) would pass through it; both give the bottom.
  T NormalizedToReal(double normalized) const override
  {
    normalized = !(normalized > 0.0) ? 0.0 : (normalized > 1.0 ? 1.0 : normalized);
    return ConstrainRealValue(T(std::pow(normalized, mShape) * double(mMax - mMin) + double(mMin)));
  }

  double RealToNormalized(T realValue) const override
  {
    // An empty range or a NaN maps to the bottom rather than to NaN.
    double x = std::pow(double(ConstrainRealValue(realValue) - mMin) / double(mMax - mMin), 1.0 / mShape);
    if (!(x >= 0.0))
      return 0.0;
    if (x > 1.0)
      return 1.0;
    return x;
  }

private:
  T mMin;
  T mMax;
  double mShape;
};
