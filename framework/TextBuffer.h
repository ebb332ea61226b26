#pragma once

#include <cstdarg>

#include "framework/HeapBuffer.h"

// Growable NUL-terminated 8-bit string (granularity 128). The size is the
// length plus the terminator; an empty buffer reads as "".
class TextBuffer
{
public:
  static const int kGranularity = 128;

  explicit TextBuffer(const char* text = nullptr);

  TextBuffer(const TextBuffer&) = delete;
  TextBuffer& operator=(const TextBuffer&) = delete;

  // Copies `text` (nullptr counts as ""), at most `maxLength` characters when
  // maxLength > 0. `text` may point into this buffer's own storage.
  void Set(const char* text, int maxLength = 0);

  // printf-style formatting into at most `maxLength` characters.
  void SetFormatted(int maxLength, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;
  void SetFormattedV(int maxLength, const char* format, va_list args);

  const char* Get() const;
  int GetLength() const;

  // Storage in bytes including the terminator (0 for a never-set buffer).
  int GetSize() const { return mBuffer.GetSize(); }

private:
  HeapBuffer mBuffer;
};
