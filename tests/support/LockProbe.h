#pragma once
// Whether some thread other than the caller's holds a lock right now: a
// second thread tries to take it.

#include "framework/RecursiveLock.h"

#include <thread>

inline bool LockHeldElsewhere(RecursiveLock& lock)
{
  bool taken = false;
  std::thread probe([&] {
    if (lock.try_lock())
    {
      taken = true;
      lock.unlock();
    }
  });
  probe.join();
  return !taken;
}
