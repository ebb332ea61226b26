#pragma once

#include <new>

#include "aax-support/AAX_ITaperDelegate.h"

// On/off taper: any normalised value above 0 is on.
template <typename T>
class AAX_CBinaryTaperDelegate final : public AAX_ITaperDelegate<T>
{
public:
  AAX_DESTRUCTOR_SLOT

  AAX_ITaperDelegate<T>* Clone() const override { return new (std::nothrow) AAX_CBinaryTaperDelegate(*this); }
  T GetMaximumValue() const override { return true; }
  T GetMinimumValue() const override { return false; }
  T ConstrainRealValue(T value) const override { return value; }
  // NaN and negative values compare false.
  T NormalizedToReal(double normalized) const override { return normalized > 0.0; }
  double RealToNormalized(T realValue) const override { return realValue ? 1.0 : 0.0; }
};
