#include "aax-support/AAX_CParameter.h"

#include <cmath>
#include <cstring>
#include <type_traits>

#include "aax-support/AAX_IAutomationDelegate.h"

template <typename T>
AAX_CParameter<T>::AAX_CParameter(const char* identifier, const AAX_CString& name, T defaultValue,
                                  const AAX_ITaperDelegate<T>& taperDelegate,
                                  const AAX_IDisplayDelegate<T>& displayDelegate, bool automatable)
  : mName(name),
    mAutomatable(automatable),
    mNumSteps(0),
    mType(AAX_eParameterType_Continuous),
    mOrientation(0),
    mTaperDelegate(taperDelegate.Clone()),
    mDisplayDelegate(displayDelegate.Clone()),
    mAutomationDelegate(nullptr),
    mNeedNotify(true),
    mValue(),
    mDefaultValue(defaultValue)
{
  // Longer identifiers are cut to what the field holds.
  size_t length = identifier ? std::strlen(identifier) : 0;
  if (length > kIdentifierSize - 1)
    length = kIdentifierSize - 1;
  if (length)
    std::memcpy(mIdentifier, identifier, length);
  mIdentifier[length] = '\0';

  if (mNumSteps == 0)
  {
    if (mType == AAX_eParameterType_Discrete)
      mNumSteps = 2;
    else if (mType == AAX_eParameterType_Continuous)
      mNumSteps = 128;
  }
  SetToDefaultValue();
}

template <typename T>
AAX_CParameter<T>::~AAX_CParameter()
{
  if (mAutomationDelegate)
  {
    mAutomationDelegate->UnregisterParameter(mIdentifier);
    mAutomationDelegate = nullptr;
  }
  AaxDelete(mTaperDelegate);
  AaxDelete(mDisplayDelegate);
}

template <typename T>
double AAX_CParameter<T>::ToNormalized(T value) const
{
  return mTaperDelegate ? mTaperDelegate->RealToNormalized(value) : 0.0;
}

template <typename T>
T AAX_CParameter<T>::ToReal(double normalizedValue) const
{
  return mTaperDelegate ? mTaperDelegate->NormalizedToReal(normalizedValue) : T();
}

template <typename T>
bool AAX_CParameter<T>::InTaperRange(T value) const
{
  return mTaperDelegate && mTaperDelegate->GetMinimumValue() <= value && value <= mTaperDelegate->GetMaximumValue();
}

template <typename T>
template <class Convert>
bool AAX_CParameter<T>::ToCallerString(AAX_CString* callerString, Convert convert) const
{
  if (!callerString || !mDisplayDelegate)
    return false;
  // Seeded with the caller's text, so what a display leaves alone stays.
  AAX_CString text = AaxCopyOfString(*callerString);
  const bool converted = convert(&text);
  AaxSetString(callerString, text);
  return converted;
}

template <typename T>
void AAX_CParameter<T>::SetName(const AAX_CString& name)
{
  mName = AaxCopyOfString(name);
}

template <typename T>
void AAX_CParameter<T>::AddShortenedName(const AAX_CString& name)
{
  AAX_CString copy = AaxCopyOfString(name);
  mShortenedNames[copy.Length()] = copy;
}

template <typename T>
const AAX_CString& AAX_CParameter<T>::ShortenedName(int32_t maxLength) const
{
  if (maxLength >= 0 && maxLength < int32_t(mName.Length()) && !mShortenedNames.empty())
  {
    // The longest short name that fits, or the shortest when none does.
    auto longer = mShortenedNames.upper_bound(uint32_t(maxLength));
    if (longer == mShortenedNames.begin())
      return longer->second;
    --longer;
    return longer->second;
  }
  return mName;
}

template <typename T>
void AAX_CParameter<T>::SetAutomationDelegate(AAX_IAutomationDelegate* automationDelegate)
{
  if (mAutomationDelegate)
    mAutomationDelegate->UnregisterParameter(mIdentifier);
  mAutomationDelegate = automationDelegate;
  if (mAutomationDelegate)
    mAutomationDelegate->RegisterParameter(mIdentifier);
}

template <typename T>
void AAX_CParameter<T>::Touch()
{
  if (mAutomationDelegate)
    mAutomationDelegate->PostTouchRequest(mIdentifier);
}

