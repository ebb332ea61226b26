// Library entry point of the AAX plug-in library.

#include <windows.h>

#include "framework/ModuleHandle.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/)
{
  // The editor loads its images through this handle; recorded on every call.
  SetPlugModuleInstance(instance);
  return TRUE;
}
