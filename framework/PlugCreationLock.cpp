#include "framework/PlugCreationLock.h"

namespace {

// Made while the module loads, before any host thread can call in, and
// deleted when it unloads.
RecursiveLock sPlugCreationLock;

} // namespace

RecursiveLock& PlugCreationLock()
{
  return sPlugCreationLock;
}
