#pragma once
// The lock every plug-in object and every process-wide table of the library
// uses: the holding thread may take it again. It satisfies the standard
// Lockable requirements, so std::lock_guard and std::unique_lock work on it.
//
// In the Windows builds it is a critical section that the constructor makes
// and the destructor deletes: the threads library's own mutexes are set up
// lazily on first lock and never freed there, which leaks a block per lock.

#if !defined(_WIN32)
#include <mutex>
#endif

class RecursiveLock
{
public:
  RecursiveLock();
  ~RecursiveLock();

  RecursiveLock(const RecursiveLock&) = delete;
  RecursiveLock& operator=(const RecursiveLock&) = delete;

  void lock();
  bool try_lock();
  void unlock();

private:
#if defined(_WIN32)
  // Room for the system's critical section, which this header does not declare.
  void* mSection[6];
#else
  std::recursive_mutex mMutex;
#endif
};
