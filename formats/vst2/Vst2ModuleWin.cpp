// Library entry point of the Windows VST2 builds.

#include <windows.h>

#include "framework/ModuleHandle.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/)
{
  // Recorded on every call; the editor loads its images through it.
  SetPlugModuleInstance(instance);
  return TRUE;
}
