// Preset banks: the chunk header and every preset with its name and state,
// in the byte form the VST2 library hands to its host.

#include <cstdio>
#include <cstring>

#include "framework/IPlugBase.h"
#include "framework/Trace.h"

namespace {

// `length` bytes of `text` (no terminator needed) into a preset's name, cut
// to the field.
void SetPresetName(IPlugPreset& preset, const char* text, int length)
{
  if (length < 0) length = 0;
  if (length > IPlugPreset::kNameSize - 1) length = IPlugPreset::kNameSize - 1;
  if (length > 0) std::memcpy(preset.mName, text, size_t(length));
  preset.mName[length] = 0;
}

} // namespace

bool IPlugBase::PutChunkHeader(IStateChunk& chunk)
{
  chunk.Clear();
  return chunk.PutInt(kChunkMagic) > 0 && chunk.PutInt(kChunkVersion) > 0;
}

int IPlugBase::GetChunkHeaderVersion(const IStateChunk& chunk, int& position) const
{
  int magic = 0;
  if (chunk.GetInt(&magic, position) < 0 || magic != kChunkMagic) return 0;
  int version = 0;
  position = chunk.GetInt(&version, position + 4);
  return position < 0 ? 0 : version;
}

void IPlugBase::ModifyCurrentPreset(const char* name)
{
  IPlugPreset* preset = mPresets.Get(mCurrentPreset);
  if (!preset) return;
  preset->mChunk.Clear();
  Trace("IPlugBase::ModifyCurrentPreset", __LINE__, "%d %s", mCurrentPreset, preset->mName);
  SerializeState(preset->mChunk);
  if (name && name[0]) SetPresetName(*preset, name, int(strnlen(name, IPlugPreset::kNameSize)));
}

bool IPlugBase::SerializePresets(IStateChunk& chunk)
{
  for (int i = 0; i < NPresets(); ++i)
  {
    const IPlugPreset* preset = mPresets.Get(i);
    Trace("IPlugBase::SerializePresets", __LINE__, "%d %s", i, preset->mName);
    const int length = int(strnlen(preset->mName, IPlugPreset::kNameSize - 1));
    const unsigned char flag = preset->mInitialized ? 1 : 0;
    // A chunk that cannot grow would hand the host a cut-off bank.
    if (chunk.PutInt(length) <= 0) return false;
    if (length > 0 && chunk.PutBytes(preset->mName, length) <= 0) return false;
    if (chunk.PutBytes(&flag, 1) <= 0) return false;
    const int stateSize = preset->mChunk.Size();
    if (flag && stateSize > 0 && chunk.PutBytes(preset->mChunk.GetData(), stateSize) <= 0)
      return false;
  }
  return true;
}

int IPlugBase::UnserializePresets(const IStateChunk& chunk, int startPos)
{
  int pos = startPos;
  for (int i = 0; i < NPresets() && pos >= 0; ++i)
  {
    IPlugPreset* preset = mPresets.Get(i);
    int length = 0;
    const int namePos = chunk.GetInt(&length, pos);
    // A negative length names nothing that can be read: the bank is broken.
    if (namePos < 0 || length < 0)
    {
      pos = -1;
      break;
    }
    const bool nameInside = length <= chunk.Size() - namePos;
    SetPresetName(*preset, nameInside ? reinterpret_cast<const char*>(chunk.GetData()) + namePos : "",
                  nameInside ? length : 0);
    Trace("IPlugBase::UnserializePresets", __LINE__, "%d %s", i, preset->mName);

    unsigned char flag = 0;
    pos = nameInside ? chunk.GetBytes(&flag, 1, namePos + length) : -1;
    if (pos < 0) break;
    preset->mInitialized = flag != 0;
    if (!preset->mInitialized) continue;

    pos = UnserializeState(chunk, pos);
    if (pos >= 1)
    {
      preset->mChunk.Clear();
      SerializeState(preset->mChunk);
    }
  }
  RestorePreset(mCurrentPreset);
  return pos;
}

void IPlugBase::EnsureDefaultPresets()
{
  StoreDefaultPresets("Empty", NPresets());
}
