#pragma once

#include <map>
#include <string>
#include <vector>

#include "aax-support/interfaces/AaxTypes.h"

class AAX_IAutomationDelegate;
class AAX_IParameter;

// The host parameters of one effect, in insertion order and by identifier.
// Owns them; every parameter added is attached to the automation delegate.
class AAX_CParameterRegistry
{
public:
  AAX_CParameterRegistry() = default;
  ~AAX_CParameterRegistry();

  AAX_CParameterRegistry(const AAX_CParameterRegistry&) = delete;
  AAX_CParameterRegistry& operator=(const AAX_CParameterRegistry&) = delete;

  // Not owned; handed to every parameter added afterwards.
  void SetAutomationDelegate(AAX_IAutomationDelegate* automationDelegate);

  // Takes ownership in every case. A parameter whose identifier is already
  // registered is deleted unattached and false is returned: the first stays.
  bool Add(AAX_IParameter* parameter);

  AAX_IParameter* FindById(AaxParamID id) const;   // null for null or unknown ids
  int32_t IndexOf(AaxParamID id) const;            // -1 for null or unknown ids
  AAX_IParameter* ParameterAt(int32_t index) const; // null outside [0, Count)
  int32_t Count() const;

  // Deletes every parameter in insertion order.
  void RemoveAll();

  // Exchanges parameters and automation delegate with the other registry;
  // allocates nothing and calls no parameter.
  void Swap(AAX_CParameterRegistry& other);

private:
  AAX_IAutomationDelegate* mAutomationDelegate = nullptr;
  std::vector<AAX_IParameter*> mParameters;
  std::map<std::string, AAX_IParameter*> mParametersById;
};
