// The run-time host wrappers against the fake host: each operation reaches the
// host slot it must, a missing interface answers its fixed code without a call,
// and every host reference taken is given back.

#include "aax-support/AAX_VAutomationDelegate.h"
#include "aax-support/AAX_VController.h"
#include "aax-support/AAX_VHostServices.h"
#include "aax-support/AAX_VTransport.h"
#include "aax-support/AAX_VViewContainer.h"
#include "aax-support/AaxError.h"

#include "FakeAaxHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

using aaxhost::FakeAaxHost;
using aaxhost::HostConfig;
using testing::ElementsAre;

namespace {

struct ControllerCase
{
	const char* mHostCall;  // what the host records
	int mVersion;           // host interface version reached
	std::function<AaxResult (const AAX_IController&)> mCall;
};

const ControllerCase kControllerCases[] = {
	{ "Controller.Slot3(7)", 1, [] (const AAX_IController& c) { return c.Slot3 (7); } },
	{ "Controller.SampleRate", 1, [] (const AAX_IController& c) { float r; return c.SampleRate (&r); } },
	{ "Controller.InputStemFormat", 1, [] (const AAX_IController& c) { AaxStemFormat f; return c.InputStemFormat (&f); } },
	{ "Controller.OutputStemFormat", 1, [] (const AAX_IController& c) { AaxStemFormat f; return c.OutputStemFormat (&f); } },
	{ "Controller.Slot7(1)", 1, [] (const AAX_IController& c) { return c.Slot7 (1); } },
	{ "Controller.Slot8(1,2)", 1, [] (const AAX_IController& c) { return c.Slot8 (1, 2); } },
	{ "Controller.Slot9(3)", 1, [] (const AAX_IController& c) { return c.Slot9 (3); } },
	{ "Controller.SetSignalLatency(64)", 1, [] (const AAX_IController& c) { return c.SetSignalLatency (64); } },
	{ "Controller.Slot11(1,2,3)", 1, [] (const AAX_IController& c) { return c.Slot11 (1, 2, 3); } },
	{ "Controller.PostPacket(4,3)", 1, [] (const AAX_IController& c) { return c.PostPacket (4, "abc", 3); } },
	{ "Controller.Slot20(4,5,6)", 2, [] (const AAX_IController& c) { return c.Slot20 (4, 5, 6); } },
	{ "Controller.Slot13(1,2)", 1, [] (const AAX_IController& c) { return c.Slot13 (1, 2); } },
	{ "Controller.Slot14(1,2)", 1, [] (const AAX_IController& c) { return c.Slot14 (1, 2); } },
	{ "Controller.Slot15(9)", 1, [] (const AAX_IController& c) { return c.Slot15 (9); } },
	{ "Controller.Slot18(9)", 1, [] (const AAX_IController& c) { return c.Slot18 (9); } },
	{ "Controller.Slot16(1,2)", 1, [] (const AAX_IController& c) { return c.Slot16 (1, 2); } },
	{ "Controller.Slot17(9)", 1, [] (const AAX_IController& c) { return c.Slot17 (9); } },
	{ "Controller.Slot19(1,2)", 1, [] (const AAX_IController& c) { return c.Slot19 (1, 2); } },
	{ "Controller.Slot21(9)", 2, [] (const AAX_IController& c) { return c.Slot21 (9); } },
	{ "Controller.Slot22", 2, [] (const AAX_IController& c) { uint64_t v; return c.Slot22 (&v); } },
	{ "Controller.Slot23(9)", 2, [] (const AAX_IController& c) { return c.Slot23 (9); } },
};

TEST (AAX_VController, EveryOperationReachesItsHostSlot)
{
	FakeAaxHost host;
	host.Controller ().mResult = 17;  // results come back unchanged
	{
		AAX_VController controller (host.Unknown ());
		for (const ControllerCase& c : kControllerCases)
		{
			host.Log ().Clear ();
			EXPECT_EQ (c.mCall (controller), 17) << c.mHostCall;
			EXPECT_THAT (host.Log ().Calls (), ElementsAre (c.mHostCall));
		}
		EXPECT_EQ (host.PluginReferences (), 2);  // first and second version
	}
	EXPECT_EQ (host.PluginReferences (), 0);
	EXPECT_EQ (host.OverReleases (), 0u);
}

TEST (AAX_VController, MissingVersionsAnswerWithoutCallingTheHost)
{
	HostConfig firstOnly;
	firstOnly.mControllerV2 = false;
	FakeAaxHost host (firstOnly);
	AAX_VController controller (host.Unknown ());
	AAX_VController none (nullptr);
	for (const ControllerCase& c : kControllerCases)
	{
		host.Log ().Clear ();
		EXPECT_EQ (c.mCall (none), c.mVersion == 1 ? kAaxErrMissingInterface : kAaxErrNotImplemented) << c.mHostCall;
		const AaxResult viaFirstOnly = c.mCall (controller);
		if (c.mVersion == 2)
		{
			EXPECT_EQ (viaFirstOnly, kAaxErrNotImplemented) << c.mHostCall;
			EXPECT_TRUE (host.Log ().Calls ().empty ()) << c.mHostCall;
		}
		else
			EXPECT_EQ (viaFirstOnly, kAaxSuccess) << c.mHostCall;
	}
	uint64_t word = ~0ull;
	EXPECT_EQ (controller.Slot22 (&word), kAaxErrNotImplemented);
	EXPECT_EQ (word, 0u);
	float rate = -1.0f;
	EXPECT_EQ (none.SampleRate (&rate), kAaxErrMissingInterface);
	EXPECT_EQ (rate, -1.0f);
}

TEST (AAX_VController, HostValuesReachTheCaller)
{
	FakeAaxHost host;
	host.Controller ().mSampleRate = 96000.0f;
	host.Controller ().mInputStem = 0x00000001;
	AAX_VController controller (host.Unknown ());
	float rate = 0;
	AaxStemFormat in = 0, out = 0;
	EXPECT_EQ (controller.SampleRate (&rate), kAaxSuccess);
	EXPECT_EQ (controller.InputStemFormat (&in), kAaxSuccess);
	EXPECT_EQ (controller.OutputStemFormat (&out), kAaxSuccess);
	EXPECT_EQ (rate, 96000.0f);
	EXPECT_EQ (in, 0x00000001u);
	EXPECT_EQ (out, 0x00010002u);
	uint64_t word = 0;
	EXPECT_EQ (controller.Slot22 (&word), kAaxSuccess);
	EXPECT_EQ (word, 0x1122334455667788ull);
	EXPECT_EQ (controller.PostPacket (2, "\x01\x02", 2), kAaxSuccess);
	ASSERT_EQ (host.Controller ().mPackets.size (), 1u);
	EXPECT_EQ (host.Controller ().mPackets[0], (std::vector<uint8_t> { 1, 2 }));
}

TEST (AAX_VAutomationDelegate, ForwardsIdentifiersAndValues)
{
	FakeAaxHost host;
	{
		AAX_VAutomationDelegate automation (host.Unknown ());
		EXPECT_EQ (automation.RegisterParameter ("1"), kAaxSuccess);
		EXPECT_EQ (automation.PostTouchRequest ("1"), kAaxSuccess);
		EXPECT_EQ (automation.PostSetValueRequest ("1", 0.25), kAaxSuccess);
		EXPECT_EQ (automation.PostCurrentValue ("1", 0.75), kAaxSuccess);
		EXPECT_EQ (automation.PostReleaseRequest ("1"), kAaxSuccess);
		EXPECT_EQ (automation.UnregisterParameter ("1"), kAaxSuccess);
		EXPECT_EQ (automation.Slot9 (5, 6), kAaxSuccess);
		EXPECT_EQ (host.PluginReferences (), 1);
	}
	EXPECT_THAT (host.Log ().Calls (),
	             ElementsAre ("Automation.RegisterParameter(1)", "Automation.PostTouchRequest(1)",
	                          "Automation.PostSetValueRequest(1,0.25)", "Automation.PostCurrentValue(1,0.75)",
	                          "Automation.PostReleaseRequest(1)", "Automation.UnregisterParameter(1)",
	                          "Automation.Slot9(5,6)"));
	EXPECT_EQ (host.PluginReferences (), 0);

	HostConfig noAutomation;
	noAutomation.mAutomation = false;
	FakeAaxHost bare (noAutomation);
	AAX_VAutomationDelegate missing (bare.Unknown ());
	EXPECT_EQ (missing.PostSetValueRequest ("1", 0.5), kAaxErrMissingInterface);
	EXPECT_EQ (missing.PostTouchRequest ("1"), kAaxErrMissingInterface);
	EXPECT_EQ (bare.Log ().Count ("Automation."), 0u);
}

TEST (AAX_VTransport, OperationsAreInHostOrderAndVersioned)
{
	FakeAaxHost host;
	host.Transport ().mTempo = 98.5;
	host.Transport ().mNumerator = 7;
	host.Transport ().mDenominator = 8;
	host.Transport ().mPlaying = true;
	host.Transport ().mTicks = 960000;
	host.Transport ().mLooping = true;
	host.Transport ().mLoopStart = 1;
	host.Transport ().mLoopEnd = 2;
	host.Transport ().mSampleLocation = 0x100000005ll;
	AAX_VTransport transport (host.Unknown ());
	double tempo = 0;
	int32_t n = 0, d = 0;
	bool playing = false, looping = false;
	int64_t ticks = 0, start = 0, end = 0, samples = 0;
	EXPECT_EQ (transport.CurrentTempo (&tempo), kAaxSuccess);
	EXPECT_EQ (transport.CurrentMeter (&n, &d), kAaxSuccess);
	EXPECT_EQ (transport.IsTransportPlaying (&playing), kAaxSuccess);
	EXPECT_EQ (transport.CurrentTickPosition (&ticks), kAaxSuccess);
	EXPECT_EQ (transport.CurrentLoopPosition (&looping, &start, &end), kAaxSuccess);
	EXPECT_EQ (transport.CurrentNativeSampleLocation (&samples), kAaxSuccess);
	EXPECT_EQ (tempo, 98.5);
	EXPECT_EQ (n, 7);
	EXPECT_EQ (d, 8);
	EXPECT_TRUE (playing);
	EXPECT_EQ (ticks, 960000);
	EXPECT_TRUE (looping);
	EXPECT_EQ (start, 1);
	EXPECT_EQ (end, 2);
	EXPECT_EQ (samples, 0x100000005ll);

	host.Log ().Clear ();
	transport.Slot9 (1, 2, 3);
	transport.Slot10 (1, 2, 3, 4, 5);
	transport.Slot11 (1);
	transport.Slot12 (2);
	transport.Slot13 (3);
	transport.Slot14 (4, 5);
	transport.Slot15 (6, 7);
	transport.Slot16 (8);
	EXPECT_THAT (host.Log ().Calls (),
	             ElementsAre ("Transport.Slot9(1,2,3)", "Transport.Slot10(1,2,3,4,5)", "Transport.Slot11(1)",
	                          "Transport.Slot12(2)", "Transport.Slot13(3)", "Transport.Slot14(4,5)",
	                          "Transport.Slot15(6,7)", "Transport.Slot16(8)"));

	HostConfig firstOnly;
	firstOnly.mTransportV2 = false;
	FakeAaxHost old (firstOnly);
	AAX_VTransport oldTransport (old.Unknown ());
	EXPECT_EQ (oldTransport.CurrentTempo (&tempo), kAaxSuccess);
	EXPECT_EQ (oldTransport.Slot12 (1), kAaxSuccess);
	EXPECT_EQ (oldTransport.Slot13 (1), kAaxErrNotImplemented);
	EXPECT_EQ (oldTransport.Slot16 (1), kAaxErrNotImplemented);

	AAX_VTransport none (nullptr);
	tempo = -1;
	EXPECT_EQ (none.CurrentTempo (&tempo), kAaxErrMissingInterface);
	EXPECT_EQ (tempo, -1);
	EXPECT_EQ (none.Slot14 (1, 2), kAaxErrNotImplemented);
}

TEST (AAX_VViewContainer, ForwardsAndReleasesTheContainerReference)
{
	FakeAaxHost host;
	host.ViewContainer ().mModifiers = 0x5;
	{
		AAX_VViewContainer container (host.ViewContainerUnknown ());
		EXPECT_EQ (container.NativeParent (), host.ViewContainer ().mParentWindow);
		EXPECT_NE (container.NativeParent (), nullptr);
		uint32_t modifiers = 0;
		EXPECT_EQ (container.ModifierKeys (&modifiers), kAaxSuccess);
		EXPECT_EQ (modifiers, 0x5u);
		const AaxViewSize size = { 460.0f, 410.0f };
		EXPECT_EQ (container.SetViewSize (&size), kAaxSuccess);
		EXPECT_EQ (host.ViewContainer ().mLastSize.mHeight, 460.0f);
		EXPECT_EQ (host.ViewContainer ().mLastSize.mWidth, 410.0f);
		EXPECT_EQ (container.OfferParameterMouseDown ("3", 2), kAaxErrNotImplemented);
		EXPECT_EQ (container.Slot3 (), 1);
		EXPECT_EQ (container.Slot8 (1, 2), kAaxSuccess);
		EXPECT_EQ (container.Slot9 (3, 4), kAaxSuccess);
		EXPECT_EQ (host.ViewContainer ().PluginReferences (), 1);
	}
	EXPECT_EQ (host.ViewContainer ().PluginReferences (), 0);
	EXPECT_EQ (host.OverReleases (), 0u);
}

TEST (AAX_VViewContainer, WithoutAHostContainer)
{
	HostConfig noContainer;
	noContainer.mViewContainer = false;
	FakeAaxHost host (noContainer);
	for (IACFUnknown* unknown : { static_cast<IACFUnknown*> (nullptr), host.ViewContainerUnknown () })
	{
		AAX_VViewContainer container (unknown);
		uint32_t modifiers = 99;
		const AaxViewSize size = { 1.0f, 2.0f };
		EXPECT_EQ (container.NativeParent (), nullptr);
		EXPECT_EQ (container.SetViewSize (&size), kAaxSuccess);
		EXPECT_EQ (container.ModifierKeys (&modifiers), kAaxErrNotImplemented);
		EXPECT_EQ (container.OfferParameterMouseDown ("1", 0), kAaxErrNotImplemented);
		EXPECT_EQ (container.Slot8 (1, 2), kAaxErrNotImplemented);
		EXPECT_EQ (container.Slot9 (1, 2), kAaxErrNotImplemented);
		EXPECT_EQ (container.Slot3 (), 0);
	}
	EXPECT_EQ (host.Log ().Count ("ViewContainer."), 0u);
}

TEST (HostServices, TraceGoesToTheFirstHostOnlyWhileSetUp)
{
	FakeAaxHost first, second;
	EXPECT_EQ (AaxTrace (0x08000000, "before %d", 1), kAaxSuccess);

	SetHostServices (first.Unknown ());
	SetHostServices (second.Unknown ());  // keeps the first
	ASSERT_NE (GetHostServices (), nullptr);
	EXPECT_EQ (AaxTrace (0x08000000, "value %d of %s", 3, "x"), kAaxSuccess);
	ASSERT_EQ (first.HostServices ().size (), 1u);
	EXPECT_TRUE (second.HostServices ().empty ());
	EXPECT_THAT (first.HostServices ()[0]->mTraces, ElementsAre ("value 3 of x"));
	EXPECT_THAT (first.Log ().CallsStartingWith ("HostServices."), ElementsAre ("HostServices.TraceMessage(0x08000000)"));

	// Longer text than the buffer is cut, not written past it.
	const std::string longText (2000, 'a');
	EXPECT_EQ (AaxTrace (1, "%s", longText.c_str ()), kAaxSuccess);
	EXPECT_EQ (first.HostServices ()[0]->mTraces.back (), std::string (kAaxTraceBufferSize - 1, 'a'));

	SetHostServices (nullptr);
	EXPECT_EQ (GetHostServices (), nullptr);
	EXPECT_EQ (first.PluginReferences (), 0);
	EXPECT_EQ (AaxTrace (1, "after"), kAaxSuccess);
	EXPECT_EQ (first.HostServices ()[0]->mTraces.size (), 2u);
}

TEST (HostServices, MissingOrBrokenFactory)
{
	HostConfig noFactory;
	noFactory.mFactory = false;
	FakeAaxHost bare (noFactory);
	AAX_VHostServices services (bare.Unknown ());
	EXPECT_EQ (services.TraceMessage (0, "x"), kAaxErrMissingInterface);
	EXPECT_EQ (services.Slot3 (1, 2, 3), kAaxErrMissingInterface);

	HostConfig nullFactory;
	nullFactory.mNullFactory = true;
	FakeAaxHost broken (nullFactory);
	bool raised = false;
	try
	{
		SetHostServices (broken.Unknown ());
	}
	catch (const AaxError& e)
	{
		raised = e.mResult == kAcfNullFactory;
	}
	EXPECT_TRUE (raised);
	EXPECT_EQ (GetHostServices (), nullptr);
}

} // namespace
