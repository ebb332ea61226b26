#include "resources/ZqResources.h"
#include "tests/support/IGraphicsHeadless.h"

HINSTANCE TestImageModule()
{
  return LICE_ResourceModuleHandle(ZqResourceModule());
}
