#include "aax-support/AAX_CEffectParameters.h"

#include <cstring>
#include <utility>

#include "aax-support/AAX_CString.h"
#include "aax-support/AAX_IParameter.h"
#include "aax-support/AAX_VAutomationDelegate.h"
#include "aax-support/AAX_VController.h"
#include "aax-support/AAX_VTransport.h"
#include "aax-support/interfaces/AcfIds.h"
#include "framework/TextCopy.h"

namespace
{

// A parameter's current value, of the first typed getter that answers; the
// chunk stores floats and doubles as doubles and bools as integers.
struct TypedValue
{
  enum Kind { kNone, kFloat, kInt32, kBool, kDouble, kString } mKind = kNone;
  float mFloat = 0;
  int32_t mInt32 = 0;
  bool mBool = false;
  double mDouble = 0;
  AAX_CString mString;
};

TypedValue ReadTypedValue(const AAX_IParameter& parameter)
{
  TypedValue v;
  if (parameter.GetValueAsFloat(&v.mFloat))
    v.mKind = TypedValue::kFloat;
  else if (parameter.GetValueAsInt32(&v.mInt32))
    v.mKind = TypedValue::kInt32;
  else if (parameter.GetValueAsBool(&v.mBool))
    v.mKind = TypedValue::kBool;
  else if (parameter.GetValueAsDouble(&v.mDouble))
    v.mKind = TypedValue::kDouble;
  else if (parameter.GetValueAsString(&v.mString))
    v.mKind = TypedValue::kString;
  return v;
}

double Clamp01(double v)
{
  return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v);
}

// The common shape of the per-parameter requests: an unknown ID is -20001 and
// changes nothing, a null out argument is -20002.
template <class T, class Get>
AaxResult ReadParameter(const AAX_CParameterRegistry& registry, AaxParamID id, T* out, Get get)
{
  if (!out)
    return kAaxErrNullArgument;
  const AAX_IParameter* parameter = registry.FindById(id);
  if (!parameter)
    return kAaxErrUnknownParameter;
  *out = get(*parameter);
  return kAaxSuccess;
}

template <class Act>
AaxResult ActOnParameter(const AAX_CParameterRegistry& registry, AaxParamID id, Act act)
{
  AAX_IParameter* parameter = registry.FindById(id);
  if (!parameter)
    return kAaxErrUnknownParameter;
  act(*parameter);
  return kAaxSuccess;
}

}  // namespace

AAX_CEffectParameters::AAX_CEffectParameters()
  : mChangeCounter(0),
    mChunkSize(0),
    mController(nullptr),
    mTransport(nullptr),
    mAutomationDelegate(nullptr)
{
}

AAX_CEffectParameters::~AAX_CEffectParameters()
{
  // No render runs any more: no lock is needed.
  HostConnections connections;
  AAX_CEffectParameters::SwapHostConnections(connections);
  FreeHostConnections(connections);
}

void AAX_CEffectParameters::SwapHostConnections(HostConnections& connections)
{
  std::swap(mController, connections.mController);
  std::swap(mTransport, connections.mTransport);
  std::swap(mAutomationDelegate, connections.mAutomationDelegate);
  mRegistry.Swap(connections.mRegistry);
  mPacketQueue.Init(mController, this);
}

void AAX_CEffectParameters::FreeHostConnections(HostConnections& connections)
{
  connections.mRegistry.RemoveAll();
  delete connections.mController;
  connections.mController = nullptr;
  delete connections.mAutomationDelegate;
  connections.mAutomationDelegate = nullptr;
  delete connections.mTransport;
  connections.mTransport = nullptr;
}

AaxResult AAX_CEffectParameters::InternalQueryInterface(AcfRefIID iid, void** out)
{
  if (!out)
    return kAaxErrNullArgument;
  if (iid == IID_AAX_IACFEffectParameters || iid == IID_AAX_IACFEffectParameters_V2)
  {
    *out = static_cast<AAX_IACFEffectParameters_V2*>(this);
    AddRef();
    return kAaxSuccess;
  }
  return CACFUnknown::InternalQueryInterface(iid, out);
}

