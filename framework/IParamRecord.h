#pragma once

#include "framework/HeapBuffer.h"

// One plug-in parameter: its range, shape, step, texts and current plain
// value. Hosts and engines speak normalised values in [0, 1]; the record
// converts both ways through the power-law shape.
class IParamRecord
{
public:
  enum EKind { kNone = 0, kBool = 1, kInt = 2, kEnum = 3, kDouble = 4 };

  static const int kTextSize = 32; // name, label, group and display texts, with terminator

  IParamRecord() = default;

  IParamRecord(const IParamRecord&) = delete;
  IParamRecord& operator=(const IParamRecord&) = delete;

  // Makes a double parameter (the kind is set only while still kNone).
  // max is raised to min + step when below it; shape 0 keeps the current shape.
  void InitDouble(const char* name, double defaultValue, double min, double max, double step,
                  const char* label = "", const char* group = "", double shape = 1.0);
  // Makes an "off"/"on" parameter over [0, 1] with step 0.1.
  void InitBool(const char* name, bool defaultValue, const char* label = "", const char* group = "");

  void SetShape(double shape);             // 0 is ignored
  void SetNegateDisplay(bool negate) { mNegateDisplay = negate; }
  // Appends an entry to the value-to-text table (text cut to 31 characters).
  void AddDisplayText(int key, const char* text);

  // Plain value, stored as given.
  void Set(double value) { mValue = value; }
  // Sets the value from a normalised one: limited to [0, 1], shaped,
  // quantised, capped at max. A NaN is ignored.
  void SetFromNormalised(double normalised);
  // A host's normalised value limited to [0, 1]; false (and `normalised`
  // untouched) for a NaN, which is no value at all.
  static bool LimitNormalised(double& normalised);
  // A plain value from a host limited to [min, max]; a NaN gives the default.
  double LimitPlain(double plain) const;

  double Value() const { return mValue; }
  double GetNormalised() const { return ToNormalised(mValue); }
  double ToNormalised(double plain) const;

  // Text of a value (plain, or normalised when `isNormalised`: then limited as
  // LimitNormalised does, a NaN shown as 0) into `text` of `textSize` bytes,
  // through the display texts when `useDisplayText`.
  void FormatValue(double value, bool isNormalised, char* text, int textSize,
                   bool useDisplayText = true) const;
  void FormatCurrentValue(char* text, int textSize) const;

  EKind Kind() const { return mKind; }
  double GetMin() const { return mMin; }
  double GetMax() const { return mMax; }
  double GetStep() const { return mStep; }
  double GetShape() const { return mShape; }
  double GetDefault() const { return mDefault; }
  int GetPrecision() const { return mDisplayPrecision; }
  bool GetNegateDisplay() const { return mNegateDisplay; }
  bool GetCanAutomate() const { return mCanAutomate; }

  const char* GetNameForHost() const { return mName; }
  const char* GetGroupForHost() const { return mGroup; }
  // "" when a non-empty display text exists for the current value, else the label.
  const char* GetLabelForHost() const;

  int GetDisplayTextCount() const;
  // Text of the first entry with `key`; "" when there is none.
  const char* GetDisplayTextForValue(int key) const;
  // Entry `idx` of the table in the order added, its key into `key` (may be
  // null); nullptr outside [0, GetDisplayTextCount()).
  const char* GetDisplayTextAtIndex(int idx, int* key) const;

private:
  struct DisplayText
  {
    int mKey;
    char mText[kTextSize];
  };

  const DisplayText* FindDisplayText(int key) const;

  EKind mKind = kNone;
  double mValue = 0.0;
  double mMin = 0.0;
  double mMax = 1.0;
  double mStep = 1.0;
  double mShape = 1.0;
  double mDefault = 0.0;
  int mDisplayPrecision = 0;
  char mName[kTextSize] = "";
  char mLabel[kTextSize] = "";
  char mGroup[kTextSize] = "";
  bool mNegateDisplay = false;
  bool mCanAutomate = true;
  HeapBuffer mDisplayTexts;
};
