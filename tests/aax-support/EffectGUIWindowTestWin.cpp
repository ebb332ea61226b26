// The GUI base opening and closing a real child window inside the fake host's
// parent window (Wine, under Xvfb).
#include <windows.h>

#include <gtest/gtest.h>

#include "FakeAaxHost.h"
#include "HostWindow.h"
#include "TestEffect.h"
#include "aax-support/AAX_CEffectGUI.h"
#include "aax-support/interfaces/AcfIds.h"

namespace
{

using aaxhost::CountChildWindows;
using aaxhost::FakeAaxHost;

// The smallest editor: one plain child window in the container's parent.
class ChildWindowGUI : public AAX_CEffectGUI
{
public:
  HWND Window() const { return mWindow; }

protected:
  void CreateViewContents() override {}
  void CreateViewContainer() override
  {
    HWND parent = static_cast<HWND>(GetViewContainerNativeParent());
    mWindow = CreateWindowExA(0, "STATIC", "editor", WS_CHILD | WS_VISIBLE, 0, 0, 410, 460, parent, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  }
  void DeleteViewContainer() override
  {
    if (mWindow)
      DestroyWindow(mWindow);
    mWindow = nullptr;
  }

private:
  HWND mWindow = nullptr;
};

class GUIWindowFixture : public ::testing::Test
{
protected:
  void SetUp() override
  {
    mEffect = new TestEffect({{"1", 'd', "A"}});
    mEffect->AddRef();
    ASSERT_EQ(kAaxSuccess, mEffect->InitializeEffect(mHost.Unknown()));
    mHost.OfferEffectParameters(mEffect->GetControllingUnknown());
    mGui = new ChildWindowGUI;
    mGui->AddRef();
    ASSERT_EQ(kAaxSuccess, mGui->InitializeGUI(mHost.Unknown()));
    mParent = static_cast<HWND>(mHost.ViewContainer().NativeParent());
    ASSERT_TRUE(IsWindow(mParent));
  }

  void TearDown() override
  {
    if (mGui)
      mGui->Release();
    mEffect->UninitializeEffect();
    mEffect->Release();
    EXPECT_EQ(0, mHost.PluginReferences());
  }

  FakeAaxHost mHost;
  TestEffect* mEffect = nullptr;
  ChildWindowGUI* mGui = nullptr;
  HWND mParent = nullptr;
};

TEST_F(GUIWindowFixture, WindowOpensInTheHostWindowAndClosesOnRemoval)
{
  EXPECT_EQ(0, CountChildWindows(mParent));
  ASSERT_EQ(kAaxSuccess, mGui->SetViewContainer(mHost.ViewContainerUnknown()));
  aaxhost::PumpHostMessages();
  HWND editor = mGui->Window();
  ASSERT_TRUE(IsWindow(editor));
  EXPECT_EQ(mParent, GetParent(editor));
  EXPECT_TRUE(IsWindowVisible(editor));
  EXPECT_EQ(1, CountChildWindows(mParent));

  ASSERT_EQ(kAaxSuccess, mGui->SetViewContainer(nullptr));
  aaxhost::PumpHostMessages();
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_EQ(0, CountChildWindows(mParent));
  EXPECT_EQ(nullptr, mGui->GetViewContainerNativeParent());
  mGui->UninitializeGUI();
}

TEST_F(GUIWindowFixture, ReleaseClosesAWindowLeftOpen)
{
  ASSERT_EQ(kAaxSuccess, mGui->SetViewContainer(mHost.ViewContainerUnknown()));
  HWND editor = mGui->Window();
  ASSERT_TRUE(IsWindow(editor));
  EXPECT_EQ(0u, mGui->Release());
  mGui = nullptr;
  aaxhost::PumpHostMessages();
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_EQ(0, CountChildWindows(mParent));
}

}  // namespace
