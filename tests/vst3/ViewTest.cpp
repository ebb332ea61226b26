// The VST3 adapter's editor view, in-process: the view's calls against a
// graphics context whose window is simulated, the plug-in's hooks they run,
// resize requests through the host's frame, and the host's context menu.

#include "formats/vst3/IPlugVST3.h"
#include "tests/hosts/HostClasses.h"
#include "tests/support/IGraphicsHeadless.h"

#include "pluginterfaces/gui/iplugview.h"

#include <gtest/gtest.h>

using namespace zqhost;

namespace {

// A window that opens unless told to fail; the last open parent is kept.
class FakeWindowGraphics : public IGraphicsHeadless
{
public:
  FakeWindowGraphics(IPlugBase* plug, int width, int height) : IGraphicsHeadless(plug, width, height) {}

  void* OpenWindow(void* parent) override
  {
    ++opens;
    mWindow = failOpen ? nullptr : parent;
    return mWindow;
  }
  void CloseWindow() override
  {
    if (mWindow)
      ++closes;
    mWindow = nullptr;
  }
  void* GetWindow() override { return mWindow; }

  bool failOpen = false;
  int opens = 0;
  int closes = 0;

private:
  void* mWindow = nullptr;
};

class ViewPlug : public IPlugVST3
{
public:
  explicit ViewPlug(bool withEditor)
  : IPlugVST3(nullptr, 1, "2-2", 0, "ZQ View Test", "", "Zentik", 0x00010000, 0x56696577, 0x5A6E746B, 0,
              false, false, false, 0)
  {
    GetParam(0)->InitDouble("Gain", 50.0, 0.0, 100.0, 0.1, "", "", 1.0);
    if (withEditor)
    {
      graphics = new FakeWindowGraphics(this, 300, 200);
      AttachGraphics(graphics);
    }
  }

  void OnGuiOpened() override { ++guiOpened; }
  void OnGuiClosed() override { ++guiClosed; }
  void OnGuiResized() override { ++guiResized; }

  FakeWindowGraphics* graphics = nullptr;   // owned by the plug-in once attached
  int guiOpened = 0, guiClosed = 0, guiResized = 0;
};

struct Fixture
{
  explicit Fixture(bool withEditor = true) : plug(new ViewPlug(withEditor))
  {
    EXPECT_EQ(plug->initialize(&host), kResultOk);
    plug->setComponentHandler(&handler);
  }
  ~Fixture()
  {
    plug->terminate();
    EXPECT_EQ(plug->release(), 0u);
  }
  IPlugView* view() { return plug->createView(ViewType::kEditor); }

  NamedHostApplication host {"vst3host"};
  RecordingComponentHandler handler;
  ViewPlug* plug;
  int parent = 0;   // stands in for the host's window
};

} // namespace

TEST(Vst3View, AttachOpensTheWindowAndRunsTheHooks)
{
  Fixture f;
  IPlugView* v = f.view();
  ASSERT_TRUE(v);
  ViewRect size;
  ASSERT_EQ(v->getSize(&size), kResultOk);
  EXPECT_EQ(size.right, 300);
  EXPECT_EQ(size.bottom, 200);

  EXPECT_EQ(v->attached(&f.parent, kPlatformTypeHWND), kResultOk);
  EXPECT_EQ(f.plug->graphics->GetWindow(), &f.parent);
  EXPECT_EQ(f.plug->guiOpened, 1);
  EXPECT_EQ(v->removed(), kResultOk);
  EXPECT_EQ(f.plug->graphics->closes, 1);
  EXPECT_EQ(f.plug->guiClosed, 1);

  // Another platform type: no window, still opened as far as the plug-in knows.
  EXPECT_EQ(v->attached(&f.parent, kPlatformTypeX11EmbedWindowID), kResultOk);
  EXPECT_EQ(f.plug->graphics->opens, 1);
  EXPECT_EQ(f.plug->guiOpened, 2);
  EXPECT_EQ(v->removed(), kResultOk);
  EXPECT_EQ(f.plug->guiClosed, 2);
  EXPECT_EQ(f.plug->graphics->closes, 1);

  // A window that cannot open is a failure, and no hook runs either way.
  f.plug->graphics->failOpen = true;
  EXPECT_EQ(v->attached(&f.parent, kPlatformTypeHWND), kResultFalse);
  EXPECT_EQ(v->attached(nullptr, kPlatformTypeHWND), kResultFalse);
  EXPECT_EQ(f.plug->guiOpened, 2);
  EXPECT_EQ(v->removed(), kResultOk);
  EXPECT_EQ(f.plug->guiClosed, 2);
  EXPECT_EQ(v->release(), 0u);
}

