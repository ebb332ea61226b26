#include "formats/aax/AAX_CIPlugParameters.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "formats/aax/AaxRenderContext.h"

AAX_CIPlugParameters::AAX_CIPlugParameters() = default;

AAX_CIPlugParameters::~AAX_CIPlugParameters()
{
  mParamIDs.DeleteAll();
}

AaxResult AAX_CIPlugParameters::InternalQueryInterface(AcfRefIID iid, void** out)
{
  if (out && iid == IID_IPlugAAXParameters)
  {
    *out = this;
    AddRef();
    return kAaxSuccess;
  }
  return AAX_CEffectParameters::InternalQueryInterface(iid, out);
}

AaxResult AAX_CIPlugParameters::ResetFieldData(AaxFieldIndex field, void* block, uint32_t size) const
{
  if (size && !block)
    return kAaxErrNullArgument;
  if (field == kAaxFieldPrivateData && size >= sizeof(const AAX_CIPlugParameters*))
  {
    const AAX_CIPlugParameters* self = this;
    std::memcpy(block, &self, sizeof self);
    std::memset(static_cast<char*>(block) + sizeof self, 0, size - sizeof self);
    return kAaxSuccess;
  }
  if (size)
    std::memset(block, 0, size);
  return kAaxSuccess;
}

void AAX_CIPlugParameters::SwapHostConnections(HostConnections& connections)
{
  mBypassParam = nullptr;
  AAX_CEffectParameters::SwapHostConnections(connections);
}

void AAX_CIPlugParameters::RenderAudio(AaxRenderContext*)
{
}

void AAX_CIPlugParameters::FormatParamID(int idx, char (&id)[kParamIDSize])
{
  std::snprintf(id, sizeof id, "%d", idx + 1);
}

int AAX_CIPlugParameters::ParamIndexOfID(AaxParamID id)
{
  if (!id || !*id)
    return -1;
  char* end = nullptr;
  const long number = std::strtol(id, &end, 10);
  if (*end != '\0' || number < 1 || number > 0x7FFFFFFF)
    return -1;
  return static_cast<int>(number - 1);
}

const char* AAX_CIPlugParameters::ParamID(int idx) const
{
  TextBuffer* id = mParamIDs.Get(idx);
  return id ? id->Get() : nullptr;
}

