#include "aax-support/AAX_CLock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

TEST (AAX_CLock, NestedAcquireDoesNotBlockAndOneReleaseFreesTheLock)
{
	AAX_CLock lock;
	ASSERT_TRUE (lock.IsValid ());
	EXPECT_TRUE (lock.Acquire ());
	EXPECT_FALSE (lock.Acquire ());  // re-entered: not counted

	std::atomic<int> state { 0 };
	std::thread other ([&] {
		state = 1;
		const bool got = lock.Acquire ();
		state = got ? 2 : 3;
		if (got)
			lock.Release ();
	});
	while (state.load () == 0)
		std::this_thread::yield ();
	std::this_thread::sleep_for (std::chrono::milliseconds (50));
	EXPECT_EQ (state.load (), 1);  // still waiting
	lock.Release ();
	other.join ();
	EXPECT_EQ (state.load (), 2);
}

TEST (AAX_CLock, ReleaseFromAnotherThreadChangesNothing)
{
	AAX_CLock lock;
	ASSERT_TRUE (lock.Acquire ());
	bool otherGot = true;
	std::thread intruder ([&] { lock.Release (); });
	intruder.join ();
	// Still held by this thread: a nested acquire is refused, another thread would wait.
	EXPECT_FALSE (lock.Acquire ());
	lock.Release ();
	std::thread after ([&] {
		otherGot = lock.Acquire ();
		if (otherGot)
			lock.Release ();
	});
	after.join ();
	EXPECT_TRUE (otherGot);
}

TEST (AAX_CLock, WithoutAMutexEverythingIsANoOp)
{
	AAX_CLock lock;
	lock.Destroy ();
	lock.Destroy ();  // harmless twice
	EXPECT_FALSE (lock.IsValid ());
	EXPECT_FALSE (lock.Acquire ());
	lock.Release ();
	bool other = true;
	std::thread t ([&] { other = lock.Acquire (); lock.Release (); });
	t.join ();
	EXPECT_FALSE (other);
}

TEST (AAX_CLock, GuardReleasesOnlyWhatItAcquired)
{
	AAX_CLock lock;
	auto outer = std::make_unique<AAX_CLockGuard> (&lock);
	EXPECT_TRUE (outer->Acquired ());
	{
		AAX_CLockGuard inner (&lock);
		EXPECT_FALSE (inner.Acquired ());
	}
	// The inner guard must not have ended the outer protection.
	std::atomic<int> state { 0 };
	std::thread t ([&] {
		state = 1;
		state = lock.Acquire () ? 2 : 3;
		lock.Release ();
	});
	while (state.load () == 0)
		std::this_thread::yield ();
	std::this_thread::sleep_for (std::chrono::milliseconds (30));
	EXPECT_EQ (state.load (), 1);
	outer.reset ();
	t.join ();
	EXPECT_EQ (state.load (), 2);

	AAX_CLockGuard none (nullptr);
	EXPECT_FALSE (none.Acquired ());
}

} // namespace
