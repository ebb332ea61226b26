// The AAX plug-in's editor in the fake host's real parent window (Wine, under
// Xvfb): size, opening and closing, and clicks the host may take first.

#include <windows.h>

#include "AaxPluginHost.h"
#include "HostWindow.h"

#include <gtest/gtest.h>

#include "aax-support/interfaces/AcfIds.h"
#include "tests/hosts/FaultWatchWin.h"

using aaxtest::PluginHost;

namespace {

// Inside the Level knob (parameter 3, host ID "4"), clear of the LEDs.
constexpr int kLevelX = 157;
constexpr int kLevelY = 130;
constexpr uint32_t kHostModifiers = 0x100;

class AaxEditor : public testing::Test
{
protected:
	void SetUp () override
	{
		ASSERT_TRUE (mPlug.Ready ());
		mGui = mPlug.Session ().CreateEffectGUI ();
		ASSERT_NE (mGui, nullptr);
		Host ().OfferEffectParameters (mPlug.Effect ());
		ASSERT_EQ (mGui->InitializeGUI (Host ().Unknown ()), kAaxSuccess);
		ASSERT_EQ (mGui->SetViewContainer (Host ().ViewContainerUnknown ()), kAaxSuccess);
		aaxhost::PumpHostMessages ();
		mParent = static_cast<HWND> (Host ().ViewContainer ().mParentWindow);
		mEditor = FindWindowExA (mParent, nullptr, nullptr, nullptr);
		ASSERT_NE (mEditor, nullptr);
		Host ().ViewContainer ().mModifiers = kHostModifiers;
		Host ().Log ().Clear ();
	}

	void TearDown () override
	{
		if (mGui)
		{
			mGui->SetViewContainer (nullptr);
			mGui->UninitializeGUI ();
			mGui->Release ();
		}
		Host ().OfferEffectParameters (nullptr);
		EXPECT_TRUE (mPlug.Close ()) << "ACFCanUnloadNow after every object was released";
	}

	aaxhost::FakeAaxHost& Host () { return mPlug.Host (); }

	void Mouse (UINT msg, WPARAM keys, int x, int y)
	{
		SendMessageA (mEditor, msg, keys, MAKELPARAM (x, y));
	}

	size_t Logged (const std::string& call) { return Host ().Log ().Count (call); }

