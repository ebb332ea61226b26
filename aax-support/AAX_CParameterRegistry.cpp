#include "aax-support/AAX_CParameterRegistry.h"

#include <cstring>
#include <utility>

#include "aax-support/AAX_IParameter.h"

AAX_CParameterRegistry::~AAX_CParameterRegistry()
{
  RemoveAll();
}

void AAX_CParameterRegistry::SetAutomationDelegate(AAX_IAutomationDelegate* automationDelegate)
{
  mAutomationDelegate = automationDelegate;
}

bool AAX_CParameterRegistry::Add(AAX_IParameter* parameter)
{
  if (!parameter)
    return false;
  const char* id = parameter->Identifier();
  if (AAX_IParameter* existing = FindById(id))
  {
    // Nobody else would free a refused one; it was never attached, so its
    // deletion reaches no host. The same object offered again is already ours.
    if (existing != parameter)
      AaxDelete(parameter);
    return false;
  }
  parameter->SetAutomationDelegate(mAutomationDelegate);
  mParameters.push_back(parameter);
  mParametersById.insert(std::make_pair(std::string(id), parameter));
  return true;
}

AAX_IParameter* AAX_CParameterRegistry::FindById(AaxParamID id) const
{
  if (!id)
    return nullptr;
  auto found = mParametersById.find(id);
  return found == mParametersById.end() ? nullptr : found->second;
}

int32_t AAX_CParameterRegistry::IndexOf(AaxParamID id) const
{
  if (!id)
    return -1;
  for (size_t i = 0; i < mParameters.size(); ++i)
  {
    if (std::strcmp(mParameters[i]->Identifier(), id) == 0)
      return int32_t(i);
  }
  return -1;
}

AAX_IParameter* AAX_CParameterRegistry::ParameterAt(int32_t index) const
{
  if (index < 0 || size_t(index) >= mParameters.size())
    return nullptr;
  return mParameters[size_t(index)];
}

int32_t AAX_CParameterRegistry::Count() const
{
  return int32_t(mParameters.size());
}

void AAX_CParameterRegistry::RemoveAll()
{
  for (AAX_IParameter* parameter : mParameters)
    AaxDelete(parameter);
  mParameters.clear();
  mParametersById.clear();
}

void AAX_CParameterRegistry::Swap(AAX_CParameterRegistry& other)
{
  std::swap(mAutomationDelegate, other.mAutomationDelegate);
  mParameters.swap(other.mParameters);
  mParametersById.swap(other.mParametersById);
}
