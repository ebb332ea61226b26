// The AAX library under Wine in the fake host, churned as a host churns it:
// effect-parameter objects created and released over and over, with and
// without the editor, and the library unloaded and loaded again. Each must
// leave none of the library's own heap blocks behind.

#include <windows.h>

#include "AaxPluginHost.h"
#include "HostWindow.h"

#include "tests/hosts/AllocationWatchWin.h"

#include <gtest/gtest.h>

#include "aax-support/interfaces/AcfIds.h"

using aaxtest::PluginHost;
using zqhost::AllocationWatch;

namespace {

const int kCycles = 200;

// One instance's life as a host leads it: initialised, a parameter change
// (which takes the plug-in lock), and with `editor` the GUI opened in the
// host's window and closed; then uninitialised and released.
void instanceLife (PluginHost& plug, bool editor)
{
	AAX_IACFEffectParameters* made = plug.Session ().CreateEffectParameters ();
	ASSERT_NE (made, nullptr);
	void* v2 = nullptr;
	made->QueryInterface (IID_AAX_IACFEffectParameters_V2, &v2);
	made->Release ();
	auto effect = static_cast<AAX_IACFEffectParameters_V2*> (v2);
	ASSERT_NE (effect, nullptr);
	ASSERT_EQ (effect->InitializeEffect (plug.Host ().Unknown ()), kAaxSuccess);
	EXPECT_EQ (effect->UpdateParameterNormalizedValue ("3", 0.75, 0), kAaxSuccess);
	if (editor)
	{
		AAX_IACFEffectGUI* gui = plug.Session ().CreateEffectGUI ();
		EXPECT_NE (gui, nullptr);
		if (gui)
		{
			plug.Host ().OfferEffectParameters (effect);
			EXPECT_EQ (gui->InitializeGUI (plug.Host ().Unknown ()), kAaxSuccess);
			EXPECT_EQ (gui->SetViewContainer (plug.Host ().ViewContainerUnknown ()), kAaxSuccess);
			aaxhost::PumpHostMessages ();
			gui->SetViewContainer (nullptr);
			gui->UninitializeGUI ();
			gui->Release ();
			plug.Host ().OfferEffectParameters (nullptr);
		}
	}
	effect->UninitializeEffect ();
	effect->Release ();
}

struct ChurnCase
{
	const char* name;
	bool editor;
};

class AaxChurn : public testing::TestWithParam<ChurnCase>
{
};

TEST_P (AaxChurn, InstancesLeaveNoHeapBlocks)
{
	auto module = aaxtest::OpenPlugin ();
	ASSERT_TRUE (module);
	const HMODULE image = static_cast<HMODULE> (module->Image ());
	PluginHost plug (std::move (module));
	ASSERT_TRUE (plug.Ready ());
	AllocationWatch watch (image);
	ASSERT_GT (watch.watchedImports (), 0);

	// A first instance makes what the library keeps while it is loaded (cached
	// images and fonts).
	const zqhost::Leftover left = zqhost::ChurnLeftover (watch, kCycles, [&] {
		instanceLife (plug, GetParam ().editor);
		return !HasFatalFailure ();
	});
	EXPECT_EQ (left.blocks, 0) << "blocks left per instance: " << double (left.blocks) / kCycles;
	EXPECT_EQ (left.bytes, 0) << "bytes left per instance: " << double (left.bytes) / kCycles;
}

INSTANTIATE_TEST_SUITE_P (, AaxChurn, testing::Values (ChurnCase { "WithoutEditor", false }, ChurnCase { "WithEditor", true }),
                          [] (const testing::TestParamInfo<ChurnCase>& info) { return std::string (info.param.name); });

TEST (AaxReload, UnloadedLibraryLeavesNoHeapBlocks)
{
	for (int load = 0; load < 3; ++load)
	{
		auto module = aaxtest::OpenPlugin ();
		ASSERT_TRUE (module);
		const HMODULE image = static_cast<HMODULE> (module->Image ());
		AllocationWatch watch (image);
		ASSERT_GT (watch.watchedImports (), 0);
		{
			PluginHost plug (std::move (module));
			ASSERT_TRUE (plug.Ready ());
			instanceLife (plug, true);
			instanceLife (plug, false);
			EXPECT_TRUE (plug.Close ());
		}
		// Gone from the process, so its unload ran.
		ASSERT_FALSE (zqhost::ModuleLoaded (image)) << "the library stayed loaded";
		watch.moduleUnloaded ();
		EXPECT_EQ (watch.liveBlocks (), 0u) << "load " << load << ": " << watch.liveBytes () << " bytes left";
	}
}

} // namespace
