#pragma once

#include <cstddef>
#include <cstring>

// Copies at most `size` - 1 bytes of `src` into `dest` and terminates it: the
// one bounded copy for fixed text fields and host buffers. A null source
// gives "". Bytes after the terminator are left as they were.
inline void CopyTextBounded(char* dest, const char* src, size_t size)
{
  if (!dest || size == 0)
    return;
  const size_t n = src ? strnlen(src, size - 1) : 0;
  if (n)
    std::memcpy(dest, src, n);
  dest[n] = 0;
}
