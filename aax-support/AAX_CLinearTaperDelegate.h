#pragma once

#include <cstdint>
#include <new>

#include "aax-support/AAX_ITaperDelegate.h"
#include "aax-support/AAX_TruncateReal.h"

// Straight-line taper over [minimum, maximum] for whole-number values:
// normalised positions map to reals truncated toward zero, not rounded.
template <typename T, int32_t RealPrecision = 0>
class AAX_CLinearTaperDelegate final : public AAX_ITaperDelegate<T>
{
  static_assert(RealPrecision == 0, "only whole-number real values are supported");

public:
  AAX_DESTRUCTOR_SLOT

  AAX_CLinearTaperDelegate(T minimum, T maximum) : mMinimum(minimum), mMaximum(maximum) {}

  AAX_ITaperDelegate<T>* Clone() const override { return new (std::nothrow) AAX_CLinearTaperDelegate(*this); }
  T GetMaximumValue() const override { return mMaximum; }
  T GetMinimumValue() const override { return mMinimum; }

  T ConstrainRealValue(T value) const override
  {
    if (value > mMaximum)
      return mMaximum;
    if (value < mMinimum)
      return mMinimum;
    return value;
  }

  T NormalizedToReal(double normalized) const override
  {
    double real = (double(mMaximum) - double(mMinimum)) * normalized + double(mMinimum);
    return ConstrainRealValue(AAX_TruncateReal<T>(real, mMinimum));
  }

  double RealToNormalized(T realValue) const override
  {
    double span = double(mMaximum) - double(mMinimum);
    // An empty range has one position; reporting 0 avoids dividing zero by zero.
    if (span == 0.0)
      return 0.0;
    return (double(ConstrainRealValue(realValue)) - double(mMinimum)) / span;
  }

private:
  T mMinimum;
  T mMaximum;
};
