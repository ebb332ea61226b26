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
	// Null with error set when the library or one of its entries is missing. A path that is a
	// folder is a bundle: the library is Contents/<arch>-win/<bundle name> inside it.
	static std::unique_ptr<PluginModule> load (const std::string& path, std::string& error);
	~PluginModule ();

	Steinberg::IPluginFactory* factory () const { return mFactory; }
	// The raw export, for tests of the entry points themselves.
	void* entry (const char* name) const;
	// The loaded image (its module handle).
	void* image () const { return mLibrary; }
	// The library's path inside the bundle it was loaded from; empty when it was a bare file.
	const std::string& bundledLibrary () const { return mBundledLibrary; }

private:
	PluginModule () = default;
	void* mLibrary = nullptr;
	Steinberg::IPluginFactory* mFactory = nullptr;
	std::string mBundledLibrary;
};

} // namespace zqhost