template <typename T>
void AAX_CParameter<T>::Release()
{
  if (mAutomationDelegate)
    mAutomationDelegate->PostReleaseRequest(mIdentifier);
}

template <typename T>
void AAX_CParameter<T>::RequestNormalized(double normalizedValue)
{
  if (mAutomationDelegate)
  {
    // The host answers with UpdateNormalizedValue; only then does the value change.
    Touch();
    mAutomationDelegate->PostSetValueRequest(mIdentifier, normalizedValue);
    Release();
  }
  else
  {
    mNeedNotify = true;
    UpdateNormalizedValue(normalizedValue);
  }
}

template <typename T>
void AAX_CParameter<T>::SetNormalizedValue(double normalizedValue)
{
  // A value from outside is limited to [0, 1]; a NaN changes nothing.
  if (std::isnan(normalizedValue))
    return;
  normalizedValue = normalizedValue < 0.0 ? 0.0 : (normalizedValue > 1.0 ? 1.0 : normalizedValue);
  // Quantised to a value the taper can represent.
  RequestNormalized(ToNormalized(ToReal(normalizedValue)));
}

template <typename T>
void AAX_CParameter<T>::SetValue(T value)
{
  RequestNormalized(ToNormalized(value));
}

template <typename T>
double AAX_CParameter<T>::NormalizedValue() const
{
  return ToNormalized(mValue);
}

template <typename T>
void AAX_CParameter<T>::SetNormalizedDefault(double normalizedDefault)
{
  // A NaN from outside changes nothing.
  if (std::isnan(normalizedDefault))
    return;
  T real = ToReal(normalizedDefault);
  mDefaultValue = mTaperDelegate ? mTaperDelegate->ConstrainRealValue(real) : real;
}

template <typename T>
double AAX_CParameter<T>::NormalizedDefault() const
{
  return ToNormalized(mDefaultValue);
}

template <typename T>
void AAX_CParameter<T>::SetToDefaultValue()
{
  SetValue(mDefaultValue);
}

template <typename T>
int32_t AAX_CParameter<T>::StepValue() const
{
  double steps = double(mNumSteps);
  if (steps < 2.0)
    return 0;
  double step = NormalizedValue() / (1.0 / (steps - 1.0)) + 0.5;
  if (!(step > 0.0)) // NaN included
    return 0;
  if (step > steps - 1.0)
    step = steps - 1.0;
  return int32_t(step);
}

template <typename T>
void AAX_CParameter<T>::SetStepValue(uint32_t step)
{
  double steps = double(mNumSteps);
  if (steps < 2.0)
    return;
  double normalized = (1.0 / (steps - 1.0)) * double(step);
  if (normalized < 0.0)
    normalized = 0.0;
  if (normalized > 1.0)
    normalized = 1.0;
  SetNormalizedValue(normalized);
}

template <typename T>
bool AAX_CParameter<T>::ValueStringWithSize(int32_t maxNumChars, AAX_CString* valueString) const
{
  return ToCallerString(valueString, [&](AAX_CString* text) {
    return mDisplayDelegate->ValueToStringWithSize(mValue, maxNumChars, text);
  });
}

template <typename T>
bool AAX_CParameter<T>::ValueString(AAX_CString* valueString) const
{
  return ToCallerString(valueString, [&](AAX_CString* text) { return mDisplayDelegate->ValueToString(mValue, text); });
}

template <typename T>
bool AAX_CParameter<T>::NormalizedValueFromString(const AAX_CString& valueString, double* normalizedValue) const
{
  T value = T();
  if (!mDisplayDelegate || !mDisplayDelegate->StringToValue(AaxCopyOfString(valueString), &value))
    return false;
  // Written even when out of range: the caller gets the limited position.
  if (normalizedValue)
    *normalizedValue = ToNormalized(value);
  return InTaperRange(value);
}

template <typename T>
bool AAX_CParameter<T>::StringFromNormalizedValueWithSize(double normalizedValue, int32_t maxNumChars,
                                                          AAX_CString* valueString) const
{
  T value = ToReal(normalizedValue);
  if (!ToCallerString(valueString, [&](AAX_CString* text) {
        return mDisplayDelegate->ValueToStringWithSize(value, maxNumChars, text);
      }))
    return false;
  return InTaperRange(value);
}

