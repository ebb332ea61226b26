#include "aax-support/AAX_CLock.h"

#include "aax-support/AAX_CLockOS.h"

AAX_CLock::AAX_CLock ()
{
	mRecord = new Record;
	mRecord->mMutex = aaxos::CreateLockMutex ();
	if (!mRecord->mMutex)
	{
		delete mRecord;
		mRecord = nullptr;
	}
}

AAX_CLock::~AAX_CLock ()
{
	Destroy ();
}

bool AAX_CLock::Acquire ()
{
	if (!mRecord)
		return false;
	const uint32_t self = aaxos::CurrentThreadId ();
	if (mRecord->mOwner.load (std::memory_order_relaxed) == self)
		return false;
	aaxos::WaitLockMutex (mRecord->mMutex);
	mRecord->mOwner.store (self, std::memory_order_relaxed);
	return true;
}

void AAX_CLock::Release ()
{
	if (!mRecord || mRecord->mOwner.load (std::memory_order_relaxed) != aaxos::CurrentThreadId ())
		return;
	// Cleared before the mutex is let go: the next owner writes its id only after its wait.
	mRecord->mOwner.store (0, std::memory_order_relaxed);
	aaxos::ReleaseLockMutex (mRecord->mMutex);
}

void AAX_CLock::Destroy ()
{
	if (!mRecord)
		return;
	aaxos::CloseLockMutex (mRecord->mMutex);
	delete mRecord;
	mRecord = nullptr;
}
