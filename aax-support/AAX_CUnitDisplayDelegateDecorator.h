#pragma once

#include <cstdint>
#include <new>

#include "aax-support/AAX_CString.h"
#include "aax-support/AAX_IDisplayDelegateDecorator.h"

// Appends a unit text ("dB") to what the inner display produces, and accepts
// text with or without the unit.
template <typename T>
class AAX_CUnitDisplayDelegateDecorator final : public AAX_IDisplayDelegateDecorator<T>
{
public:
  AAX_DESTRUCTOR_SLOT

  AAX_CUnitDisplayDelegateDecorator(const AAX_IDisplayDelegate<T>& displayDelegate, const AAX_CString& unitString)
    : AAX_IDisplayDelegateDecorator<T>(displayDelegate), mUnitString(unitString)
  {
  }

  // A copy whose inner clone failed is no copy.
  AAX_IDisplayDelegate<T>* Clone() const override
  {
    AAX_CUnitDisplayDelegateDecorator* copy = new (std::nothrow) AAX_CUnitDisplayDelegateDecorator(*this);
    if (copy && !copy->HasInner())
    {
      AaxDelete(copy);
      copy = nullptr;
    }
    return copy;
  }

  bool ValueToString(T value, AAX_CString* valueString) const override
  {
    bool ok = AAX_IDisplayDelegateDecorator<T>::ValueToString(value, valueString);
    if (valueString)
      valueString->Append(mUnitString);
    return ok;
  }

  // The unit goes in whole or not at all.
  bool ValueToStringWithSize(T value, int32_t maxNumChars, AAX_CString* valueString) const override
  {
    bool ok = AAX_IDisplayDelegateDecorator<T>::ValueToStringWithSize(value, maxNumChars, valueString);
    if (!valueString)
      return ok;
    uint32_t length = valueString->Length();
    uint32_t limit = maxNumChars > 0 ? uint32_t(maxNumChars) : 0;
    if (length < limit && limit - length >= mUnitString.Length())
      valueString->Append(mUnitString);
    return ok;
  }

  bool StringToValue(const AAX_CString& valueString, T* value) const override
  {
    uint32_t unitLength = mUnitString.Length();
    uint32_t length = valueString.Length();
    if (length <= unitLength)
      return AAX_IDisplayDelegateDecorator<T>::StringToValue(valueString, value);
    AAX_CString tail;
    valueString.SubString(length - unitLength, unitLength, &tail);
    if (tail != mUnitString)
      return AAX_IDisplayDelegateDecorator<T>::StringToValue(valueString, value);
    AAX_CString head;
    valueString.SubString(0, length - unitLength, &head);
    return AAX_IDisplayDelegateDecorator<T>::StringToValue(head, value);
  }

private:
  AAX_CString mUnitString;
};
