#include "framework/PlugCreationLock.h"

namespace {

// std::mutex has a constexpr constructor, so this is constant-initialised: it
// exists before any host thread can call in, with no first-use race.
std::mutex sPlugCreationLock;

} // namespace

std::mutex& PlugCreationLock()
{
  return sPlugCreationLock;
}
