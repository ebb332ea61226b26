// Host parameters and the state chunk of the AAX plug-in.

#include "formats/aax/IPlugAAX.h"

#include <cmath>
#include <cstring>
#include <map>

#include "aax-support/AAX_CBinaryDisplayDelegate.h"
#include "aax-support/AAX_CBinaryTaperDelegate.h"
#include "aax-support/AAX_CLinearTaperDelegate.h"
#include "aax-support/AAX_CNumberDisplayDelegate.h"
#include "aax-support/AAX_CParameter.h"
#include "aax-support/AAX_CString.h"
#include "aax-support/AAX_CStringDisplayDelegate.h"
#include "aax-support/AAX_CUnitDisplayDelegateDecorator.h"
#include "aax-support/AAX_VAutomationDelegate.h"
#include "aax-support/AAX_VController.h"
#include "formats/aax/AAX_CIPlugTaperDelegate.h"

namespace
{

constexpr uint32_t kContinuousSteps = 128;
constexpr long long kMaxChoices = 4096;

int Truncated(double value)
{
  return static_cast<int>(value);
}

// The host parameter of one framework parameter; nullptr for kinds the host
// is not shown.
AAX_IParameter* MakeHostParameter(const char* id, const IParamRecord& param)
{
  const AAX_CString name(param.GetNameForHost());
  const bool automatable = param.GetCanAutomate();
  switch (param.Kind())
  {
  case IParamRecord::kInt:
  {
    AAX_CParameter<int>* p = new AAX_CParameter<int>(
      id, name, Truncated(param.GetDefault()),
      AAX_CLinearTaperDelegate<int, 0>(Truncated(param.GetMin()), Truncated(param.GetMax())),
      AAX_CUnitDisplayDelegateDecorator<int>(AAX_CNumberDisplayDelegate<int, 2, 0>(),
                                             AAX_CString(param.GetLabelForHost())),
      automatable);
    p->SetNumberOfSteps(kContinuousSteps);
    p->SetType(AAX_eParameterType_Continuous);
    return p;
  }
  case IParamRecord::kDouble:
  {
    AAX_CParameter<double>* p = new AAX_CParameter<double>(
      id, name, param.GetDefault(),
      AAX_CIPlugTaperDelegate<double>(param.GetMin(), param.GetMax(), param.GetShape()),
      AAX_CUnitDisplayDelegateDecorator<double>(AAX_CNumberDisplayDelegate<double, 2, 0>(),
                                                AAX_CString(param.GetLabelForHost())),
      automatable);
    p->SetNumberOfSteps(kContinuousSteps);
    p->SetType(AAX_eParameterType_Continuous);
    return p;
  }
  case IParamRecord::kBool:
  case IParamRecord::kEnum:
  {
    // Texts can only be shown for values of the range, so those keys are
    // the ones looked up (a list of choices is short).
    const int minValue = Truncated(param.GetMin());
    const int maxValue = Truncated(param.GetMax());
    std::map<int, AAX_CString> texts;
    for (long long key = minValue; key <= maxValue && key - minValue < kMaxChoices; ++key)
    {
      const char* text = param.GetDisplayTextForValue(static_cast<int>(key));
      if (*text)
        texts[static_cast<int>(key)] = AAX_CString(text);
    }
    AAX_CParameter<int>* p = new AAX_CParameter<int>(
      id, name, Truncated(param.GetDefault()),
      AAX_CLinearTaperDelegate<int, 0>(minValue, maxValue),
      AAX_CStringDisplayDelegate<int>(texts), automatable);
    p->SetNumberOfSteps(static_cast<uint32_t>(param.GetDisplayTextCount()));
    p->SetType(AAX_eParameterType_Discrete);
    return p;
  }
  default:
    return nullptr;
  }
}

} // namespace

AaxResult IPlugAAX::UninitializeEffect()
{
  CloseEditor();
  return AAX_CIPlugParameters::UninitializeEffect();
}

void IPlugAAX::SwapHostConnections(HostConnections& connections)
{
  LockGuard lock(mMutex);
  AAX_CIPlugParameters::SwapHostConnections(connections);
}

AaxResult IPlugAAX::EffectInit()
{
  // Made into a registry of their own, which registers them with the host.
  AAX_CParameterRegistry made;
  made.SetAutomationDelegate(AutomationDelegate());

  AAX_CString bypassId;
  GetMasterBypassId(&bypassId);
  AAX_CParameter<bool>* bypass = new AAX_CParameter<bool>(
    bypassId.Text(), AAX_CString("Master Bypass"), false, AAX_CBinaryTaperDelegate<bool>(),
    AAX_CBinaryDisplayDelegate<bool>("bypass", "on"), true);
  bypass->SetNumberOfSteps(2);
  bypass->SetType(AAX_eParameterType_Discrete);
  made.Add(bypass);

  for (int i = 0; i < NParams(); ++i)
  {
    char id[kParamIDSize];
    FormatParamID(i, id);
    if (AAX_IParameter* hostParam = MakeHostParameter(id, *GetParam(i)))
      made.Add(hostParam);
  }

  float sampleRate = static_cast<float>(GetSampleRate());
  if (AAX_VController* controller = Controller())
    controller->SampleRate(&sampleRate);

  {
    LockGuard lock(mMutex);
    // The registry was emptied by the initialisation before this; a repeated
    // one lists no ID twice.
    mRegistry.Swap(made);
    mParamIDs.DeleteAll();
    for (int i = 0; i < NParams(); ++i)
    {
      char id[kParamIDSize];
      FormatParamID(i, id);
      mParamIDs.Add(new TextBuffer(id));
    }
    // Kept only while the registry holds the parameter.
    mBypassParam = mRegistry.FindById(bypassId.Text());

    SetSampleRate(static_cast<double>(sampleRate));
    Reset();
    // The engines start from the framework's values, not their own defaults.
    for (int i = 0; i < NParams(); ++i)
      HandleParamChange(i, false);
  }
  // What the registry held before, unregistered outside the lock.
  made.RemoveAll();
  return kAaxSuccess;
}

