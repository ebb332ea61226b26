#pragma once

// Creating the plug-in object for VSTPluginMain, in every VST2 library of
// this tree. (The library's DllMain records the module handle in the
// framework, framework/ModuleHandle.h.)

#include "formats/vst2/VstAbi.h"

class IPlugVST;

// Runs create(host) under the process-wide creation lock, gives every preset
// still uninitialised the "Empty" default and reports at least one program.
// Returns the object's effect record, or null when it could not be made
// (a failed allocation included: nothing escapes to the host).
AEffect* Vst2CreateEffect(audioMasterCallback host, IPlugVST* (*create)(audioMasterCallback));
