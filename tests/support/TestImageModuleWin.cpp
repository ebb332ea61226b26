#include <windows.h>

#include "tests/support/IGraphicsHeadless.h"

HINSTANCE TestImageModule()
{
  return GetModuleHandleA(nullptr);
}
