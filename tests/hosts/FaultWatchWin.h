#pragma once
// Counts the faults (access violations, illegal instructions, stack
// overflows) raised in this process while it lives, those a window
// procedure's own handler swallows included: a vectored handler sees each
// one first and passes it on.

#include <windows.h>

#include <atomic>

class FaultWatch
{
public:
  FaultWatch() : mHandle(AddVectoredExceptionHandler(1, Count)) { sFaults = 0; }
  ~FaultWatch()
  {
    if (mHandle)
      RemoveVectoredExceptionHandler(mHandle);
  }
  FaultWatch(const FaultWatch&) = delete;
  FaultWatch& operator=(const FaultWatch&) = delete;

  bool Watching() const { return mHandle != nullptr; }
  int Faults() const { return sFaults.load(); }

private:
  static LONG CALLBACK Count(EXCEPTION_POINTERS* info)
  {
    switch (info->ExceptionRecord->ExceptionCode)
    {
      case EXCEPTION_ACCESS_VIOLATION:
      case EXCEPTION_ILLEGAL_INSTRUCTION:
      case EXCEPTION_PRIV_INSTRUCTION:
      case EXCEPTION_STACK_OVERFLOW:
        ++sFaults;
        break;
      default:
        break;
    }
    return EXCEPTION_CONTINUE_SEARCH;
  }

  static inline std::atomic<int> sFaults{0};
  void* mHandle;
};
