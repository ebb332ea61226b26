#pragma once

#include <cstdint>

#include "aax-support/AaxDestructorSlot.h"

class AAX_CString;

// Turns a parameter's real value into host text and typed text back into a
// value. Parameters and decorators keep clones of the display they are given.
class AAX_IDisplayDelegateBase
{
public:
  virtual void* ScalarDeletingDestructor(uint32_t flags) = 0;

protected:
  ~AAX_IDisplayDelegateBase() = default;
};

template <typename T>
class AAX_IDisplayDelegate : public AAX_IDisplayDelegateBase
{
public:
  // New copy owned by the caller; null when memory is exhausted.
  virtual AAX_IDisplayDelegate* Clone() const = 0;
  virtual bool ValueToStringWithSize(T value, int32_t maxNumChars, AAX_CString* valueString) const = 0;
  virtual bool ValueToString(T value, AAX_CString* valueString) const = 0;
  virtual bool StringToValue(const AAX_CString& valueString, T* value) const = 0;

protected:
  ~AAX_IDisplayDelegate() = default;
};
