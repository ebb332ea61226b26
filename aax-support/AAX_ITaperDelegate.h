#pragma once

#include "aax-support/AaxDestructorSlot.h"

// Maps a parameter's real value to the host's normalised range [0, 1] and
// back. Parameters keep a clone of the taper they are given.
class AAX_ITaperDelegateBase
{
public:
  virtual void* ScalarDeletingDestructor(uint32_t flags) = 0;

protected:
  ~AAX_ITaperDelegateBase() = default;
};

template <typename T>
class AAX_ITaperDelegate : public AAX_ITaperDelegateBase
{
public:
  // New copy owned by the caller; null when memory is exhausted.
  virtual AAX_ITaperDelegate* Clone() const = 0;
  virtual T GetMaximumValue() const = 0;
  virtual T GetMinimumValue() const = 0;
  virtual T ConstrainRealValue(T value) const = 0;
  virtual T NormalizedToReal(double normalized) const = 0;
  virtual double RealToNormalized(T realValue) const = 0;

protected:
  ~AAX_ITaperDelegate() = default;
};
