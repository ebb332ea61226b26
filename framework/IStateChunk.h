#pragma once

#include "framework/HeapBuffer.h"

// Byte buffer of serialised state. Writes append at the end; reads take a
// byte position and return the position after the value, or -1 when the
// chunk is too short (or the position is already -1).
class IStateChunk
{
public:
  IStateChunk() : mBytes(HeapBuffer::kDefaultGranularity) {}

  IStateChunk(const IStateChunk&) = delete;
  IStateChunk& operator=(const IStateChunk&) = delete;

  // Appends `size` bytes. Returns the new chunk size, or 0 when the chunk
  // could not grow (it then keeps its old contents).
  int PutBytes(const void* data, int size);
  // Reads `size` bytes at `position` into `out`.
  int GetBytes(void* out, int size, int position) const;

  // Doubles are stored as 8 little-endian bytes of their IEEE 754 binary64 form.
  int PutDouble(double value);
  int GetDouble(double* value, int position) const;
  // 32-bit integers are stored as 4 little-endian bytes.
  int PutInt(int value);
  int GetInt(int* value, int position) const;

  // Sets the size to `size` bytes; bytes beyond the old size read as zero.
  // Returns the new size (the old one when allocation failed).
  int ResizeZeroFill(int size);
  void Clear() { mBytes.Free(); }

  int Size() const { return mBytes.GetSize(); }
  // nullptr while empty.
  unsigned char* GetData() { return static_cast<unsigned char*>(mBytes.Get()); }
  const unsigned char* GetData() const { return static_cast<const unsigned char*>(mBytes.Get()); }

private:
  HeapBuffer mBytes;
};
