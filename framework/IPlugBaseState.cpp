// Serialised state and presets.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "framework/IPlugBase.h"

bool IPlugBase::SerializeState(IStateChunk& chunk)
{
  return SerializeParams(chunk);
}

int IPlugBase::UnserializeState(const IStateChunk& chunk, int startPos)
{
  return UnserializeParams(chunk, startPos);
}

bool IPlugBase::SerializeParams(IStateChunk& chunk)
{
  LockGuard lock(mMutex);
  bool ok = true;
  for (int i = 0; i < NParams(); ++i) ok &= chunk.PutDouble(GetParam(i)->Value()) > 0;
  return ok;
}

int IPlugBase::UnserializeParams(const IStateChunk& chunk, int startPos)
{
  LockGuard lock(mMutex);
  int pos = startPos;
  for (int i = 0; i < NParams() && pos >= 0; ++i)
  {
    IParamRecord* param = GetParam(i);
    double v = 0.0;
    pos = chunk.GetDouble(&v, pos); // a short chunk leaves v at 0
    // A NaN would pass any clamp and reach the engines.
    if (std::isnan(v))
      v = param->GetDefault();
    else if (v < param->GetMin())
      v = param->GetMin();
    else if (v > param->GetMax())
      v = param->GetMax();
    param->Set(v);
  }
  for (int i = 0; i < NParams(); ++i) HandleParamChange(i, true);
  return pos;
}

bool IPlugBase::StateMatches(const void* values, int start, int sizeBytes)
{
  if (!values || start < 0) return false;
  const int n = NParams();
  if ((int64_t(start) + n) * int64_t(sizeof(double)) > int64_t(sizeBytes)) return false;

  const unsigned char* bytes = static_cast<const unsigned char*>(values);
  for (int i = 0; i < n; ++i)
  {
    double stored;
    std::memcpy(&stored, bytes + (size_t(start) + size_t(i)) * sizeof(double), sizeof(double));
    const float diff = float(stored) - float(GetParam(i)->Value());
    if (!(double(std::fabs(diff)) < 0.00001)) return false;
  }
  return true;
}

const char* IPlugBase::GetPresetName(int idx) const
{
  const IPlugPreset* preset = mPresets.Get(idx);
  return preset ? preset->mName : "";
}

void IPlugBase::StoreDefaultPresets(const char* name, int count)
{
  for (int r = 0; r < count; ++r)
  {
    IPlugPreset* preset = nullptr;
    for (int i = 0; i < NPresets() && !preset; ++i)
      if (!mPresets.Get(i)->mInitialized) preset = mPresets.Get(i);
    if (!preset) continue;

    preset->mInitialized = true;
    std::snprintf(preset->mName, sizeof(preset->mName), "%s", name ? name : "Empty");
    preset->mChunk.Clear();
    SerializeState(preset->mChunk);
  }
}

bool IPlugBase::RestorePreset(int idx)
{
  IPlugPreset* preset = mPresets.Get(idx);
  if (!preset) return false;

  bool ok;
  if (preset->mInitialized)
  {
    ok = UnserializeState(preset->mChunk, 0) > 0;
  }
  else
  {
    int number = 1;
    for (int i = 0; i < NPresets(); ++i)
      if (std::strstr(mPresets.Get(i)->mName, "user preset")) ++number;
    preset->mInitialized = true;
    std::snprintf(preset->mName, sizeof(preset->mName), "%s %d", "user preset", number);
    preset->mChunk.Clear();
    ok = SerializeState(preset->mChunk);
  }

  if (ok)
  {
    mCurrentPreset = idx;
    OnPresetsChanged();
    PushAllParamsToGui();
  }
  return ok;
}
