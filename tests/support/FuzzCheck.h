#pragma once
// An invariant of a fuzz target: a broken one aborts, so libFuzzer keeps the
// input that broke it.

#include <cstdio>
#include <cstdlib>

inline void FuzzCheck(bool ok, const char* what)
{
  if (!ok)
  {
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
  }
}
