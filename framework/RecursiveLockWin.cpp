#include "framework/RecursiveLock.h"

#include <windows.h>

static_assert(sizeof(CRITICAL_SECTION) <= sizeof(void* [6]) && alignof(CRITICAL_SECTION) <= alignof(void*),
              "the critical section must fit its room");

namespace {

CRITICAL_SECTION* Section(void** room)
{
  return reinterpret_cast<CRITICAL_SECTION*>(room);
}

} // namespace

RecursiveLock::RecursiveLock()
{
  InitializeCriticalSection(Section(mSection));
}

RecursiveLock::~RecursiveLock()
{
  DeleteCriticalSection(Section(mSection));
}

void RecursiveLock::lock()
{
  EnterCriticalSection(Section(mSection));
}

bool RecursiveLock::try_lock()
{
  return TryEnterCriticalSection(Section(mSection)) != FALSE;
}

void RecursiveLock::unlock()
{
  LeaveCriticalSection(Section(mSection));
}
