#include "framework/IStateChunk.h"

#include <cstdint>
#include <cstring>

int IStateChunk::PutBytes(const void* data, int size)
{
  const int old = Size();
  if (size <= 0) return old;
  if (size > 0x7FFFFFFF - old) return 0;
  mBytes.Resize(old + size, false);
  if (Size() != old + size) return 0;
  std::memcpy(GetData() + old, data, size_t(size));
  return Size();
}

int IStateChunk::GetBytes(void* out, int size, int position) const
{
  if (position < 0 || size < 0 || size > Size() - position) return -1;
  if (size > 0) std::memcpy(out, GetData() + position, size_t(size));
  return position + size;
}

int IStateChunk::PutDouble(double value)
{
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof(bits));
  unsigned char bytes[8];
  for (int i = 0; i < 8; ++i) bytes[i] = (unsigned char)(bits >> (8 * i));
  return PutBytes(bytes, 8);
}

int IStateChunk::GetDouble(double* value, int position) const
{
  unsigned char bytes[8];
  position = GetBytes(bytes, 8, position);
  if (position < 0) return -1;
  uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) bits |= uint64_t(bytes[i]) << (8 * i);
  std::memcpy(value, &bits, sizeof(bits));
  return position;
}

int IStateChunk::PutInt(int value)
{
  const uint32_t u = uint32_t(value);
  const unsigned char bytes[4] = {(unsigned char)u, (unsigned char)(u >> 8),
                                  (unsigned char)(u >> 16), (unsigned char)(u >> 24)};
  return PutBytes(bytes, 4);
}

int IStateChunk::GetInt(int* value, int position) const
{
  unsigned char bytes[4];
  position = GetBytes(bytes, 4, position);
  if (position < 0) return -1;
  *value = int(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
               uint32_t(bytes[3]) << 24);
  return position;
}

int IStateChunk::ResizeZeroFill(int size)
{
  if (size < 0) size = 0;
  const int old = Size();
  mBytes.Resize(size, false);
  if (Size() != size) return Size();
  if (size > old) std::memset(GetData() + old, 0, size_t(size - old));
  return Size();
}
