// Library entry point and the module entries of the Windows VST3 builds.

#include "formats/vst3/Vst3Module.h"

#include <windows.h>

#include "framework/ModuleHandle.h"

namespace {

HINSTANCE sModuleInstance = nullptr;

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/)
{
  // Recorded on every call; the editor loads its images through the
  // framework's handle, so it is filled here too for hosts that skip InitDll.
  sModuleInstance = instance;
  SetPlugModuleInstance(instance);
  return TRUE;
}

void* Vst3ModuleHandle()
{
  return sModuleInstance;
}

extern "C" bool InitDll()
{
  SetPlugModuleInstance(sModuleInstance);
  return true;
}

extern "C" bool ExitDll()
{
  return true;
}
