#pragma once

#include <cstdint>
#include <map>
#include <new>

#include "aax-support/AAX_CString.h"
#include "aax-support/AAX_IDisplayDelegate.h"

// Looks values up in a table of texts, and texts back up in the reverse table.
template <typename T>
class AAX_CStringDisplayDelegate final : public AAX_IDisplayDelegate<T>
{
public:
  AAX_DESTRUCTOR_SLOT

  explicit AAX_CStringDisplayDelegate(const std::map<T, AAX_CString>& valueToStringMap)
    : mValueToString(valueToStringMap)
  {
    // Ascending value order and no overwrite: a text under several values finds the smallest.
    for (const auto& entry : mValueToString)
      mStringToValue.insert(std::make_pair(entry.second, entry.first));
  }

  AAX_IDisplayDelegate<T>* Clone() const override { return new (std::nothrow) AAX_CStringDisplayDelegate(*this); }

  // The table's texts are never shortened.
  bool ValueToStringWithSize(T value, int32_t, AAX_CString* valueString) const override
  {
    return ValueToString(value, valueString);
  }

  bool ValueToString(T value, AAX_CString* valueString) const override
  {
    if (!valueString)
      return false;
    auto found = mValueToString.find(value);
    if (found == mValueToString.end())
    {
      *valueString = "String Not Found";
      return false;
    }
    *valueString = found->second;
    return true;
  }

  bool StringToValue(const AAX_CString& valueString, T* value) const override
  {
    auto found = mStringToValue.find(valueString);
    bool ok = found != mStringToValue.end();
    if (value)
      *value = ok ? found->second : T(0);
    return ok;
  }

private:
  std::map<T, AAX_CString> mValueToString;
  std::map<AAX_CString, T> mStringToValue;
};
