#pragma once

// Mutual exclusion that the holding thread may re-enter without blocking. A
// nested Acquire reports false so that only the outermost holder releases; use
// AAX_CLockGuard to pair them. Without an operating-system mutex (creation
// failed, or after Destroy) Acquire is false and Release does nothing.

#include <atomic>
#include <cstdint>

class AAX_CLock
{
public:
	AAX_CLock ();
	~AAX_CLock ();

	bool Acquire ();
	void Release ();
	// Tears the lock down early; a second call does nothing.
	void Destroy ();

	bool IsValid () const { return mRecord != nullptr; }

	AAX_CLock (const AAX_CLock&) = delete;
	AAX_CLock& operator= (const AAX_CLock&) = delete;

private:
	struct Record
	{
		// Compared without the mutex, only against the caller's own id.
		std::atomic<uint32_t> mOwner { 0 };
		void* mMutex = nullptr;
	};
	Record* mRecord = nullptr;
};

class AAX_CLockGuard
{
public:
	explicit AAX_CLockGuard (AAX_CLock* lock)
		: mLock (lock)
		, mAcquired (lock && lock->Acquire ())
	{
	}
	~AAX_CLockGuard ()
	{
		if (mAcquired)
			mLock->Release ();
	}
	bool Acquired () const { return mAcquired; }

	AAX_CLockGuard (const AAX_CLockGuard&) = delete;
	AAX_CLockGuard& operator= (const AAX_CLockGuard&) = delete;

private:
	AAX_CLock* mLock;
	bool mAcquired;
};
