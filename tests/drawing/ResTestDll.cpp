// A DLL built like the plug-in libraries: the resource objects linked in, the
// module handle recorded at entry and used for loading, as the editor does.
#include <windows.h>

#include "drawing/LICE_IBitmap.h"
#include "drawing/LICE_PNG.h"

static HINSTANCE sInstance = nullptr;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
  if (reason == DLL_PROCESS_ATTACH)
    sInstance = instance;
  return TRUE;
}

extern "C" __attribute__((dllexport)) HINSTANCE ZqResTestInstance()
{
  return sInstance;
}

// Decodes resource id from this module; 1 with the size on success, 0 on failure.
extern "C" __attribute__((dllexport)) int ZqResTestDecode(int id, int* width, int* height)
{
  LICE_IBitmap* bm = LICE_LoadPNGFromResource(sInstance, id);
  if (!bm)
    return 0;
  *width = bm->GetWidth();
  *height = bm->GetHeight();
  delete bm;
  return 1;
}
