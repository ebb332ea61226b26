// Wine keeps its own settings under HKEY_LOCAL_MACHINE\Software\Wine; the key's
// existence is the only registry access of the library.
#include "drawing/LICE_TextRenderer.h"

#include <windows.h>

bool LICE_TextRenderer::ProbeWineHost()
{
  HKEY key = nullptr;
  if (RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Wine", &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}