	PluginHost mPlug;
	AAX_IACFEffectGUI* mGui = nullptr;
	HWND mParent = nullptr;
	HWND mEditor = nullptr;
};

TEST_F (AaxEditor, OpensAt410By460InsideTheHostWindow)
{
	AaxViewSize size = { -1.0f, -1.0f };
	EXPECT_EQ (mGui->GetViewSize (&size), kAaxSuccess);
	EXPECT_EQ (size.mHeight, 460.0f);
	EXPECT_EQ (size.mWidth, 410.0f);
	EXPECT_EQ (GetParent (mEditor), mParent);
	RECT client = {};
	GetClientRect (mEditor, &client);
	EXPECT_EQ (client.right - client.left, 410);
	EXPECT_EQ (client.bottom - client.top, 460);
	EXPECT_EQ (aaxhost::CountChildWindows (mParent), 1);

	mGui->SetViewContainer (nullptr);
	aaxhost::PumpHostMessages ();
	EXPECT_EQ (aaxhost::CountChildWindows (mParent), 0);
}

TEST_F (AaxEditor, HostTakesAControlRightClickWithoutABeginChange)
{
	Host ().ViewContainer ().mMouseDownResult = kAaxSuccess;
	Mouse (WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, kLevelX, kLevelY);
	// Host bits, control 8, right button 16.
	EXPECT_EQ (Logged ("ViewContainer.OfferParameterMouseDown(4," + std::to_string (kHostModifiers | 8 | 16) + ")"), 1u);
	EXPECT_EQ (Logged ("Automation.PostTouchRequest"), 0u);
	// The captured knob still gets its mouse-up, which ends nothing: no end
	// notice without a begin.
	Mouse (WM_RBUTTONUP, 0, kLevelX, kLevelY);
	EXPECT_EQ (Logged ("Automation.PostReleaseRequest"), 0u);
	EXPECT_NE (GetCapture (), mEditor);
}

TEST_F (AaxEditor, GuiAutomationTouchesSetsAndReleases)
{
	// The host declines the click (its default answer), so the knob drags.
	Mouse (WM_LBUTTONDOWN, MK_LBUTTON, kLevelX, kLevelY);
	EXPECT_EQ (Logged ("ViewContainer.OfferParameterMouseDown(4," + std::to_string (kHostModifiers) + ")"), 1u);
	EXPECT_EQ (Logged ("Automation.PostTouchRequest(4)"), 1u);
	Mouse (WM_MOUSEMOVE, MK_LBUTTON, kLevelX, kLevelY - 30);
	EXPECT_GE (Logged ("Automation.PostSetValueRequest(4,"), 1u);
	const size_t releasesBefore = Logged ("Automation.PostReleaseRequest(4)");
	Mouse (WM_LBUTTONUP, 0, kLevelX, kLevelY - 30);
	// Each set request is bracketed by the parameter itself; the gesture ends with one more release.
	EXPECT_EQ (Logged ("Automation.PostReleaseRequest(4)"), releasesBefore + 1);
	const std::vector<std::string> calls = Host ().Log ().CallsStartingWith ("Automation.Post");
	ASSERT_FALSE (calls.empty ());
	EXPECT_EQ (calls.front (), "Automation.PostTouchRequest(4)");
	EXPECT_EQ (calls.back (), "Automation.PostReleaseRequest(4)");
}

TEST_F (AaxEditor, BackgroundClicksAreNotOffered)
{
	Mouse (WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, 3, 3);
	Mouse (WM_RBUTTONUP, 0, 3, 3);
	EXPECT_EQ (Logged ("ViewContainer.OfferParameterMouseDown"), 0u);
	EXPECT_EQ (Logged ("Automation.Post"), 0u);
}

// The host tears the plug-in down while its editor is in a drag on Level, the
// editor or the effect first: the gesture's touch ends with one release, sent
// while the host still listens, and nothing faults.
class AaxEditorTeardown : public AaxEditor, public testing::WithParamInterface<bool>
{
};

TEST_P (AaxEditorTeardown, DuringADragTheGestureEndsOnce)
{
	const bool effectFirst = GetParam ();
	Mouse (WM_LBUTTONDOWN, MK_LBUTTON, kLevelX, kLevelY);
	Mouse (WM_MOUSEMOVE, MK_LBUTTON, kLevelX, kLevelY - 30);
	ASSERT_EQ (GetCapture (), mEditor);

	FaultWatch faults;
	ASSERT_TRUE (faults.Watching ());
	if (effectFirst)
		mPlug.ReleaseEffect ();
	mGui->Release ();
	mGui = nullptr;
	if (!effectFirst)
		mPlug.ReleaseEffect ();
	EXPECT_EQ (faults.Faults (), 0);
	EXPECT_FALSE (IsWindow (mEditor));
	EXPECT_NE (GetCapture (), mEditor);
	EXPECT_EQ (Logged ("Automation.PostTouchRequest(4)"), Logged ("Automation.PostReleaseRequest(4)"));
	const std::vector<std::string> calls = Host ().Log ().CallsStartingWith ("Automation.Post");
	ASSERT_FALSE (calls.empty ());
	EXPECT_EQ (calls.front (), "Automation.PostTouchRequest(4)");
	EXPECT_EQ (calls.back (), "Automation.PostReleaseRequest(4)");
}

INSTANTIATE_TEST_SUITE_P (ReleaseOrders, AaxEditorTeardown, testing::Values (false, true),
                          [] (const testing::TestParamInfo<bool>& info) {
	                          return std::string (info.param ? "EffectFirst" : "EditorFirst");
                          });

} // namespace
