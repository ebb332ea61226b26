#pragma once

#include <cstdint>
#include <map>

#include "aax-support/AAX_CString.h"
#include "aax-support/AAX_IDisplayDelegate.h"
#include "aax-support/AAX_IParameter.h"
#include "aax-support/AAX_ITaperDelegate.h"

// Parameter type codes (Type/SetType).
enum AAX_EParameterType : int32_t
{
  AAX_eParameterType_Discrete = 0,
  AAX_eParameterType_Continuous = 1
};

// A host parameter holding a value of type T (int, double or bool) in real
// units. Detached (no automation delegate) every change applies at once;
// attached, a change from the plug-in becomes a touch/set/release request to
// the host, and the value changes when the host calls UpdateNormalizedValue.
template <typename T>
class AAX_CParameter : public AAX_IParameter
{
public:
  static const int kIdentifierSize = 32; // with terminator

  // Taper, display and name stay the caller's; the parameter keeps copies.
  // What reaches the slots may be the host's own objects: delegates are used
  // through their slots alone (cloned, called, deleted), strings through
  // AaxCopyOfString and AaxSetString, and the delegates only ever see the
  // parameter's own strings.
  AAX_CParameter(const char* identifier, const AAX_CString& name, T defaultValue,
                 const AAX_ITaperDelegate<T>& taperDelegate, const AAX_IDisplayDelegate<T>& displayDelegate,
                 bool automatable);
  // Virtual of its own (a slot after the interface's) so that classes
  // derived from a parameter are deleted whole through the destructor slot.
  virtual ~AAX_CParameter();

  AAX_DESTRUCTOR_SLOT

  AAX_CParameter(const AAX_CParameter&) = delete;
  AAX_CParameter& operator=(const AAX_CParameter&) = delete;

  const char* Identifier() const override { return mIdentifier; }
  void SetName(const AAX_CString& name) override;
  const AAX_CString& Name() const override { return mName; }
  void AddShortenedName(const AAX_CString& name) override;
  const AAX_CString& ShortenedName(int32_t maxLength) const override;
  void ClearShortenedNames() override { mShortenedNames.clear(); }
  bool Automatable() const override { return mAutomatable; }
  void SetAutomationDelegate(AAX_IAutomationDelegate* automationDelegate) override;
  void Touch() override;
  void Release() override;
  void SetNormalizedValue(double normalizedValue) override;
  double NormalizedValue() const override;
  void SetNormalizedDefault(double normalizedDefault) override;
  double NormalizedDefault() const override;
  void SetToDefaultValue() override;
  void SetNumberOfSteps(uint32_t numSteps) override { mNumSteps = numSteps; }
  uint32_t NumberOfSteps() const override { return mNumSteps; }
  int32_t StepValue() const override;
  void SetStepValue(uint32_t step) override;
  bool ValueStringWithSize(int32_t maxNumChars, AAX_CString* valueString) const override;
  bool ValueString(AAX_CString* valueString) const override;
  bool NormalizedValueFromString(const AAX_CString& valueString, double* normalizedValue) const override;
  bool StringFromNormalizedValueWithSize(double normalizedValue, int32_t maxNumChars,
                                         AAX_CString* valueString) const override;
  bool StringFromNormalizedValue(double normalizedValue, AAX_CString* valueString) const override;
  bool SetValueFromString(const AAX_CString& valueString) override;
  bool GetValueAsBool(bool* value) const override;
  bool GetValueAsInt32(int32_t* value) const override;
  bool GetValueAsFloat(float* value) const override;
  bool GetValueAsDouble(double* value) const override;
  bool GetValueAsString(AAX_CString* value) const override;
  bool SetValueWithBool(bool value) override;
  bool SetValueWithInt32(int32_t value) override;
  bool SetValueWithFloat(float value) override;
  bool SetValueWithDouble(double value) override;
  bool SetValueWithString(const AAX_CString& value) override;
  void SetType(int32_t type) override { mType = type; }
  int32_t Type() const override { return mType; }
  void SetOrientation(int32_t orientation) override { mOrientation = orientation; }
  int32_t Orientation() const override { return mOrientation; }
  void SetTaperDelegate(const AAX_ITaperDelegateBase& taperDelegate, bool preserveValue) override;
  void SetDisplayDelegate(const AAX_IDisplayDelegateBase& displayDelegate) override;
  void UpdateNormalizedValue(double normalizedValue) override;

  // Requests a real value: the same change protocol as SetNormalizedValue.
  void SetValue(T value);
  T GetValue() const { return mValue; }
  T GetDefaultValue() const { return mDefaultValue; }

private:
  // A delegate whose clone failed leaves the parameter at real 0 / normalised 0, without text.
  double ToNormalized(T value) const;
  T ToReal(double normalizedValue) const;
  bool InTaperRange(T value) const;
  // Runs a display conversion into a string of our own, then hands its text to the caller's.
  template <class Convert>
  bool ToCallerString(AAX_CString* callerString, Convert convert) const;
  void RequestNormalized(double normalizedValue);
  template <typename U>
  bool GetTyped(U* value) const;
  template <typename U>
  bool SetTyped(const U& value);

  char mIdentifier[kIdentifierSize];
  AAX_CString mName;
  std::map<uint32_t, AAX_CString> mShortenedNames;
  bool mAutomatable;
  uint32_t mNumSteps;
  int32_t mType;
  int32_t mOrientation;
  AAX_ITaperDelegate<T>* mTaperDelegate;
  AAX_IDisplayDelegate<T>* mDisplayDelegate;
  AAX_IAutomationDelegate* mAutomationDelegate;
  bool mNeedNotify;
  T mValue;
  T mDefaultValue;
};

extern template class AAX_CParameter<int>;
extern template class AAX_CParameter<double>;
extern template class AAX_CParameter<bool>;
