#pragma once

// The operating-system mutex behind AAX_CLock: a Win32 mutex in the Windows
// builds, a pthread mutex natively.

#include <cstdint>

namespace aaxos {

// Null when no mutex could be made.
void* CreateLockMutex ();
void WaitLockMutex (void* mutex);
void ReleaseLockMutex (void* mutex);
void CloseLockMutex (void* mutex);
// Never 0: 0 marks a free lock.
uint32_t CurrentThreadId ();

} // namespace aaxos