TEST(Vst3View, WithoutAnEditorEveryCallFails)
{
  Fixture f(false);
  IPlugView* v = f.view();
  ASSERT_TRUE(v);   // made anyway
  ViewRect size;
  EXPECT_EQ(v->isPlatformTypeSupported(kPlatformTypeHWND), kResultFalse);
  EXPECT_EQ(v->getSize(&size), kResultFalse);
  EXPECT_EQ(v->attached(&f.parent, kPlatformTypeHWND), kResultFalse);
  EXPECT_EQ(v->removed(), kResultOk);
  EXPECT_EQ(f.plug->guiOpened + f.plug->guiClosed, 0);
  f.plug->ResizeGui(10, 10);
  EXPECT_EQ(f.plug->guiResized, 0);
  EXPECT_EQ(v->release(), 0u);
}

TEST(Vst3View, ResizeGoesToTheFirstViewsFrame)
{
  Fixture f;
  RecordingPlugFrame frame1, frame2;
  IPlugView* first = f.view();
  IPlugView* second = f.view();
  ASSERT_TRUE(first && second);
  first->setFrame(&frame1);
  second->setFrame(&frame2);

  f.plug->ResizeGui(320, 240);
  ASSERT_EQ(frame1.requests.size(), 1u);
  EXPECT_TRUE(frame2.requests.empty());
  EXPECT_EQ(frame1.requests[0].view, first);
  EXPECT_EQ(frame1.requests[0].size.left, 0);
  EXPECT_EQ(frame1.requests[0].size.top, 0);
  EXPECT_EQ(frame1.requests[0].size.right, 320);
  EXPECT_EQ(frame1.requests[0].size.bottom, 240);
  // The host answered with onSize: that one is the requested size.
  EXPECT_EQ(f.plug->guiResized, 1);

  // A host's own onSize is stored, without the hook.
  ViewRect hostSize(0, 0, 500, 400);
  EXPECT_EQ(first->onSize(&hostSize), kResultOk);
  EXPECT_EQ(f.plug->guiResized, 1);

  // A host that answers later: the hook waits for its onSize.
  frame1.answerWithOnSize = false;
  f.plug->ResizeGui(330, 250);
  EXPECT_EQ(f.plug->guiResized, 1);
  ViewRect answer(0, 0, 330, 250);
  first->onSize(&answer);
  EXPECT_EQ(f.plug->guiResized, 2);

  // Once the first view is gone, the next one is asked.
  EXPECT_EQ(first->release(), 0u);
  f.plug->ResizeGui(340, 260);
  ASSERT_EQ(frame2.requests.size(), 1u);
  EXPECT_EQ(frame2.requests[0].view, second);
  EXPECT_EQ(f.plug->guiResized, 3);

  // No frame from the host: nothing is asked and nothing breaks.
  second->setFrame(nullptr);
  f.plug->ResizeGui(350, 270);
  EXPECT_EQ(frame2.requests.size(), 1u);
  EXPECT_EQ(f.plug->guiResized, 3);
  EXPECT_EQ(second->release(), 0u);
  f.plug->ResizeGui(360, 280);   // and none at all
}

TEST(Vst3View, ContextMenuForTheFirstView)
{
  Fixture f;
  // No view yet: nothing to place a menu over.
  EXPECT_FALSE(f.plug->PopupHostParamMenu(0, 1, 2));
  EXPECT_TRUE(f.handler.menus.empty());

  IPlugView* first = f.view();
  IPlugView* second = f.view();
  ASSERT_TRUE(first && second);
  EXPECT_TRUE(f.plug->PopupHostParamMenu(0, 12, 34));
  ASSERT_EQ(f.handler.menus.size(), 1u);
  const ContextMenuRecord& m = f.handler.menus[0];
  EXPECT_EQ(m.view, first);
  EXPECT_TRUE(m.hasParamId);
  EXPECT_EQ(m.paramId, 0u);
  EXPECT_TRUE(m.poppedUp);
  EXPECT_EQ(m.x, 12);
  EXPECT_EQ(m.y, 34);
  EXPECT_TRUE(m.released);
  EXPECT_EQ(f.handler.refCount(), 2);   // ours and the plug-in's: the query was released

  f.handler.offersContextMenus = false;
  EXPECT_FALSE(f.plug->PopupHostParamMenu(0, 12, 34));
  EXPECT_EQ(f.handler.menus.size(), 1u);

  EXPECT_EQ(first->release(), 0u);
  EXPECT_EQ(second->release(), 0u);
}

TEST(Vst3View, ViewsHoldThePlugIn)
{
  auto* plug = new ViewPlug(true);
  NamedHostApplication host("vst3host");
  ASSERT_EQ(plug->initialize(&host), kResultOk);
  IPlugView* v = plug->createView(ViewType::kEditor);
  ASSERT_TRUE(v);
  int parent = 0;
  ASSERT_EQ(v->attached(&parent, kPlatformTypeHWND), kResultOk);
  plug->terminate();
  // The host lets go of the plug-in first; the view keeps it alive.
  EXPECT_EQ(plug->release(), 1u);
  // Released while attached: the window closes with the view, then the plug-in goes.
  EXPECT_EQ(v->release(), 0u);
}
