// Library entry point of the Windows VST2 builds.

#include "formats/vst2/Vst2Module.h"

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

void* Vst2ModuleHandle()
{
  return sModuleInstance;
}
