#pragma once

#include <cstdint>

#include "aax-support/AaxDestructorSlot.h"

class AAX_CString;
class AAX_IAutomationDelegate;
class AAX_ITaperDelegateBase;
class AAX_IDisplayDelegateBase;

// One host-facing parameter, whatever its value type. Values cross as
// normalised doubles in [0, 1]; texts through the parameter's display.
class AAX_IParameter
{
public:
  virtual void* ScalarDeletingDestructor(uint32_t flags) = 0;

  virtual const char* Identifier() const = 0;
  virtual void SetName(const AAX_CString& name) = 0;
  virtual const AAX_CString& Name() const = 0;
  virtual void AddShortenedName(const AAX_CString& name) = 0;
  virtual const AAX_CString& ShortenedName(int32_t maxLength) const = 0;
  virtual void ClearShortenedNames() = 0;
  virtual bool Automatable() const = 0;
  virtual void SetAutomationDelegate(AAX_IAutomationDelegate* automationDelegate) = 0;
  virtual void Touch() = 0;
  virtual void Release() = 0;
  virtual void SetNormalizedValue(double normalizedValue) = 0;
  virtual double NormalizedValue() const = 0;
  virtual void SetNormalizedDefault(double normalizedDefault) = 0;
  virtual double NormalizedDefault() const = 0;
  virtual void SetToDefaultValue() = 0;
  virtual void SetNumberOfSteps(uint32_t numSteps) = 0;
  virtual uint32_t NumberOfSteps() const = 0;
  virtual int32_t StepValue() const = 0;
  virtual void SetStepValue(uint32_t step) = 0;
  virtual bool ValueStringWithSize(int32_t maxNumChars, AAX_CString* valueString) const = 0;
  virtual bool ValueString(AAX_CString* valueString) const = 0;
  virtual bool NormalizedValueFromString(const AAX_CString& valueString, double* normalizedValue) const = 0;
  virtual bool StringFromNormalizedValueWithSize(double normalizedValue, int32_t maxNumChars,
                                                 AAX_CString* valueString) const = 0;
  virtual bool StringFromNormalizedValue(double normalizedValue, AAX_CString* valueString) const = 0;
  virtual bool SetValueFromString(const AAX_CString& valueString) = 0;
  virtual bool GetValueAsBool(bool* value) const = 0;
  virtual bool GetValueAsInt32(int32_t* value) const = 0;
  virtual bool GetValueAsFloat(float* value) const = 0;
  virtual bool GetValueAsDouble(double* value) const = 0;
  virtual bool GetValueAsString(AAX_CString* value) const = 0;
  virtual bool SetValueWithBool(bool value) = 0;
  virtual bool SetValueWithInt32(int32_t value) = 0;
  virtual bool SetValueWithFloat(float value) = 0;
  virtual bool SetValueWithDouble(double value) = 0;
  virtual bool SetValueWithString(const AAX_CString& value) = 0;
  virtual void SetType(int32_t type) = 0;
  virtual int32_t Type() const = 0;
  virtual void SetOrientation(int32_t orientation) = 0;
  virtual int32_t Orientation() const = 0;
  // A delegate of another value type than the parameter's is ignored.
  virtual void SetTaperDelegate(const AAX_ITaperDelegateBase& taperDelegate, bool preserveValue) = 0;
  virtual void SetDisplayDelegate(const AAX_IDisplayDelegateBase& displayDelegate) = 0;
  // The host's way in: stores the value and reports a change back.
  virtual void UpdateNormalizedValue(double normalizedValue) = 0;

protected:
  ~AAX_IParameter() = default;
};
