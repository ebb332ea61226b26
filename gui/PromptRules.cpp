#include "gui/PromptRules.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "framework/IParamRecord.h"

bool TextEntryAcceptsChar(int kind, int ch)
{
  if (ch == 8)
    return true;
  const bool numeric = ch == '+' || ch == '-' || (ch >= '0' && ch <= '9');
  switch (kind)
  {
    case IParamRecord::kBool:
    case IParamRecord::kInt:
    case IParamRecord::kEnum:
      return numeric;
    case IParamRecord::kDouble:
      return numeric || ch == '.';
    default:
      return true;
  }
}

double ParseLeadingNumber(const char* text)
{
  if (!text)
    return 0.0;
  const char* p = text;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f')
    ++p;
  bool negative = false;
  if (*p == '+' || *p == '-')
    negative = *p++ == '-';

  // Only the plain decimal form: no "inf", "nan" or hexadecimal text.
  const char* start = p;
  const char* q = p;
  while (*q >= '0' && *q <= '9') ++q;
  const bool intDigits = q != p;
  bool fracDigits = false;
  if (*q == '.')
  {
    const char* f = q + 1;
    while (*f >= '0' && *f <= '9') ++f;
    fracDigits = f != q + 1;
    if (intDigits || fracDigits)
      q = f;
  }
  if (!intDigits && !fracDigits)
    return 0.0;
  if (*q == 'e' || *q == 'E')
  {
    const char* e = q + 1;
    if (*e == '+' || *e == '-') ++e;
    const char* d = e;
    while (*d >= '0' && *d <= '9') ++d;
    if (d != e)
      q = d;
  }

  double value = 0.0;
  const std::from_chars_result r = std::from_chars(start, q, value, std::chars_format::general);
  if (r.ec == std::errc::result_out_of_range)
  {
    // As strtod: a magnitude too large is infinite (the parameter clamps it),
    // one too small is 0. The decimal exponent of the first significant digit
    // tells which.
    long magnitude = 0;
    const char* d = start;
    while (*d == '0') ++d;
    if (*d >= '1' && *d <= '9')
      while (*d >= '0' && *d <= '9') { ++d; ++magnitude; }
    else if (*d == '.')
      for (++d; *d == '0'; ++d) --magnitude;
    const char* e = std::strpbrk(start, "eE");
    if (e && e < q)
    {
      long exponent = 0;
      const bool negExp = e[1] == '-';
      for (const char* x = e + ((e[1] == '+' || e[1] == '-') ? 2 : 1); x < q && exponent < 100000; ++x)
        exponent = exponent * 10 + (*x - '0');
      magnitude += negExp ? -exponent : exponent;
    }
    value = magnitude > 0 ? HUGE_VAL : 0.0;
  }
  else if (r.ec != std::errc())
  {
    value = 0.0;
  }
  return negative ? -value : value;
}

double TextEntryPlainValue(const IParamRecord& param, const char* text)
{
  if (!text)
    text = "";
  const int kind = param.Kind();
  if (kind == IParamRecord::kBool || kind == IParamRecord::kEnum)
  {
    // Keys in table order: the first text equal byte for byte wins.
    const int n = param.GetDisplayTextCount();
    for (int i = 0; i < n; ++i)
    {
      int key = 0;
      const char* t = param.GetDisplayTextAtIndex(i, &key);
      if (t && std::strcmp(t, text) == 0)
        return key;
    }
    return 0.0;
  }
  const double v = ParseLeadingNumber(text);
  return param.GetNegateDisplay() ? -v : v;
}

void BuildFileFilter(const char* extensions, char* pattern, int patternSize, char* defExt,
                     int defExtSize)
{
  if (pattern && patternSize > 0)
    pattern[0] = '\0';
  if (defExt && defExtSize > 0)
    defExt[0] = '\0';
  if (!extensions || !*extensions || !pattern || patternSize <= 0)
    return;

  int used = 0;
  const char* token = extensions;
  for (;;)
  {
    const char* end = std::strchr(token, ' ');
    const int len = end ? int(end - token) : int(std::strlen(token));
    // "*." + token, with a ';' before every mask but the first.
    const int need = (used ? 1 : 0) + 2 + len;
    if (used + need < patternSize)
    {
      if (used) pattern[used++] = ';';
      pattern[used++] = '*';
      pattern[used++] = '.';
      std::memcpy(pattern + used, token, size_t(len));
      used += len;
      pattern[used] = '\0';
    }
    if (!end)
      break;
    token = end + 1;
  }

  if (defExt && defExtSize > 0)
  {
    const char* end = std::strchr(extensions, ' ');
    const int len = end ? int(end - extensions) : int(std::strlen(extensions));
    if (len < defExtSize)
    {
      std::memcpy(defExt, extensions, size_t(len));
      defExt[len] = '\0';
    }
  }
}
