#include "aax-support/AAX_CChunkDataParser.h"

#include <cstring>
#include <exception>
#include <string>

#include "aax-support/AAX_VHostServices.h"

namespace
{

constexpr int32_t kTracePriority = 0x08000000;

constexpr unsigned char kMarker[4] = {0x01, 0x01, 0x01, 0x01};

int64_t RoundUp4(int64_t position)
{
  return (position + 3) & ~static_cast<int64_t>(3);
}

const char* KindTag(int32_t kind)
{
  switch (kind)
  {
    case AAX_CChunkDataParser::kKindFloat: return "f_";
    case AAX_CChunkDataParser::kKindInt32: return "l_";
    case AAX_CChunkDataParser::kKindDouble: return "d_";
    case AAX_CChunkDataParser::kKindInt16: return "s_";
    case AAX_CChunkDataParser::kKindString: return "r_";
    default: return nullptr;
  }
}

int32_t KindOfTag(unsigned char first)
{
  switch (first)
  {
    case 'd': return AAX_CChunkDataParser::kKindDouble;
    case 'f': return AAX_CChunkDataParser::kKindFloat;
    case 'l': return AAX_CChunkDataParser::kKindInt32;
    case 's': return AAX_CChunkDataParser::kKindInt16;
    case 'r': return AAX_CChunkDataParser::kKindString;
    default: return AAX_CChunkDataParser::kKindNone;
  }
}

// Big-endian on the wire, whatever the machine.
void StoreBigEndian(unsigned char* out, uint64_t value, int bytes)
{
  for (int i = 0; i < bytes; ++i)
    out[i] = static_cast<unsigned char>(value >> (8 * (bytes - 1 - i)));
}

uint64_t LoadBigEndian(const unsigned char* in, int bytes)
{
  uint64_t value = 0;
  for (int i = 0; i < bytes; ++i)
    value = (value << 8) | in[i];
  return value;
}

// Length of the zero-terminated run at p within limit bytes, or -1 without a zero.
int64_t BoundedLength(const unsigned char* p, int64_t limit)
{
  if (limit <= 0)
    return -1;
  const void* zero = std::memchr(p, 0, static_cast<size_t>(limit));
  return zero ? static_cast<const unsigned char*>(zero) - p : -1;
}

int64_t ValueSize(const AAX_CChunkDataParser::Entry& entry)
{
  switch (entry.mKind)
  {
    case AAX_CChunkDataParser::kKindDouble: return 8;
    case AAX_CChunkDataParser::kKindFloat:
    case AAX_CChunkDataParser::kKindInt32:
    case AAX_CChunkDataParser::kKindInt16: return 4;
    case AAX_CChunkDataParser::kKindString: return RoundUp4(static_cast<int64_t>(entry.mText.Length()) + 1);
    default: return 0;
  }
}

void TraceWriteError(const char* what)
{
  AaxTrace(kTracePriority, "AAX_CChunkDataParser::GetChunkData ERROR: %s", what);
}

}  // namespace

AAX_CChunkDataParser::AAX_CChunkDataParser()
  : mLastHit(-1), mChunkVersion(-1)
{
}

AAX_CChunkDataParser::~AAX_CChunkDataParser() = default;

void AAX_CChunkDataParser::Append(const char* name, int32_t kind, uint64_t value, const AAX_CString* text)
{
  Entry entry;
  entry.mKind = kind;
  entry.mName = AAX_CString(name);
  entry.mValue = value;
  if (text)
    entry.mText = *text;
  mEntries.push_back(entry);
}

void AAX_CChunkDataParser::AppendDouble(const char* name, double value)
{
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  Append(name, kKindDouble, bits, nullptr);
}

void AAX_CChunkDataParser::AppendInt32(const char* name, int32_t value)
{
  Append(name, kKindInt32, static_cast<uint64_t>(static_cast<int64_t>(value)), nullptr);
}

void AAX_CChunkDataParser::AppendString(const char* name, const AAX_CString& value)
{
  Append(name, kKindString, 0, &value);
}