template <typename T>
bool AAX_CParameter<T>::StringFromNormalizedValue(double normalizedValue, AAX_CString* valueString) const
{
  T value = ToReal(normalizedValue);
  if (!ToCallerString(valueString, [&](AAX_CString* text) { return mDisplayDelegate->ValueToString(value, text); }))
    return false;
  return InTaperRange(value);
}

template <typename T>
bool AAX_CParameter<T>::SetValueFromString(const AAX_CString& valueString)
{
  T value = T();
  if (!mDisplayDelegate || !mDisplayDelegate->StringToValue(AaxCopyOfString(valueString), &value))
    return false;
  SetValue(value);
  return true;
}

// Typed access succeeds only for the parameter's own value type, so float and
// string never do.

template <typename T>
template <typename U>
bool AAX_CParameter<T>::GetTyped(U* value) const
{
  if constexpr (std::is_same<T, U>::value)
  {
    if (!value)
      return false;
    *value = mValue;
    return true;
  }
  (void)value;
  return false;
}

template <typename T>
template <typename U>
bool AAX_CParameter<T>::SetTyped(const U& value)
{
  if constexpr (std::is_same<T, U>::value)
  {
    SetValue(value);
    return true;
  }
  (void)value;
  return false;
}

template <typename T>
bool AAX_CParameter<T>::GetValueAsBool(bool* value) const { return GetTyped(value); }
template <typename T>
bool AAX_CParameter<T>::GetValueAsInt32(int32_t* value) const { return GetTyped(value); }
template <typename T>
bool AAX_CParameter<T>::GetValueAsFloat(float* value) const { return GetTyped(value); }
template <typename T>
bool AAX_CParameter<T>::GetValueAsDouble(double* value) const { return GetTyped(value); }
template <typename T>
bool AAX_CParameter<T>::GetValueAsString(AAX_CString* value) const { return GetTyped(value); }
template <typename T>
bool AAX_CParameter<T>::SetValueWithBool(bool value) { return SetTyped(value); }
template <typename T>
bool AAX_CParameter<T>::SetValueWithInt32(int32_t value) { return SetTyped(value); }
template <typename T>
bool AAX_CParameter<T>::SetValueWithFloat(float value) { return SetTyped(value); }
template <typename T>
bool AAX_CParameter<T>::SetValueWithDouble(double value) { return SetTyped(value); }
template <typename T>
bool AAX_CParameter<T>::SetValueWithString(const AAX_CString& value) { return SetTyped(value); }

// The delegate handed in is the caller's, maybe laid out by another compiler
// with its own type information: it is taken for the interface of T it is
// declared as, never checked at run time.

template <typename T>
void AAX_CParameter<T>::SetTaperDelegate(const AAX_ITaperDelegateBase& taperDelegate, bool preserveValue)
{
  AAX_ITaperDelegate<T>* copy = static_cast<const AAX_ITaperDelegate<T>&>(taperDelegate).Clone();
  if (!copy)
    return;
  double normalized = NormalizedValue();
  AaxDelete(mTaperDelegate);
  mTaperDelegate = copy;
  mNeedNotify = true;
  if (preserveValue)
    SetValue(mValue);
  else
    UpdateNormalizedValue(normalized);
}

template <typename T>
void AAX_CParameter<T>::SetDisplayDelegate(const AAX_IDisplayDelegateBase& displayDelegate)
{
  AAX_IDisplayDelegate<T>* copy = static_cast<const AAX_IDisplayDelegate<T>&>(displayDelegate).Clone();
  if (!copy)
    return;
  AaxDelete(mDisplayDelegate);
  mDisplayDelegate = copy;
  // The host refreshes its text from a posted value.
  if (mAutomationDelegate)
    mAutomationDelegate->PostCurrentValue(mIdentifier, NormalizedValue());
}

template <typename T>
void AAX_CParameter<T>::UpdateNormalizedValue(double normalizedValue)
{
  // A NaN from the host changes nothing.
  if (std::isnan(normalizedValue))
    return;
  T value = ToReal(normalizedValue);
  if (!mNeedNotify && value == mValue)
    return;
  mValue = value;
  // The host gets back the position it sent, not one re-normalised from the value.
  if (mAutomationDelegate)
    mAutomationDelegate->PostCurrentValue(mIdentifier, normalizedValue);
  mNeedNotify = false;
}

template class AAX_CParameter<int>;
template class AAX_CParameter<double>;
template class AAX_CParameter<bool>;
