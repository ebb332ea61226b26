#include "AaxModule.h"

#include "tests/hosts/BundlePathWin.h"

#include <windows.h>

namespace aaxhost {

namespace {
template <class T>
bool Resolve (HMODULE library, const char* name, T& out, std::string& error)
{
	out = reinterpret_cast<T> (reinterpret_cast<void*> (GetProcAddress (library, name)));
	if (!out)
		error = std::string ("missing export ") + name;
	return out != nullptr;
}
} // namespace

std::unique_ptr<AaxModule> AaxModule::Load (const std::string& path, std::string& error)
{
	// An AAX bundle holds the 32-bit Windows library in Contents\Win32.
	std::string libraryPath;
	bool bundle = false;
	if (!zqhost::BundledLibraryPath (path, "Win32", libraryPath, bundle, error))
		return nullptr;
	HMODULE library = LoadLibraryA (libraryPath.c_str ());
	if (!library)
	{
		error = "cannot load " + libraryPath + " (error " + std::to_string (GetLastError ()) + ")";
		return nullptr;
	}
	std::unique_ptr<AaxModule> module (new AaxModule);
	module->mLibrary = library;
	AcfEntries& e = module->mEntries;
	if (!Resolve (library, "ACFStartup", e.mStartup, error) || !Resolve (library, "ACFShutdown", e.mShutdown, error)
	    || !Resolve (library, "ACFRegisterPlugin", e.mRegisterPlugin, error)
	    || !Resolve (library, "ACFRegisterComponent", e.mRegisterComponent, error)
	    || !Resolve (library, "ACFGetClassFactory", e.mGetClassFactory, error)
	    || !Resolve (library, "ACFGetSDKVersion", e.mGetSDKVersion, error)
	    || !Resolve (library, "ACFCanUnloadNow", e.mCanUnloadNow, error))
		return nullptr;
	return module;
}

AaxModule::~AaxModule ()
{
	if (mLibrary)
		FreeLibrary (static_cast<HMODULE> (mLibrary));
}

} // namespace aaxhost
