#pragma once

// The framework's 8-bit texts to and from the host's UTF-16 strings (at most
// 127 characters plus the terminator, as VST3 strings are 128 wide).

#include "pluginterfaces/vst/vsttypes.h"

#include <cstddef>

namespace vst3text {

// Bytes are taken as Latin-1; a null source gives "".
inline void ToString128(Steinberg::Vst::String128 dst, const char* src)
{
  size_t i = 0;
  if (src)
    for (; i < 127 && src[i]; ++i)
      dst[i] = static_cast<Steinberg::Vst::TChar>(static_cast<unsigned char>(src[i]));
  dst[i] = 0;
}

// Characters beyond Latin-1 become '?'; dst always ends terminated.
inline void ToNarrow(const Steinberg::Vst::TChar* src, char* dst, size_t dstSize)
{
  if (!dst || dstSize == 0)
    return;
  size_t i = 0;
  if (src)
    for (; i + 1 < dstSize && i < 128 && src[i]; ++i)
      dst[i] = src[i] < 256 ? static_cast<char>(src[i]) : '?';
  dst[i] = 0;
}

} // namespace vst3text
