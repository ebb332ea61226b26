#pragma once

// A VST3 module loaded the way a Windows host loads it: the library, then its
// InitDll, then its factory; unloading reverses the steps.

#include "pluginterfaces/base/ipluginbase.h"

#include <memory>
#include <string>

namespace zqhost {

class PluginModule
{
public:
	// Null with error set when the library or one of its entries is missing.
	static std::unique_ptr<PluginModule> load (const std::string& path, std::string& error);
	~PluginModule ();

	Steinberg::IPluginFactory* factory () const { return mFactory; }
	// The raw export, for tests of the entry points themselves.
	void* entry (const char* name) const;
	// The loaded image (its module handle).
	void* image () const { return mLibrary; }

private:
	PluginModule () = default;
	void* mLibrary = nullptr;
	Steinberg::IPluginFactory* mFactory = nullptr;
};

} // namespace zqhost
