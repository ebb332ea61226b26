// Library entry point and the module entries of the Windows VST3 builds.

#include "formats/vst3/Vst3Module.h"

#include <windows.h>

namespace {

HINSTANCE sModuleInstance = nullptr;

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/)
{
  // Recorded on every call; the editor loads its images through it.
  sModuleInstance = instance;
  return TRUE;
}

void* Vst3ModuleHandle()
{
  return sModuleInstance;
}

extern "C" bool InitDll()
{
  return true;
}

extern "C" bool ExitDll()
{
  return true;
}
