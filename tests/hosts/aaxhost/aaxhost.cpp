// aaxhost: loads an ACF module (an AAX plug-in library) under Wine and drives
// it as an AAX host would, printing what it registered.
// Usage: aaxhost <module> [--no-objects]

#include "AaxHostSession.h"
#include "HostWindow.h"

#include <cstdio>
#include <cstring>
#include <iostream>

using namespace aaxhost;

namespace {
int Fail (const char* what, AaxResult result)
{
	std::fprintf (stderr, "aaxhost: %s failed (%d)\n", what, result);
	return 1;
}
} // namespace

int main (int argc, char** argv)
{
	if (argc < 2)
	{
		std::fprintf (stderr, "usage: aaxhost <module> [--no-objects]\n");
		return 2;
	}
	const bool objects = !(argc > 2 && std::strcmp (argv[2], "--no-objects") == 0);
	std::string error;
	std::unique_ptr<AaxModule> module = AaxModule::Load (argv[1], error);
	if (!module)
	{
		std::fprintf (stderr, "aaxhost: %s\n", error.c_str ());
		return 1;
	}
	int status = 0;
	{
		AaxHostSession session (std::move (module));
		uint64_t version = 0;
		session.Entries ().mGetSDKVersion (&version);
		std::printf ("sdk version 0x%016llX\n", static_cast<unsigned long long> (version));
		if (AaxResult r = session.Startup ())
			return Fail ("ACFStartup", r);
		if (AaxResult r = session.Register ())
			return Fail ("ACFRegisterPlugin", r);
		session.PrintDescription (std::cout);

		if (objects)
		{
			if (AAX_IACFEffectParameters* parameters = session.CreateEffectParameters ())
			{
				AaxResult r = parameters->InitializeEffect (session.Host ().Unknown ());
				int32_t count = -1;
				parameters->GetNumberOfParameters (&count);
				std::printf ("effect parameters: initialise %d, %d parameters\n", r, count);
				status |= r != kAaxSuccess;
				if (AAX_IACFEffectGUI* gui = session.CreateEffectGUI ())
				{
					session.Host ().OfferEffectParameters (parameters);
					r = gui->InitializeGUI (session.Host ().Unknown ());
					gui->SetViewContainer (session.Host ().ViewContainerUnknown ());
					PumpHostMessages ();
					std::printf ("effect GUI: initialise %d, %d child windows\n", r,
					             CountChildWindows (session.Host ().ViewContainer ().mParentWindow));
					gui->SetViewContainer (nullptr);
					gui->UninitializeGUI ();
					gui->Release ();
					session.Host ().OfferEffectParameters (nullptr);
					status |= r != kAaxSuccess;
				}
				parameters->UninitializeEffect ();
				parameters->Release ();
			}
		}
		std::printf ("can unload now: %d\n", session.CanUnloadNow ());
		if (AaxResult r = session.Shutdown ())
			return Fail ("ACFShutdown", r);
		// The plug-in definition is the host's to hold; anything else is a leak.
		const int32_t held = session.Host ().PluginReferences () - (session.PluginDefinition () ? 1 : 0);
		std::printf ("host references still held: %d\n", held);
		status |= held != 0;
	}
	std::fflush (stdout);
	return status;
}
