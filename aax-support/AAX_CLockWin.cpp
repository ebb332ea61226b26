#include "aax-support/AAX_CLockOS.h"

#include <windows.h>

namespace aaxos {

void* CreateLockMutex ()
{
	return CreateMutexA (nullptr, FALSE, nullptr);
}

void WaitLockMutex (void* mutex)
{
	WaitForSingleObject (static_cast<HANDLE> (mutex), INFINITE);
}

void ReleaseLockMutex (void* mutex)
{
	ReleaseMutex (static_cast<HANDLE> (mutex));
}

void CloseLockMutex (void* mutex)
{
	CloseHandle (static_cast<HANDLE> (mutex));
}

uint32_t CurrentThreadId ()
{
	return GetCurrentThreadId ();
}

} // namespace aaxos