AaxResult AAX_CEffectParameters::InitializeEffect(IACFUnknown* hostUnknown)
{
  // A second initialisation replaces the wrappers and parameters instead of
  // leaking them.
  HostConnections connections;
  connections.mController = new AAX_VController(hostUnknown);
  connections.mAutomationDelegate = new AAX_VAutomationDelegate(hostUnknown);
  connections.mTransport = new AAX_VTransport(hostUnknown);
  connections.mRegistry.SetAutomationDelegate(connections.mAutomationDelegate);
  SwapHostConnections(connections);
  FreeHostConnections(connections);

  const AaxResult result = EffectInit();
  if (result != kAaxSuccess)
    return result;

  AAX_CString bypassId;
  GetMasterBypassId(&bypassId);
  mFilteredIds.insert(bypassId.Text());
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::UninitializeEffect()
{
  HostConnections connections;
  SwapHostConnections(connections);
  FreeHostConnections(connections);
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::HandleNotification(uint32_t type, const void* data, uint32_t size)
{
  if (type != kPreviewNotification)
    return kAaxSuccess;
  AAX_IParameter* preview = mRegistry.FindById(kPreviewId);
  if (!preview)
    return kAaxSuccess;
  // The notification carries one 32-bit flag; anything shorter is not one.
  if (!data || size < sizeof(int32_t))
    return kAaxErrNullArgument;
  int32_t flag;
  std::memcpy(&flag, data, sizeof flag);
  preview->SetValueWithBool(flag != 0);
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::GetNumberOfParameters(int32_t* count) const
{
  if (!count)
    return kAaxErrNullArgument;
  *count = mRegistry.Count();
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::GetMasterBypassId(AAX_IString* id) const
{
  if (!id)
    return kAaxErrNullArgument;
  id->SetText(mRegistry.FindById(kMasterBypassId) ? kMasterBypassId : "");
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::GetParameterIsAutomatable(AaxParamID id, bool* automatable) const
{
  if (!automatable)
    return kAaxErrNullArgument;
  *automatable = false;
  return ReadParameter(mRegistry, id, automatable, [](const AAX_IParameter& p) { return p.Automatable(); });
}

AaxResult AAX_CEffectParameters::GetParameterNumberOfSteps(AaxParamID id, int32_t* steps) const
{
  if (!steps)
    return kAaxErrNullArgument;
  const AAX_IParameter* parameter = mRegistry.FindById(id);
  if (!parameter)
    return kAaxErrUnknownParameter;
  const int32_t count = static_cast<int32_t>(parameter->NumberOfSteps());
  if (count < 0)
    return kAaxErrNegativeSteps;
  *steps = count;
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::GetParameterName(AaxParamID id, AAX_IString* name) const
{
  if (!name)
    return kAaxErrNullArgument;
  const AAX_IParameter* parameter = mRegistry.FindById(id);
  name->SetText(parameter ? parameter->Name().Text() : "");
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::GetParameterNameOfLength(AaxParamID id, AAX_IString* name, int32_t length) const
{
  if (!name)
    return kAaxErrNullArgument;
  const AAX_IParameter* parameter = mRegistry.FindById(id);
  if (!parameter)
  {
    name->SetText("");
    return kAaxSuccess;
  }

  char text[256];
  CopyTextBounded(text, parameter->ShortenedName(length).Text(), sizeof text);

  // The shortened name may hold several candidate lines: take the longest that fits.
  const char* best = nullptr;
  size_t bestLength = 0;
  bool anyLine = false;
  for (const char* line = text;;)
  {
    const char* end = std::strchr(line, '\n');
    const size_t lineLength = end ? static_cast<size_t>(end - line) : std::strlen(line);
    anyLine = true;
    if (length >= 0 && lineLength <= static_cast<size_t>(length) && (!best || lineLength > bestLength))
    {
      best = line;
      bestLength = lineLength;
    }
    if (!end)
      break;
    line = end + 1;
  }

  if (best)
  {
    name->SetText(std::string(best, bestLength).c_str());
  }
  else if (anyLine)
  {
    if (length < 1)
      name->SetText("");
    else
      name->SetText(std::string(text, std::strlen(text) < static_cast<size_t>(length)
                                          ? std::strlen(text) : static_cast<size_t>(length)).c_str());
  }
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::GetParameterDefaultNormalizedValue(AaxParamID id, double* value) const
{
  return ReadParameter(mRegistry, id, value, [](const AAX_IParameter& p) { return p.NormalizedDefault(); });
}

AaxResult AAX_CEffectParameters::SetParameterDefaultNormalizedValue(AaxParamID id, double value)
{
  return ActOnParameter(mRegistry, id, [value](AAX_IParameter& p) { p.SetNormalizedDefault(value); });
}

AaxResult AAX_CEffectParameters::GetParameterType(AaxParamID id, int32_t* type) const
{
  return ReadParameter(mRegistry, id, type, [](const AAX_IParameter& p) { return p.Type(); });
}

AaxResult AAX_CEffectParameters::GetParameterOrientation(AaxParamID id, int32_t* orientation) const
{
  return ReadParameter(mRegistry, id, orientation, [](const AAX_IParameter& p) { return p.Orientation(); });
}

AaxResult AAX_CEffectParameters::GetParameter(AaxParamID id, AAX_IParameter** parameter)
{
  if (!parameter)
    return kAaxErrNullArgument;
  *parameter = mRegistry.FindById(id);
  return *parameter ? kAaxSuccess : kAaxErrUnknownParameter;
}

AaxResult AAX_CEffectParameters::GetParameterIndex(AaxParamID id, int32_t* index) const
{
  if (!index)
    return kAaxErrNullArgument;
  *index = mRegistry.IndexOf(id);
  return *index < 0 ? kAaxErrUnknownParameter : kAaxSuccess;
}

AaxResult AAX_CEffectParameters::GetParameterIDFromIndex(int32_t index, AAX_IString* id) const
{
  if (!id)
    return kAaxErrNullArgument;
  const AAX_IParameter* parameter = mRegistry.ParameterAt(index);
  id->SetText(parameter ? parameter->Identifier() : "");
  return parameter ? kAaxSuccess : kAaxErrUnknownParameter;
}

AaxResult AAX_CEffectParameters::GetParameterValueInfo(AaxParamID, int32_t, int32_t* value) const
{
  if (value)
    *value = 0;
  return kAaxErrNotImplemented;
}

AaxResult AAX_CEffectParameters::GetParameterValueFromString(AaxParamID id, double* value,
                                                             const AAX_IString* text) const
{
  const AAX_IParameter* parameter = mRegistry.FindById(id);
  if (!parameter)
    return kAaxErrUnknownParameter;
  if (!value || !text)
    return kAaxErrNullArgument;
  double normalized = 0;
  if (!parameter->NormalizedValueFromString(AAX_CString(*text), &normalized))
    return kAaxErrNullArgument;
  *value = normalized;
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::GetParameterStringFromValue(AaxParamID id, double value, AAX_IString* text,
                                                             int32_t maxChars) const
{
  const AAX_IParameter* parameter = mRegistry.FindById(id);
  if (!parameter)
    return kAaxErrUnknownParameter;
  if (!text)
    return kAaxErrNullArgument;
  AAX_CString result;
  if (!parameter->StringFromNormalizedValueWithSize(value, maxChars, &result))
    return kAaxErrNullArgument;
  text->SetText(result.Text());
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::GetParameterValueString(AaxParamID id, AAX_IString* text, int32_t maxChars) const
{
  const AAX_IParameter* parameter = mRegistry.FindById(id);
  if (!parameter)
    return kAaxErrUnknownParameter;
  if (!text)
    return kAaxErrNullArgument;
  AAX_CString result;
  parameter->ValueStringWithSize(maxChars, &result);
  text->SetText(result.Text());
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::GetParameterNormalizedValue(AaxParamID id, double* value) const
{
  return ReadParameter(mRegistry, id, value, [](const AAX_IParameter& p) { return p.NormalizedValue(); });
}

AaxResult AAX_CEffectParameters::SetParameterNormalizedValue(AaxParamID id, double value)
{
  return ActOnParameter(mRegistry, id, [value](AAX_IParameter& p) { p.SetNormalizedValue(value); });
}

AaxResult AAX_CEffectParameters::SetParameterNormalizedRelative(AaxParamID id, double delta)
{
  double value = 0;
  const AaxResult result = GetParameterNormalizedValue(id, &value);
  if (result != kAaxSuccess)
    return result;
  return SetParameterNormalizedValue(id, Clamp01(value + delta));
}

AaxResult AAX_CEffectParameters::TouchParameter(AaxParamID id)
{
  return ActOnParameter(mRegistry, id, [](AAX_IParameter& p) { p.Touch(); });
}

AaxResult AAX_CEffectParameters::ReleaseParameter(AaxParamID id)
{
  return ActOnParameter(mRegistry, id, [](AAX_IParameter& p) { p.Release(); });
}

AaxResult AAX_CEffectParameters::Slot28(AaxWord, AaxWord)
{
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::UpdateParameterNormalizedValue(AaxParamID id, double value, int32_t)
{
  AAX_IParameter* parameter = mRegistry.FindById(id);
  if (!parameter)
    return kAaxErrUnknownParameter;
  parameter->UpdateNormalizedValue(value);
  const AaxResult result = mPacketQueue.SetDirty(id, true);
  ++mChangeCounter;
  return result;
}

AaxResult AAX_CEffectParameters::UpdateParameterNormalizedRelative(AaxParamID id, double delta)
{
  double value = 0;
  const AaxResult result = GetParameterNormalizedValue(id, &value);
  if (result != kAaxSuccess)
    return result;
  return UpdateParameterNormalizedValue(id, Clamp01(value + delta), 0);
}

AaxResult AAX_CEffectParameters::DispatchDirtyPackets()
{
  return mPacketQueue.Dispatch();
}

AaxResult AAX_CEffectParameters::ResetFieldData(AaxFieldIndex, void* block, uint32_t size) const
{
  if (size && !block)
    return kAaxErrNullArgument;
  if (size)
    std::memset(block, 0, size);
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::GetNumberOfChunks(int32_t* count) const
{
  if (!count)
    return kAaxErrNullArgument;
  *count = 1;
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::GetChunkIDFromIndex(int32_t index, uint32_t* chunkId) const
{
  if (!chunkId)
    return kAaxErrNullArgument;
  if (index != 0)
  {
    *chunkId = 0;
    return kAaxErrChunkIndex;
  }
  *chunkId = kDefaultChunkId;
  return kAaxSuccess;
}

bool AAX_CEffectParameters::IsFiltered(const char* id) const
{
  return mFilteredIds.count(id ? id : "") != 0;
}

void AAX_CEffectParameters::AddFilteredId(const char* id)
{
  if (id)
    mFilteredIds.insert(id);
}

void AAX_CEffectParameters::BuildChunkData() const
{
  mChunkParser.ClearEntries();
  const int32_t count = mRegistry.Count();
  for (int32_t i = 0; i < count; ++i)
  {
    const AAX_IParameter* parameter = mRegistry.ParameterAt(i);
    if (!parameter || IsFiltered(parameter->Identifier()))
      continue;
    const TypedValue v = ReadTypedValue(*parameter);
    const char* name = parameter->Identifier();
    switch (v.mKind)
    {
      case TypedValue::kFloat: mChunkParser.AppendDouble(name, v.mFloat); break;
      case TypedValue::kInt32: mChunkParser.AppendInt32(name, v.mInt32); break;
      case TypedValue::kBool: mChunkParser.AppendInt32(name, v.mBool ? 1 : 0); break;
      case TypedValue::kDouble: mChunkParser.AppendDouble(name, v.mDouble); break;
      case TypedValue::kString: mChunkParser.AppendString(name, v.mString); break;
      case TypedValue::kNone: break;
    }
  }
}

AaxResult AAX_CEffectParameters::GetChunkSize(uint32_t chunkId, uint32_t* size) const
{
  if (!size)
    return kAaxErrNullArgument;
  if (chunkId != kDefaultChunkId)
  {
    *size = 0;
    return kAaxErrUnknownChunk;
  }
  BuildChunkData();
  mChunkSize = mChunkParser.ChunkDataSize();
  if (mChunkSize < 0)
    return kAaxErrChunkSize;
  *size = static_cast<uint32_t>(mChunkSize);
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::GetChunk(uint32_t chunkId, AaxChunk* chunk) const
{
  if (chunkId != kDefaultChunkId)
    return kAaxErrUnknownChunk;
  if (!chunk)
    return kAaxErrNullArgument;
  // The host sized the record from GetChunkSize; anything else would not fit.
  BuildChunkData();
  if (mChunkParser.ChunkDataSize() != mChunkSize || mChunkSize == 0)
    return kAaxErrChunkSize;
  chunk->mVersion = mChunkParser.ChunkVersion();
  std::memset(chunk->mName, 0, sizeof chunk->mName);
  CopyTextBounded(chunk->mName, kDefaultChunkName, sizeof chunk->mName);
  return mChunkParser.GetChunkData(chunk);
}

AaxResult AAX_CEffectParameters::SetChunk(uint32_t chunkId, const AaxChunk* chunk)
{
  if (chunkId != kDefaultChunkId)
    return kAaxErrUnknownChunk;
  if (!chunk)
    return kAaxErrNullArgument;
  const AaxResult loaded = mChunkParser.LoadChunkData(chunk);
  if (loaded != kAaxSuccess)
    return loaded;

  const int32_t count = mRegistry.Count();
  for (int32_t i = 0; i < count; ++i)
  {
    AAX_IParameter* parameter = mRegistry.ParameterAt(i);
    if (!parameter || IsFiltered(parameter->Identifier()))
      continue;
    const char* id = parameter->Identifier();
    double d = 0;
    int32_t n = 0;
    AAX_CString s;
    switch (ReadTypedValue(*parameter).mKind)
    {
      case TypedValue::kFloat:
        if (mChunkParser.FindDouble(id, &d))
          parameter->SetValueWithFloat(static_cast<float>(d));
        break;
      case TypedValue::kInt32:
        if (mChunkParser.FindInt32(id, &n))
          parameter->SetValueWithInt32(n);
        break;
      case TypedValue::kBool:
        if (mChunkParser.FindInt32(id, &n))
          parameter->SetValueWithBool(n != 0);
        break;
      case TypedValue::kDouble:
        if (mChunkParser.FindDouble(id, &d))
          parameter->SetValueWithDouble(d);
        break;
      case TypedValue::kString:
        if (mChunkParser.FindString(id, &s))
          parameter->SetValueWithString(s);
        break;
      case TypedValue::kNone:
        break;
    }
  }
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::CompareActiveChunk(const AaxChunk* chunk, bool* isEqual) const
{
  if (!isEqual || !chunk)
    return kAaxErrNullArgument;
  if (chunk->mChunkID != kDefaultChunkId)
  {
    *isEqual = true;
    return kAaxSuccess;
  }
  *isEqual = false;
  const AaxResult loaded = mChunkParser.LoadChunkData(chunk);
  if (loaded != kAaxSuccess)
    return loaded;

  const int32_t count = mRegistry.Count();
  for (int32_t i = 0; i < count; ++i)
  {
    const AAX_IParameter* parameter = mRegistry.ParameterAt(i);
    if (!parameter || IsFiltered(parameter->Identifier()))
      continue;
    const char* id = parameter->Identifier();
    const TypedValue v = ReadTypedValue(*parameter);
    double d = 0;
    int32_t n = 0;
    AAX_CString s;
    bool same = false;
    switch (v.mKind)
    {
      case TypedValue::kFloat:
        same = mChunkParser.FindDouble(id, &d) && v.mFloat == static_cast<float>(d);
        break;
      case TypedValue::kInt32:
        same = mChunkParser.FindInt32(id, &n) && v.mInt32 == n;
        break;
      case TypedValue::kBool:
        same = mChunkParser.FindInt32(id, &n) && v.mBool == (n != 0);
        break;
      case TypedValue::kDouble:
        same = mChunkParser.FindDouble(id, &d) && static_cast<float>(v.mDouble) == static_cast<float>(d);
        break;
      case TypedValue::kString:
        same = mChunkParser.FindString(id, &s) && v.mString == s;
        break;
      case TypedValue::kNone:
        // Not in the chunk when it was built, so nothing to compare.
        same = true;
        break;
    }
    if (!same)
      return kAaxSuccess;
  }
  *isEqual = true;
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::GetNumberOfChanges(int32_t* changes) const
{
  if (!changes)
    return kAaxErrNullArgument;
  const int32_t count = mChangeCounter.load();
  if (count >= 0)
    *changes = count;
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::Slot40() { return kAaxSuccess; }
AaxResult AAX_CEffectParameters::Slot41(AaxWord, AaxWord, AaxWord, AaxWord) { return kAaxErrNotImplemented; }

AaxResult AAX_CEffectParameters::Slot42(AaxWord, AaxWord, AaxWord, uint32_t* out)
{
  if (out)
    *out = 0;
  return kAaxSuccess;
}

AaxResult AAX_CEffectParameters::Slot43(AaxWord, AaxWord, AaxWord) { return kAaxSuccess; }
AaxResult AAX_CEffectParameters::Slot44() { return kAaxSuccess; }
AaxResult AAX_CEffectParameters::Slot45(AaxWord) { return kAaxErrNotImplemented; }
AaxResult AAX_CEffectParameters::Slot46(AaxWord, AaxWord) { return kAaxSuccess; }
AaxResult AAX_CEffectParameters::Slot47(AaxWord, AaxWord) { return kAaxSuccess; }

AaxResult AAX_CEffectParameters::EffectInit()
{
  return kAaxSuccess;
}
