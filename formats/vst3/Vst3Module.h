#pragma once

// Module-level pieces every VST3 library of this tree shares: the entry
// points next to GetPluginFactory, the module handle, and the guard around
// the factory's create functions.

#include "pluginterfaces/base/funknown.h"

#include <new>

extern "C" {
// Exported (undecorated) next to GetPluginFactory; hosts call them after
// loading and before unloading the library.
bool InitDll();
bool ExitDll();
}

// The module instance handle recorded by the library's entry point (null
// outside Windows or before the entry point ran).
void* Vst3ModuleHandle();

// Runs create(), which takes the process-wide creation lock
// (framework/PlugCreationLock.h) around allocation and construction. A failed
// allocation or an exception from construction gives null; nothing escapes
// to the host.
Steinberg::FUnknown* Vst3CreateInstance(Steinberg::FUnknown* (*create)());
