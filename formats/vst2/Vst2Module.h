#pragma once

// Module-level pieces of a VST2 library of this tree: creating the plug-in
// object for VSTPluginMain, and the module handle.

#include "formats/vst2/VstAbi.h"

class IPlugVST;

// Runs create(host) under the process-wide creation lock, gives every preset
// still uninitialised the "Empty" default and reports at least one program.
// Returns the object's effect record, or null when it could not be made
// (a failed allocation included: nothing escapes to the host).
AEffect* Vst2CreateEffect(audioMasterCallback host, IPlugVST* (*create)(audioMasterCallback));

// The module instance handle recorded by the library's entry point (null
// outside Windows or before the entry point ran).
void* Vst2ModuleHandle();
