#pragma once

// Growable heap storage with a granularity rule: capacity grows in steps so
// repeated appends reallocate rarely. Allocation failure is reported only
// through the size: a failed resize keeps the old contents and size, so
// callers compare GetSize() with what they asked for.
class HeapBuffer
{
public:
  static const int kDefaultGranularity = 4096;

  explicit HeapBuffer(int granularity = kDefaultGranularity);
  ~HeapBuffer();

  HeapBuffer(const HeapBuffer&) = delete;
  HeapBuffer& operator=(const HeapBuffer&) = delete;

  // Sets the used size to `wantSize` bytes (negative counts as 0) and returns
  // the data, or nullptr when the size is 0. Storage shrinks only when
  // `mayShrink` is set and the new size falls well below the capacity.
  void* Resize(int wantSize, bool mayShrink = true);

  // Releases the storage; size and capacity become 0.
  void Free();

  void* Get() const { return mSize ? mData : nullptr; }
  int GetSize() const { return mSize; }
  int GetCapacity() const { return mCapacity; }
  int GetGranularity() const { return mGranularity; }

private:
  void* mData = nullptr;
  int mCapacity = 0;
  int mSize = 0;
  int mGranularity;
};
