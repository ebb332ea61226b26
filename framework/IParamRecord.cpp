#include "framework/IParamRecord.h"

#include "framework/TextCopy.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Truncation toward zero that stays defined for NaN and huge values.
int TruncateToInt(double x)
{
  if (!(x == x)) return 0;
  if (x >= double(INT_MAX)) return INT_MAX;
  if (x <= double(INT_MIN)) return INT_MIN;
  return int(x);
}

// Digits after the point needed to show multiples of `step`, at most 6.
int PrecisionOfStep(double step)
{
  int p = 0;
  double s = std::fabs(step);
  while (p < 6 && std::fabs(s - std::round(s)) > 1e-9 * s)
  {
    s *= 10.0;
    ++p;
  }
  return p;
}

} // namespace

void IParamRecord::InitDouble(const char* name, double defaultValue, double min, double max,
                              double step, const char* label, const char* group, double shape)
{
  if (mKind == kNone) mKind = kDouble;
  CopyTextBounded(mName, name, size_t(kTextSize));
  CopyTextBounded(mLabel, label, size_t(kTextSize));
  CopyTextBounded(mGroup, group, size_t(kTextSize));
  mMin = min;
  mValue = defaultValue;
  mDefault = defaultValue;
  mMax = (max > min + step) ? max : min + step;
  mStep = step;
  mDisplayPrecision = PrecisionOfStep(step);
  SetShape(shape);
}

void IParamRecord::InitBool(const char* name, bool defaultValue, const char* label, const char* group)
{
  if (mKind == kNone) mKind = kBool;
  InitDouble(name, defaultValue ? 1.0 : 0.0, 0.0, 1.0, 0.1, label, group, 1.0);
  AddDisplayText(0, "off");
  AddDisplayText(1, "on");
}

void IParamRecord::SetShape(double shape)
{
  if (shape != 0.0) mShape = shape;
}

void IParamRecord::AddDisplayText(int key, const char* text)
{
  const int n = GetDisplayTextCount();
  mDisplayTexts.Resize((n + 1) * int(sizeof(DisplayText)), false);
  if (GetDisplayTextCount() != n + 1) return;
  DisplayText* entry = static_cast<DisplayText*>(mDisplayTexts.Get()) + n;
  entry->mKey = key;
  CopyTextBounded(entry->mText, text, size_t(kTextSize));
}

int IParamRecord::GetDisplayTextCount() const
{
  return mDisplayTexts.GetSize() / int(sizeof(DisplayText));
}

const IParamRecord::DisplayText* IParamRecord::FindDisplayText(int key) const
{
  const DisplayText* entries = static_cast<const DisplayText*>(mDisplayTexts.Get());
  const int n = GetDisplayTextCount();
  for (int i = 0; i < n; ++i)
    if (entries[i].mKey == key) return &entries[i];
  return nullptr;
}

const char* IParamRecord::GetDisplayTextForValue(int key) const
{
  const DisplayText* entry = FindDisplayText(key);
  return entry ? entry->mText : "";
}

const char* IParamRecord::GetDisplayTextAtIndex(int idx, int* key) const
{
  if (idx < 0 || idx >= GetDisplayTextCount()) return nullptr;
  const DisplayText* entry = static_cast<const DisplayText*>(mDisplayTexts.Get()) + idx;
  if (key) *key = entry->mKey;
  return entry->mText;
}

const char* IParamRecord::GetLabelForHost() const
{
  const DisplayText* entry = FindDisplayText(TruncateToInt(mValue));
  return (entry && entry->mText[0]) ? "" : mLabel;
}

bool IParamRecord::LimitNormalised(double& normalised)
{
  if (std::isnan(normalised)) return false;
  if (normalised < 0.0) normalised = 0.0;
  else if (normalised > 1.0) normalised = 1.0;
  return true;
}

double IParamRecord::LimitPlain(double plain) const
{
  if (std::isnan(plain)) return mDefault;
  if (plain < mMin) return mMin;
  if (plain > mMax) return mMax;
  return plain;
}

void IParamRecord::SetFromNormalised(double normalised)
{
  // Hosts send values outside [0, 1] and NaN; taken as they come, -1 would
  // give the maximum of a squared shape and a negative value of a linear one.
  if (!LimitNormalised(normalised)) return;

  double v = mMin + (mMax - mMin) * std::pow(normalised, mShape);
  if (mKind == kDouble)
  {
    if (mStep == 1.0) v = std::round(v);
  }
  else
  {
    v = std::floor(v / mStep + 0.5) * mStep;
  }
  mValue = (v < mMax) ? v : mMax;
}

double IParamRecord::ToNormalised(double plain) const
{
  if (!(mMax > mMin)) return 0.0;
  if (plain < mMin) plain = mMin;
  else if (plain > mMax) plain = mMax;
  double n = std::pow((plain - mMin) / (mMax - mMin), 1.0 / mShape);
  if (n < 0.0) n = 0.0;
  else if (n > 1.0) n = 1.0;
  return n;
}

void IParamRecord::FormatValue(double value, bool isNormalised, char* text, int textSize,
                               bool useDisplayText) const
{
  if (!text || textSize <= 0) return;
  // A host's value is shown as the one it would set: limited to [0, 1], a
  // NaN as the lowest.
  if (isNormalised)
  {
    if (!LimitNormalised(value)) value = 0.0;
    value = mMin + (mMax - mMin) * std::pow(value, mShape);
  }

  if (useDisplayText)
  {
    const DisplayText* entry = FindDisplayText(TruncateToInt(value));
    if (entry && entry->mText[0])
    {
      CopyTextBounded(text, entry->mText, size_t(textSize));
      return;
    }
  }

  if (mNegateDisplay) value = -value;
  if (mDisplayPrecision > 0)
    std::snprintf(text, size_t(textSize), "%.*f", mDisplayPrecision, value);
  else
    std::snprintf(text, size_t(textSize), "%d", TruncateToInt(value));
}

void IParamRecord::FormatCurrentValue(char* text, int textSize) const
{
  FormatValue(mValue, false, text, textSize, true);
}
