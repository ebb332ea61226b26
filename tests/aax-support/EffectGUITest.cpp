// AAX_CEffectGUI against the fake AAX host: initialisation, the view container
// hooks, the parameter refresh and release.
#include "aax-support/AAX_CEffectGUI.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeAaxHost.h"
#include "TestEffect.h"
#include "TestGUI.h"
#include "aax-support/interfaces/AcfIds.h"

namespace
{

using aaxhost::FakeAaxHost;
typedef std::vector<std::string> Calls;

class GUIFixture : public ::testing::Test
{
protected:
  void SetUp() override
  {
    mEffect = new TestEffect({{"1", 'd', "A"}, {"2", 'i', "B"}, {"3", 'b', "C"}, {"4", 'd', "D"}});
    mEffect->AddRef();
    ASSERT_EQ(kAaxSuccess, mEffect->InitializeEffect(mHost.Unknown()));
    mHost.OfferEffectParameters(mEffect->GetControllingUnknown());
    mGui = MakeGui();
  }

  AAX_IACFEffectGUI* MakeGui()
  {
    TestGUI* gui = new TestGUI(&mCalls);
    void* out = nullptr;
    EXPECT_EQ(kAaxSuccess, gui->GetControllingUnknown()->QueryInterface(IID_AAX_IACFEffectGUI, &out));
    return static_cast<AAX_IACFEffectGUI*>(out);
  }

  void TearDown() override
  {
    if (mGui)
      EXPECT_EQ(0u, mGui->Release());
    mEffect->UninitializeEffect();
    EXPECT_EQ(0u, mEffect->Release());
    EXPECT_EQ(0, mHost.PluginReferences());
    EXPECT_EQ(0u, mHost.OverReleases());
  }

  FakeAaxHost mHost;
  TestEffect* mEffect = nullptr;
  AAX_IACFEffectGUI* mGui = nullptr;
  Calls mCalls;
};

TEST_F(GUIFixture, InitialiseWithoutHostCallsNoHook)
{
  EXPECT_EQ(kAaxErrGuiInit, mGui->InitializeGUI(nullptr));
  EXPECT_TRUE(mCalls.empty());
}

TEST_F(GUIFixture, InitialiseFindsTheEffectParameters)
{
  ASSERT_EQ(kAaxSuccess, mGui->InitializeGUI(mHost.Unknown()));
  EXPECT_EQ(Calls{"CreateViewContents"}, mCalls);
  TestGUI* gui = static_cast<TestGUI*>(mGui);
  EXPECT_EQ(static_cast<AAX_IACFEffectParameters*>(mEffect), gui->GetEffectParameters());
  EXPECT_NE(nullptr, gui->GetController());
  EXPECT_EQ(nullptr, gui->GetViewContainer());
  EXPECT_EQ(nullptr, gui->GetViewContainerNativeParent());
  EXPECT_EQ(kAaxSuccess, mGui->UninitializeGUI());
  EXPECT_EQ(nullptr, gui->GetEffectParameters());
}

TEST_F(GUIFixture, ContainerOpensThenRefreshesEveryParameterInOrder)
{
  ASSERT_EQ(kAaxSuccess, mGui->InitializeGUI(mHost.Unknown()));
  mCalls.clear();
  ASSERT_EQ(kAaxSuccess, mGui->SetViewContainer(mHost.ViewContainerUnknown()));
  EXPECT_EQ((Calls{"CreateViewContainer", "ParameterUpdated(1)", "ParameterUpdated(2)", "ParameterUpdated(3)",
                   "ParameterUpdated(4)"}),
            mCalls);
  EXPECT_EQ(1, mHost.ViewContainer().PluginReferences());

  // Removal drops the container before the window goes, and gives back its reference.
  mCalls.clear();
  ASSERT_EQ(kAaxSuccess, mGui->SetViewContainer(nullptr));
  EXPECT_EQ(Calls{"DeleteViewContainer"}, mCalls);
  EXPECT_EQ(nullptr, static_cast<TestGUI*>(mGui)->GetViewContainer());
  EXPECT_EQ(0, mHost.ViewContainer().PluginReferences());
  mGui->UninitializeGUI();
}

TEST_F(GUIFixture, ReplacedContainerClosesTheOldWindowFirst)
{
  ASSERT_EQ(kAaxSuccess, mGui->InitializeGUI(mHost.Unknown()));
  mGui->SetViewContainer(mHost.ViewContainerUnknown());
  mCalls.clear();
  mGui->SetViewContainer(mHost.ViewContainerUnknown());
  ASSERT_GE(mCalls.size(), 2u);
  EXPECT_EQ("DeleteViewContainer", mCalls[0]);
  EXPECT_EQ("CreateViewContainer", mCalls[1]);
  EXPECT_EQ(1, mHost.ViewContainer().PluginReferences());
  mGui->SetViewContainer(nullptr);
}

TEST_F(GUIFixture, ReleaseWithContainerStillSetClosesTheWindow)
{
  ASSERT_EQ(kAaxSuccess, mGui->InitializeGUI(mHost.Unknown()));
  mGui->SetViewContainer(mHost.ViewContainerUnknown());
  mCalls.clear();
  EXPECT_EQ(0u, mGui->Release());
  mGui = nullptr;
  EXPECT_EQ(Calls{"DeleteViewContainer"}, mCalls);
  EXPECT_EQ(0, mHost.ViewContainer().PluginReferences());
}

TEST_F(GUIFixture, WithoutEffectParametersNothingIsRefreshed)
{
  mHost.OfferEffectParameters(nullptr);
  ASSERT_EQ(kAaxSuccess, mGui->InitializeGUI(mHost.Unknown()));
  mCalls.clear();
  mGui->SetViewContainer(mHost.ViewContainerUnknown());
  EXPECT_EQ(Calls{"CreateViewContainer"}, mCalls);
  mGui->SetViewContainer(nullptr);
  mGui->UninitializeGUI();
}

TEST_F(GUIFixture, UnnamedSlotsAndViewSize)
{
  AaxViewSize size = {1.0f, 2.0f};
  EXPECT_EQ(kAaxSuccess, mGui->GetViewSize(&size));
  EXPECT_EQ(1.0f, size.mHeight);
  EXPECT_EQ(kAaxSuccess, mGui->ParameterUpdated("1"));
  EXPECT_EQ(kAaxErrMissingInterface, mGui->Slot11(0, 0));
  EXPECT_EQ(kAaxSuccess, mGui->Slot12(0, 0, 0));
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(kAcfNoInterface, mGui->QueryInterface(IID_AAX_IACFEffectParameters, &other));
  EXPECT_EQ(nullptr, other);
}

}  // namespace
