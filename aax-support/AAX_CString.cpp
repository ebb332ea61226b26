#include "aax-support/AAX_CString.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

bool IsSpace(char c)
{
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
  return c >= '0' && c <= '9';
}

} // namespace

AAX_CString::AAX_CString(const char* text)
  : mText(text ? text : "")
{
}

AAX_CString::AAX_CString(const AAX_IString& other)
{
  if (const char* text = other.Text())
    mText = text;
}

AAX_CString AaxCopyOfString(const AAX_IString& callerString)
{
  return AAX_CString(callerString);
}

void AaxSetString(AAX_IString* callerString, const AAX_CString& text)
{
  if (callerString)
    callerString->SetText(text.Text());
}

uint32_t AAX_CString::Length() const
{
  return uint32_t(mText.size());
}

uint32_t AAX_CString::MaxLength() const
{
  return 0xFFFFFFFEu;
}

const char* AAX_CString::Text() const
{
  return mText.c_str();
}

void AAX_CString::SetText(const char* text)
{
  // The host may hand us anything; a null text is taken as empty.
  if (text)
    mText.assign(text);
  else
    mText.clear();
}

AAX_IString& AAX_CString::AssignText(const char* text)
{
  SetText(text);
  return *this;
}

AAX_IString& AAX_CString::AssignString(const AAX_IString& other)
{
  if (&other != this)
    SetText(other.Text());
  return *this;
}

AAX_CString& AAX_CString::operator=(const AAX_CString& other)
{
  if (&other != this)
    mText = other.mText;
  return *this;
}

bool AAX_CString::operator==(const AAX_CString& other) const
{
  return mText == other.mText;
}

bool AAX_CString::operator!=(const AAX_CString& other) const
{
  return mText != other.mText;
}

bool AAX_CString::operator<(const AAX_CString& other) const
{
  // std::char_traits<char>::compare orders bytes as unsigned char.
  return mText.compare(other.mText) < 0;
}

char* AAX_CString::CharAt(uint32_t index)
{
  if (index > mText.size())
    index = uint32_t(mText.size());
  return &mText[0] + index;
}

void AAX_CString::Clear()
{
  mText.clear();
}

AAX_CString& AAX_CString::Erase(uint32_t pos, uint32_t count)
{
  if (pos < mText.size())
    mText.erase(pos, count);
  return *this;
}

void AAX_CString::SubString(uint32_t pos, uint32_t count, AAX_IString* out) const
{
  if (!out)
    return;
  if (pos > mText.size())
    pos = uint32_t(mText.size());
  // Through a copy: out may be this very string.
  std::string part = mText.substr(pos, count);
  out->SetText(part.c_str());
}

AAX_CString& AAX_CString::Append(const AAX_CString& other)
{
  mText.append(other.mText);
  return *this;
}

AAX_CString& AAX_CString::AppendNumber(double value, int32_t precision)
{
  if (precision < 0)
    precision = 0;
  // Largest double in fixed notation: 309 integer digits, sign, point and the fraction.
  char buffer[320 + 64];
  int fraction = precision > 64 ? 64 : precision;
  std::to_chars_result r = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, fraction);
  if (r.ec == std::errc())
    mText.append(buffer, r.ptr);
  return *this;
}

bool AAX_CString::ToDouble(double* out) const
{
  const char* s = mText.c_str();
  while (IsSpace(*s))
    ++s;

  // Measure the longest prefix of the form [sign] digits [. digits] [e [sign] digits].
  const char* p = s;
  bool negative = false;
  if (*p == '+' || *p == '-')
  {
    negative = *p == '-';
    ++p;
  }
  const char* mantissa = p;
  int digits = 0;
  // Decimal magnitude of the mantissa's first non-zero digit (0 for the
  // units), so that an out-of-range number is known to be huge or tiny.
  long magnitude = 0;
  bool significant = false;
  while (IsDigit(*p))
  {
    if (significant)
      ++magnitude;
    significant = significant || *p != '0';
    ++p;
    ++digits;
  }
  if (*p == '.')
  {
    const char* q = p + 1;
    int fractionDigits = 0;
    while (IsDigit(*q))
    {
      if (!significant)
      {
        --magnitude;
        significant = *q != '0';
      }
      ++q;
      ++fractionDigits;
    }
    if (digits + fractionDigits > 0)
    {
      p = q;
      digits += fractionDigits;
    }
  }
  if (digits == 0)
  {
    if (out)
      *out = 0.0;
    return false;
  }
  if (*p == 'e' || *p == 'E')
  {
    const char* q = p + 1;
    bool negativeExponent = false;
    if (*q == '+' || *q == '-')
    {
      negativeExponent = *q == '-';
      ++q;
    }
    if (IsDigit(*q))
    {
      long exponent = 0;
      while (IsDigit(*q))
      {
        if (exponent < 100000)
          exponent = exponent * 10 + (*q - '0');
        ++q;
      }
      magnitude += negativeExponent ? -exponent : exponent;
      p = q;
    }
  }

  double value = 0.0;
  std::from_chars_result r = std::from_chars(mantissa, p, value, std::chars_format::general);
  if (r.ec == std::errc::result_out_of_range)
  {
    // Overflow goes to infinity, underflow to zero, as strtod does.
    value = magnitude > 0 ? HUGE_VAL : 0.0;
  }
  else if (r.ec != std::errc())
  {
    value = 0.0;
  }
  if (out)
    *out = negative ? -value : value;
  return true;
}
