#include "formats/vst2/Vst2Module.h"

#include <mutex>

#include "formats/vst2/IPlugVST.h"
#include "framework/PlugCreationLock.h"

AEffect* Vst2CreateEffect(audioMasterCallback host, IPlugVST* (*create)(audioMasterCallback))
{
  if (!create) return nullptr;
  std::lock_guard<RecursiveLock> lock(PlugCreationLock());
  IPlugVST* plug = nullptr;
  try
  {
    plug = create(host);
  }
  catch (...)
  {
    plug = nullptr;
  }
  if (!plug) return nullptr;
  plug->EnsureDefaultPresets();
  AEffect* effect = plug->GetAEffect();
  if (effect->numPrograms <= 0) effect->numPrograms = 1;
  return effect;
}
