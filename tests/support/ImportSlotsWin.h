#pragma once

// The import slots of a loaded Windows library: what the test watches redirect
// to count what the library makes.

#include <functional>

namespace zqhost {

// Calls `visit` with every import slot of the loaded library that is bound by
// name: the library it comes from, the function's name and the slot itself.
void ForEachImportSlot(const void* image,
                       const std::function<void(const char* library, const char* name, void** slot)>& visit);
// Points an import slot elsewhere; false when its page cannot be written.
bool WriteImportSlot(void** slot, void* value);

} // namespace zqhost
