#pragma once

#include <limits>
#include <type_traits>

// A double as T, truncated toward zero for integer types. NaN and values beyond
// the integer type's range are limited first: converting them is undefined.
template <typename T>
inline T AAX_TruncateReal(double value, T ifNaN)
{
  if constexpr (std::is_integral<T>::value)
  {
    if (value != value)
      return ifNaN;
    if (value >= double(std::numeric_limits<T>::max()))
      return std::numeric_limits<T>::max();
    if (value <= double(std::numeric_limits<T>::lowest()))
      return std::numeric_limits<T>::lowest();
  }
  return T(value);
}
