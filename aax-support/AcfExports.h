#pragma once

// What the ACF entry points need from the module that links them: its effect
// description, run while the host registers the plug-in.

#include "aax-support/interfaces/AcfEntryPoints.h"

class AAX_ICollection;

// Describes the module's effects into the collection; 0 on success.
AaxResult DescribeEffects (AAX_ICollection* collection);

// The registration behind ACFRegisterPlugin, outside the exception guard.
AaxResult RegisterPluginImpl (IACFUnknown* hostUnknown, IACFUnknown** pluginDefinition);
