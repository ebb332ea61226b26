#pragma once

// An ACF module as the host sees it: its seven entry points. In the Windows
// builds it is a loaded library; natively the entry points are the ones linked
// into the test program (AaxModuleLinked.cpp), so the same host code runs
// in-process under the sanitizers.

#include "aax-support/interfaces/AcfEntryPoints.h"

#include <memory>
#include <string>

namespace aaxhost {

struct AcfEntries
{
	AcfStartupProc mStartup = nullptr;
	AcfShutdownProc mShutdown = nullptr;
	AcfRegisterPluginProc mRegisterPlugin = nullptr;
	AcfRegisterComponentProc mRegisterComponent = nullptr;
	AcfGetClassFactoryProc mGetClassFactory = nullptr;
	AcfGetSDKVersionProc mGetSDKVersion = nullptr;
	AcfCanUnloadNowProc mCanUnloadNow = nullptr;
};

class AaxModule
{
public:
	// Null with error set when the library or one of its entry points is missing.
	static std::unique_ptr<AaxModule> Load (const std::string& path, std::string& error);
	// The entry points linked into this program.
	static std::unique_ptr<AaxModule> Linked ();
	~AaxModule ();

	const AcfEntries& Entries () const { return mEntries; }
	void* Image () const { return mLibrary; }

private:
	AaxModule () = default;
	void* mLibrary = nullptr;
	AcfEntries mEntries;
};

} // namespace aaxhost
