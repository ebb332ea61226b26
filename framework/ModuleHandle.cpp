#include "framework/ModuleHandle.h"

#include <atomic>

namespace {

// Written on the loader's thread, read on the host's UI thread.
std::atomic<void*> sModuleInstance{nullptr};

} // namespace

void SetPlugModuleInstance(void* instance)
{
  sModuleInstance.store(instance, std::memory_order_release);
}

void* GetPlugModuleInstance()
{
  return sModuleInstance.load(std::memory_order_acquire);
}
