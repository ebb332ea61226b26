#include "framework/RecursiveLock.h"

RecursiveLock::RecursiveLock() = default;

RecursiveLock::~RecursiveLock() = default;

void RecursiveLock::lock()
{
  mMutex.lock();
}

bool RecursiveLock::try_lock()
{
  return mMutex.try_lock();
}

void RecursiveLock::unlock()
{
  mMutex.unlock();
}