void AAX_CChunkDataParser::ClearEntries()
{
  mEntries.clear();
  mLastHit = -1;
  mChunkVersion = -1;
}

int32_t AAX_CChunkDataParser::FindEntryIndex(const char* name)
{
  if (!name)
    return -1;
  const int32_t count = NumEntries();
  if (mLastHit >= count - 1)
    mLastHit = -1;
  for (int32_t i = mLastHit + 1; i < count; ++i)
  {
    if (std::strcmp(mEntries[static_cast<size_t>(i)].mName.Text(), name) == 0)
    {
      mLastHit = i;
      return i;
    }
  }
  if (mLastHit == -1)
    return -1;
  for (int32_t i = 0; i <= mLastHit; ++i)
  {
    if (std::strcmp(mEntries[static_cast<size_t>(i)].mName.Text(), name) == 0)
    {
      mLastHit = i;
      return i;
    }
  }
  return -1;
}

bool AAX_CChunkDataParser::FindDouble(const char* name, double* out)
{
  const int32_t i = FindEntryIndex(name);
  if (i < 0 || mEntries[static_cast<size_t>(i)].mKind != kKindDouble || !out)
    return false;
  std::memcpy(out, &mEntries[static_cast<size_t>(i)].mValue, sizeof *out);
  return true;
}

bool AAX_CChunkDataParser::FindInt32(const char* name, int32_t* out)
{
  const int32_t i = FindEntryIndex(name);
  if (i < 0 || mEntries[static_cast<size_t>(i)].mKind != kKindInt32 || !out)
    return false;
  *out = static_cast<int32_t>(static_cast<uint32_t>(mEntries[static_cast<size_t>(i)].mValue));
  return true;
}

bool AAX_CChunkDataParser::FindString(const char* name, AAX_IString* out)
{
  const int32_t i = FindEntryIndex(name);
  if (i < 0 || mEntries[static_cast<size_t>(i)].mKind != kKindString || !out)
    return false;
  out->SetText(mEntries[static_cast<size_t>(i)].mText.Text());
  return true;
}

void AAX_CChunkDataParser::RoundUpTo4(int32_t& position)
{
  position = (position + 3) & ~3;
}

int64_t AAX_CChunkDataParser::EntrySize(const Entry& entry)
{
  return RoundUp4(2 + static_cast<int64_t>(entry.mName.Length()) + 1) + ValueSize(entry);
}

int32_t AAX_CChunkDataParser::ChunkDataSize() const
{
  int64_t size = 4;
  for (const Entry& entry : mEntries)
  {
    size += EntrySize(entry);
    if (size > INT32_MAX)
      return -1;
  }
  return static_cast<int32_t>(size);
}

AaxResult AAX_CChunkDataParser::GetChunkData(AaxChunk* chunk) const
{
  if (!chunk)
    return kAaxErrNullArgument;
  try
  {
    const int32_t size = ChunkDataSize();
    if (size < 0)
    {
      TraceWriteError("aborting: chunk data will overflow buffer");
      return kAaxErrChunkOverflow;
    }
    chunk->mSize = size;
    return WriteEntries(chunk, size);
  }
  catch (const std::exception& e)
  {
    TraceWriteError(e.what());
    return kAaxErrChunkOverflow;
  }
  catch (...)
  {
    return kAaxErrChunkOverflow;
  }
}

