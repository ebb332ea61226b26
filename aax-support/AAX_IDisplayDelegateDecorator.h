#pragma once

#include <cstdint>

#include "aax-support/AAX_IDisplayDelegate.h"

// A display that wraps another and passes everything through to it. The
// decorator owns its own clone of the inner display; copies clone it again,
// so no two decorators share one.
template <typename T>
class AAX_IDisplayDelegateDecorator : public AAX_IDisplayDelegate<T>
{
public:
  explicit AAX_IDisplayDelegateDecorator(const AAX_IDisplayDelegate<T>& displayDelegate)
    : mWrappedDisplayDelegate(displayDelegate.Clone())
  {
  }

  AAX_IDisplayDelegateDecorator(const AAX_IDisplayDelegateDecorator& other)
    : AAX_IDisplayDelegate<T>(other),
      mWrappedDisplayDelegate(other.mWrappedDisplayDelegate ? other.mWrappedDisplayDelegate->Clone() : nullptr)
  {
  }

  AAX_IDisplayDelegateDecorator& operator=(const AAX_IDisplayDelegateDecorator&) = delete;

  AAX_IDisplayDelegate<T>* Clone() const override = 0;

  // Without an inner display (its clone failed) every conversion fails.
  bool ValueToStringWithSize(T value, int32_t maxNumChars, AAX_CString* valueString) const override
  {
    return mWrappedDisplayDelegate && mWrappedDisplayDelegate->ValueToStringWithSize(value, maxNumChars, valueString);
  }

  bool ValueToString(T value, AAX_CString* valueString) const override
  {
    return mWrappedDisplayDelegate && mWrappedDisplayDelegate->ValueToString(value, valueString);
  }

  bool StringToValue(const AAX_CString& valueString, T* value) const override
  {
    return mWrappedDisplayDelegate && mWrappedDisplayDelegate->StringToValue(valueString, value);
  }

protected:
  ~AAX_IDisplayDelegateDecorator() { AaxDelete(mWrappedDisplayDelegate); }

  bool HasInner() const { return mWrappedDisplayDelegate != nullptr; }

private:
  AAX_IDisplayDelegate<T>* mWrappedDisplayDelegate;
};
