#pragma once
// The editor's images for builds without Windows resources: pass
// LICE_ResourceModuleHandle(ZqResourceModule()) where a module handle is asked for.

#include "drawing/LICE_PNG.h"

#ifndef _WIN32
const LICE_ResourceModule* ZqResourceModule();
#endif