AaxResult IPlugAAX::UpdateParameterNormalizedValue(AaxParamID id, double value, int32_t /*source*/)
{
  AAX_IParameter* hostParam = mRegistry.FindById(id);
  if (!hostParam)
    return kAaxErrUnknownParameter;
  // A host value outside [0, 1] is limited; a NaN changes nothing.
  if (!IParamRecord::LimitNormalised(value))
    return kAaxSuccess;

  hostParam->UpdateNormalizedValue(value);

  const int idx = ParamIndexOfID(id);
  if (idx >= 0 && idx < NParams())
  {
    LockGuard lock(mMutex);
    SetParameterFromHost(idx, value);
  }

  const AaxResult result = mPacketQueue.SetDirty(id, true);
  ++mChangeCounter;
  return result;
}

AaxResult IPlugAAX::GetChunkIDFromIndex(int32_t index, uint32_t* chunkId) const
{
  if (!chunkId)
    return kAaxErrNullArgument;
  if (index != 0)
  {
    *chunkId = 0;
    return kAaxErrChunkIndex;
  }
  *chunkId = ChunkID();
  return kAaxSuccess;
}

bool IPlugAAX::WriteState(uint32_t chunkId, IStateChunk& chunk) const
{
  return chunkId == ChunkID() && const_cast<IPlugAAX*>(this)->SerializeState(chunk) && chunk.Size() > 0;
}

AaxResult IPlugAAX::GetChunkSize(uint32_t chunkId, uint32_t* size) const
{
  if (!size)
    return kAaxErrNullArgument;
  IStateChunk state;
  if (!WriteState(chunkId, state))
  {
    *size = 0;
    return kAaxErrUnknownChunk;
  }
  *size = static_cast<uint32_t>(state.Size());
  return kAaxSuccess;
}

AaxResult IPlugAAX::GetChunk(uint32_t chunkId, AaxChunk* chunk) const
{
  if (!chunk)
    return kAaxErrNullArgument;
  IStateChunk state;
  if (!WriteState(chunkId, state))
    return kAaxErrUnknownChunk;
  // The host sized the record from GetChunkSize and may leave it zero-filled:
  // the byte count is ours to write.
  chunk->mSize = state.Size();
  std::memcpy(chunk->mData, state.GetData(), static_cast<size_t>(state.Size()));
  return kAaxSuccess;
}

AaxResult IPlugAAX::SetChunk(uint32_t chunkId, const AaxChunk* chunk)
{
  if (chunkId != ChunkID())
    return kAaxErrUnknownChunk;
  if (!chunk)
    return kAaxErrNullArgument;
  // At most the bytes of the state are read. A shorter chunk (one saved with
  // fewer parameters) restores what it holds and the framework handles the
  // rest; a value that is no number refuses the chunk whole, so a refused
  // chunk changes nothing.
  if (chunk->mSize < 0)
    return kAaxErrChunkSize;
  const int full = NParams() * static_cast<int>(sizeof(double));
  const int size = chunk->mSize < full ? chunk->mSize : full;
  for (int offset = 0; offset + static_cast<int>(sizeof(double)) <= size; offset += sizeof(double))
  {
    double value;
    std::memcpy(&value, chunk->mData + offset, sizeof value);
    if (!std::isfinite(value))
      return kAaxErrChunkSize;
  }
  IStateChunk state;
  if (size > 0 && state.PutBytes(chunk->mData, size) != size)
    return kAaxErrChunkSize;
  UnserializeState(state, 0);

  for (int i = 0; i < NParams(); ++i)
    SetParameterNormalizedValue(ParamID(i), GetParam(i)->GetNormalised());
  PushAllParamsToGui();
  ++mChangeCounter;
  return kAaxSuccess;
}

AaxResult IPlugAAX::CompareActiveChunk(const AaxChunk* chunk, bool* isEqual) const
{
  if (!chunk || !isEqual)
    return kAaxErrNullArgument;
  if (chunk->mChunkID != ChunkID())
  {
    *isEqual = true;
    return kAaxSuccess;
  }
  const int size = chunk->mSize > 0 ? chunk->mSize : 0;
  *isEqual = const_cast<IPlugAAX*>(this)->StateMatches(chunk->mData, 0, size);
  return kAaxSuccess;
}
