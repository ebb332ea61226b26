#include "formats/vst3/Vst3Module.h"

#include <mutex>

namespace {

// Constant-initialised, so it exists before any host thread can call in.
std::mutex sCreationLock;

} // namespace

Steinberg::FUnknown* Vst3CreateUnderLock(Steinberg::FUnknown* (*create)())
{
  if (!create)
    return nullptr;
  try
  {
    std::lock_guard<std::mutex> lock(sCreationLock);
    return create();
  }
  catch (...)
  {
    return nullptr;
  }
}