AaxResult AAX_CChunkDataParser::WriteEntries(AaxChunk* chunk, int32_t size) const
{
  unsigned char* data = AaxChunkData(chunk);
  std::memset(data, 0, static_cast<size_t>(size));
  std::memcpy(data, kMarker, sizeof kMarker);
  int64_t position = 4;
  for (const Entry& entry : mEntries)
  {
    const int64_t nameLength = entry.mName.Length();
    int64_t valueLength;
    switch (entry.mKind)
    {
      case kKindDouble: valueLength = 8; break;
      case kKindInt16: valueLength = 2; break;
      case kKindString: valueLength = static_cast<int64_t>(entry.mText.Length()) + 1; break;
      case kKindNone: valueLength = 0; break;
      default: valueLength = 4; break;
    }
    if (position + 2 + nameLength + 1 + valueLength > size)
    {
      TraceWriteError("aborting: chunk data will overflow buffer");
      return kAaxErrChunkOverflow;
    }
    if (const char* tag = KindTag(entry.mKind))
      std::memcpy(data + position, tag, 2);
    position += 2;
    std::memcpy(data + position, entry.mName.Text(), static_cast<size_t>(nameLength) + 1);
    position = RoundUp4(position + nameLength + 1);
    switch (entry.mKind)
    {
      case kKindDouble:
        StoreBigEndian(data + position, entry.mValue, 8);
        position += 8;
        break;
      case kKindInt16:
        StoreBigEndian(data + position, entry.mValue & 0xFFFF, 2);
        position += 4;
        break;
      case kKindString:
        std::memcpy(data + position, entry.mText.Text(), static_cast<size_t>(valueLength));
        position = RoundUp4(position + valueLength);
        break;
      case kKindNone:
        // Counted without value bytes, so written without them.
        break;
      default:
        StoreBigEndian(data + position, entry.mValue & 0xFFFFFFFFu, 4);
        position += 4;
        break;
    }
  }
  return 0;
}

AaxResult AAX_CChunkDataParser::LoadChunkData(const AaxChunk* chunk, int32_t dataCapacity)
{
  if (!chunk)
    return kAaxErrNullArgument;
  const int64_t total = chunk->mSize;
  if (dataCapacity >= 0 && total > dataCapacity)
    return kAaxErrChunkOverflow;

  const unsigned char* data = AaxChunkData(chunk);
  std::vector<Entry> loaded;
  if (total > 4 && std::memcmp(data, kMarker, sizeof kMarker) == 0)
  {
    int64_t position = 4;
    while (position < total)
    {
      const int64_t window = total - position < kMaxNameField ? total - position : kMaxNameField;
      const int64_t fieldLength = BoundedLength(data + position, window);
      if (fieldLength < 0)
        return kAaxErrChunkOverflow;
      const int64_t valuePosition = RoundUp4(position + fieldLength + 1);
      const int32_t kind = fieldLength > 0 ? KindOfTag(data[position]) : static_cast<int32_t>(kKindNone);

      Entry entry;
      entry.mKind = kind;
      if (fieldLength > 2)
        entry.mName = AAX_CString(std::string(reinterpret_cast<const char*>(data + position + 2),
                                              static_cast<size_t>(fieldLength - 2)).c_str());

      const int64_t available = total - valuePosition;
      switch (kind)
      {
        case kKindDouble:
          if (available < 8)
            return kAaxErrChunkOverflow;
          entry.mValue = LoadBigEndian(data + valuePosition, 8);
          position = valuePosition + 8;
          break;
        case kKindFloat:
        case kKindInt32:
          if (available < 4)
            return kAaxErrChunkOverflow;
          entry.mValue = LoadBigEndian(data + valuePosition, 4);
          position = valuePosition + 4;
          break;
        case kKindInt16:
          if (available < 2)
            return kAaxErrChunkOverflow;
          entry.mValue = LoadBigEndian(data + valuePosition, 2);
          position = valuePosition + 4;
          break;
        case kKindString:
        {
          const int64_t textLength = BoundedLength(data + valuePosition, available);
          if (textLength < 0)
            return kAaxErrChunkOverflow;
          entry.mText = AAX_CString(reinterpret_cast<const char*>(data + valuePosition));
          position = RoundUp4(valuePosition + textLength + 1);
          break;
        }
        default:
          position = valuePosition;
          break;
      }
      loaded.push_back(entry);
    }
  }

  mEntries.swap(loaded);
  mLastHit = -1;
  mChunkVersion = chunk->mVersion;
  return 0;
}
