#pragma once

#include <cstdint>
#include <new>

#include "aax-support/AAX_CString.h"
#include "aax-support/AAX_IDisplayDelegate.h"
#include "aax-support/AAX_TruncateReal.h"

// The value as a fixed-point number with Precision decimals ("5.00"). A size
// limit cuts the text without rounding and drops a dangling decimal point.
template <typename T, int32_t Precision = 2, int32_t SpaceAfter = 0>
class AAX_CNumberDisplayDelegate final : public AAX_IDisplayDelegate<T>
{
  static_assert(SpaceAfter == 0, "the number display inserts no space");

public:
  AAX_DESTRUCTOR_SLOT

  AAX_IDisplayDelegate<T>* Clone() const override { return new (std::nothrow) AAX_CNumberDisplayDelegate(*this); }

  bool ValueToStringWithSize(T value, int32_t maxNumChars, AAX_CString* valueString) const override
  {
    if (!ValueToString(value, valueString))
      return false;
    uint32_t limit = maxNumChars > 0 ? uint32_t(maxNumChars) : 0;
    if (valueString->Length() > limit)
      valueString->Erase(limit, valueString->Length() - limit);
    if (limit > 0 && valueString->Length() == limit && *valueString->CharAt(limit - 1) == '.')
      valueString->Erase(limit - 1, 1);
    return true;
  }

  bool ValueToString(T value, AAX_CString* valueString) const override
  {
    if (!valueString)
      return false;
    valueString->Clear();
    valueString->AppendNumber(double(value), Precision);
    return true;
  }

  bool StringToValue(const AAX_CString& valueString, T* value) const override
  {
    double number = 0.0;
    bool ok = valueString.ToDouble(&number);
    if (value)
      *value = ok ? AAX_TruncateReal<T>(number, T(0)) : T(0);
    return ok;
  }
};
