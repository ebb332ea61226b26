// Named, typed values in and out of the tagged data area of a host chunk.
//
// Data area: the marker 01 01 01 01, then one entry after another, each at a
// multiple of 4: a 2-character tag ("f_", "l_", "d_", "s_", "r_"), the name and a
// zero byte, zero padding to 4, then the value stored big-endian (strings as
// text, zero byte and padding).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "aax-support/AAX_CString.h"
#include "aax-support/interfaces/AaxTypes.h"
#include "aax-support/interfaces/AcfBase.h"

// Bytes of chunk header before the data area.
constexpr int32_t kAaxChunkHeaderSize = 56;
static_assert(offsetof(AaxChunk, mData) == kAaxChunkHeaderSize, "host chunk layout");

// The data area, addressed from the record's start: the host allocates it past
// the declared one-byte array.
inline uint8_t* AaxChunkData(AaxChunk* chunk)
{
  return reinterpret_cast<uint8_t*>(chunk) + kAaxChunkHeaderSize;
}

inline const uint8_t* AaxChunkData(const AaxChunk* chunk)
{
  return reinterpret_cast<const uint8_t*>(chunk) + kAaxChunkHeaderSize;
}

class AAX_CChunkDataParser
{
public:
  enum EntryKind : int32_t
  {
    kKindNone = 0,
    kKindFloat = 1,
    kKindInt32 = 2,
    kKindDouble = 3,
    kKindInt16 = 4,
    kKindString = 5
  };

  struct Entry
  {
    int32_t mKind = kKindNone;
    AAX_CString mName;
    uint64_t mValue = 0;
    AAX_CString mText;
  };

  // The reader examines at most this many bytes of a tag-and-name field.
  static constexpr int32_t kMaxNameField = 255;

  AAX_CChunkDataParser();
  virtual ~AAX_CChunkDataParser();

  void AppendDouble(const char* name, double value);
  void AppendInt32(const char* name, int32_t value);
  void AppendString(const char* name, const AAX_CString& value);
  void ClearEntries();

  bool FindDouble(const char* name, double* out);
  bool FindInt32(const char* name, int32_t* out);
  bool FindString(const char* name, AAX_IString* out);
  int32_t FindEntryIndex(const char* name);

  // Bytes of data the entries need, at least 4; -1 when that exceeds 32 bits.
  int32_t ChunkDataSize() const;

  // Writes size word and data area; the record must hold ChunkDataSize() bytes
  // of data. 0, or -333 when the data would not fit.
  AaxResult GetChunkData(AaxChunk* chunk) const;

  // Replaces the entries with those of the record's data area, reading no more
  // than its size word (and, when dataCapacity is not negative, no more than
  // dataCapacity bytes). A malformed area is refused with -333 and a null record
  // with -20002; either leaves the entries and the version as they were.
  AaxResult LoadChunkData(const AaxChunk* chunk, int32_t dataCapacity = -1);

  static void RoundUpTo4(int32_t& position);

  int32_t ChunkVersion() const { return mChunkVersion; }
  int32_t NumEntries() const { return static_cast<int32_t>(mEntries.size()); }
  const Entry& EntryAt(int32_t index) const { return mEntries[static_cast<size_t>(index)]; }

private:
  void Append(const char* name, int32_t kind, uint64_t value, const AAX_CString* text);
  static int64_t EntrySize(const Entry& entry);
  AaxResult WriteEntries(AaxChunk* chunk, int32_t size) const;

  int32_t mLastHit;
  int32_t mChunkVersion;
  std::vector<Entry> mEntries;
};
