#include "aax-support/AAX_CLockOS.h"

#include <atomic>
#include <new>
#include <pthread.h>

namespace aaxos {

void* CreateLockMutex ()
{
	pthread_mutex_t* mutex = new (std::nothrow) pthread_mutex_t;
	if (mutex && pthread_mutex_init (mutex, nullptr) != 0)
	{
		delete mutex;
		mutex = nullptr;
	}
	return mutex;
}

void WaitLockMutex (void* mutex)
{
	pthread_mutex_lock (static_cast<pthread_mutex_t*> (mutex));
}

void ReleaseLockMutex (void* mutex)
{
	pthread_mutex_unlock (static_cast<pthread_mutex_t*> (mutex));
}

void CloseLockMutex (void* mutex)
{
	pthread_mutex_destroy (static_cast<pthread_mutex_t*> (mutex));
	delete static_cast<pthread_mutex_t*> (mutex);
}

uint32_t CurrentThreadId ()
{
	// Small ids handed out on first use; never 0.
	static std::atomic<uint32_t> next { 1 };
	thread_local uint32_t id = next.fetch_add (1);
	return id;
}

} // namespace aaxos
