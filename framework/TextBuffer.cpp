#include "framework/TextBuffer.h"

#include <cstdio>
#include <cstring>

TextBuffer::TextBuffer(const char* text)
  : mBuffer(kGranularity)
{
  if (text) Set(text);
}

const char* TextBuffer::Get() const
{
  const char* s = static_cast<const char*>(mBuffer.Get());
  return s ? s : "";
}

int TextBuffer::GetLength() const
{
  return int(std::strlen(Get()));
}

void TextBuffer::Set(const char* text, int maxLength)
{
  int length = 0;
  if (text)
  {
    if (maxLength > 0)
      while (length < maxLength && text[length]) ++length;
    else
      length = int(std::strlen(text));
  }

  if (length == 0)
  {
    char* s = static_cast<char*>(mBuffer.Resize(1, false));
    if (s) s[0] = 0;
    return;
  }

  const int oldSize = mBuffer.GetSize();
  if (oldSize < length + 1)
  {
    // The source may live in our own storage, which can move when it grows.
    const char* old = static_cast<const char*>(mBuffer.Get());
    const bool inside = old && text >= old && text < old + oldSize;
    const size_t offset = inside ? size_t(text - old) : 0;
    mBuffer.Resize(length + 1, false);
    if (mBuffer.GetSize() < length + 1) return;
    if (inside) text = static_cast<const char*>(mBuffer.Get()) + offset;
  }

  char* s = static_cast<char*>(mBuffer.Get());
  std::memmove(s, text, size_t(length));
  s[length] = 0;
  if (oldSize > length + 1) mBuffer.Resize(length + 1, false);
}

void TextBuffer::SetFormatted(int maxLength, const char* format, ...)
{
  va_list args;
  va_start(args, format);
  SetFormattedV(maxLength, format, args);
  va_end(args);
}

void TextBuffer::SetFormattedV(int maxLength, const char* format, va_list args)
{
  if (maxLength < 0) maxLength = 0;
  mBuffer.Resize(maxLength + 1, false);
  if (mBuffer.GetSize() != maxLength + 1) return;

  char* s = static_cast<char*>(mBuffer.Get());
  s[0] = 0;
  int n = std::vsnprintf(s, size_t(maxLength) + 1, format ? format : "", args);
  if (n < 0 || n >= maxLength)
  {
    n = s[0] ? maxLength : 0;
    s[n] = 0;
  }
  mBuffer.Resize(n + 1, false);
}
