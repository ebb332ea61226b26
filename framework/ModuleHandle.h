#pragma once

// The plug-in library's module instance handle (HINSTANCE on Windows), kept
// where every part of the library can reach it. The library's entry points
// record it (DllMain on every call; VST3's InitDll again), and the editor
// loads its images through it. Null until an entry point ran, and in builds
// without a module (native tests pass a resource table instead).
void SetPlugModuleInstance(void* instance);
void* GetPlugModuleInstance();
