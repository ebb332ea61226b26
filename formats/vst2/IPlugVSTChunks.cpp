// Program and bank chunks: the current state, or every preset with its name,
// behind the 'pfft' header.

#include "formats/vst2/IPlugVST.h"

#include <cstring>

VstIntPtr IPlugVST::GetChunk(void** data, bool bank)
{
  IStateChunk& chunk = bank ? mBankChunk : mProgramChunk;
  bool ok = PutChunkHeader(chunk);
  if (bank)
  {
    // The current preset first takes what the parameters hold now.
    ModifyCurrentPreset();
    ok = SerializePresets(chunk) && ok;
  }
  else
  {
    ok = SerializeState(chunk) && ok;
  }
  if (!ok || chunk.Size() <= 0) return 0;
  *data = chunk.GetData();
  return chunk.Size();
}

VstIntPtr IPlugVST::SetChunk(const void* data, VstIntPtr size, bool bank)
{
  // The host's count is all that bounds the copy: a count that is not
  // positive, or one the chunk cannot be given room for, copies nothing.
  if (size <= 0 || size > VstIntPtr(0x7FFFFFFF)) return 0;
  // The host may still hold the chunk the last get-chunk handed out (or pass
  // it back here): the bytes are read into a chunk of their own.
  IStateChunk chunk;
  if (chunk.ResizeZeroFill(int(size)) != int(size)) return 0;
  std::memcpy(chunk.GetData(), data, size_t(size));

  int pos = 0;
  const int version = GetChunkHeaderVersion(chunk, pos);
  if (!bank || version < kChunkVersion)
  {
    pos = UnserializeState(chunk, pos);
    ModifyCurrentPreset();
  }
  else
  {
    pos = UnserializePresets(chunk, pos);
  }
  if (pos < 0) return 0;
  PushAllParamsToGui();
  return 1;
}
