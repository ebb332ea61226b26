#pragma once

#include <new>

#include "aax-support/AAX_CString.h"
#include "aax-support/AAX_IDisplayDelegate.h"

// Two fixed texts for off and on.
template <typename T>
class AAX_CBinaryDisplayDelegate final : public AAX_IDisplayDelegate<T>
{
public:
  AAX_DESTRUCTOR_SLOT

  AAX_CBinaryDisplayDelegate(const char* falseString, const char* trueString)
    : mFalseString(falseString), mTrueString(trueString)
  {
  }

  AAX_IDisplayDelegate<T>* Clone() const override { return new (std::nothrow) AAX_CBinaryDisplayDelegate(*this); }

  // The texts are never shortened.
  bool ValueToStringWithSize(T value, int32_t, AAX_CString* valueString) const override
  {
    return ValueToString(value, valueString);
  }

  bool ValueToString(T value, AAX_CString* valueString) const override
  {
    if (!valueString)
      return false;
    *valueString = value ? mTrueString : mFalseString;
    return true;
  }

  // Exact match; the true text wins when both texts are equal.
  bool StringToValue(const AAX_CString& valueString, T* value) const override
  {
    bool isTrue = valueString == mTrueString;
    if (value)
      *value = isTrue;
    return isTrue || valueString == mFalseString;
  }

private:
  AAX_CString mFalseString;
  AAX_CString mTrueString;
};
