// libFuzzer target: AAX_CChunkDataParser::LoadChunkData on arbitrary data areas.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "aax-support/AAX_CChunkDataParser.h"

namespace
{

// The record sits in a block that ends with its data, so reads past it trap.
std::unique_ptr<unsigned char[]> MakeChunk(const uint8_t* data, size_t size, int32_t sizeWord)
{
  std::unique_ptr<unsigned char[]> block(new unsigned char[kAaxChunkHeaderSize + size]);
  std::memset(block.get(), 0, kAaxChunkHeaderSize);
  AaxChunk* chunk = reinterpret_cast<AaxChunk*>(block.get());
  chunk->mSize = sizeWord;
  if (size)
    std::memcpy(AaxChunkData(chunk), data, size);
  return block;
}

std::vector<unsigned char> WriteExact(const AAX_CChunkDataParser& parser)
{
  const int32_t size = parser.ChunkDataSize();
  std::unique_ptr<unsigned char[]> block(new unsigned char[kAaxChunkHeaderSize + static_cast<size_t>(size)]);
  AaxChunk* chunk = reinterpret_cast<AaxChunk*>(block.get());
  if (parser.GetChunkData(chunk) != 0 || chunk->mSize != size)
    std::abort();
  const unsigned char* d = AaxChunkData(chunk);
  return std::vector<unsigned char>(d, d + size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size < 1 || size > (1u << 20))
    return 0;
  // The first byte chooses between an honest size word and one read from the
  // input that the capacity must hold in check.
  const bool honest = (data[0] & 1) == 0;
  ++data;
  --size;
  int32_t sizeWord = static_cast<int32_t>(size);
  if (!honest && size >= 4)
  {
    std::memcpy(&sizeWord, data, 4);
    data += 4;
    size -= 4;
  }
  std::unique_ptr<unsigned char[]> block = MakeChunk(data, size, sizeWord);
  AAX_CChunkDataParser parser;
  const int32_t result = parser.LoadChunkData(reinterpret_cast<AaxChunk*>(block.get()), static_cast<int32_t>(size));
  if (result != 0)
  {
    if (result != -333 || parser.NumEntries() != 0)
      std::abort();
    return 0;
  }

  // What was loaded writes back within its own size and loads again; without
  // entries of no kind the second writing repeats the first byte for byte.
  bool hasNone = false;
  for (int32_t i = 0; i < parser.NumEntries(); ++i)
    hasNone = hasNone || parser.EntryAt(i).mKind == AAX_CChunkDataParser::kKindNone;
  const std::vector<unsigned char> first = WriteExact(parser);
  std::unique_ptr<unsigned char[]> again = MakeChunk(first.data(), first.size(), static_cast<int32_t>(first.size()));
  AAX_CChunkDataParser reloaded;
  const int32_t reloadResult = reloaded.LoadChunkData(reinterpret_cast<AaxChunk*>(again.get()), static_cast<int32_t>(first.size()));
  if (reloadResult != 0 && !hasNone)
    std::abort();
  if (reloadResult == 0 && !hasNone && WriteExact(reloaded) != first)
    std::abort();
  return 0;
}
