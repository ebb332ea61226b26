#pragma once
// The one process-wide lock that serialises plug-in creation. Every format
// entry (the VST3 factory, the AAX create procedures, the VST2 entry) holds it
// while it allocates and constructs a plug-in object, and for nothing else.

#include "framework/RecursiveLock.h"

RecursiveLock& PlugCreationLock();
