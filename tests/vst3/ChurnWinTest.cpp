// The shipped VST3 library under Wine as a host churns it: instances created
// and released over and over, with and without the editor, and the library
// unloaded and loaded again. Each must leave none of the library's own heap
// blocks behind.

#include "tests/hosts/AllocationWatchWin.h"
#include "tests/hosts/EditorFrameWin.h"
#include "tests/hosts/QuietStdout.h"
#include "tests/vst3/RealPluginWin.h"

#include "pluginterfaces/gui/iplugview.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace zqhost;

namespace {

const int kCycles = 200;

// One instance's life as a host leads it: set up, a block of audio, and
// (with a frame) the editor opened and closed.
void instanceLife(PluginModule& module, EditorFrame* frame)
{
  Instance x(module);
  ASSERT_TRUE(x.plug);
  ASSERT_EQ(x.plug->setup(44100.0, 256, kSample32), kResultOk);
  ASSERT_EQ(x.plug->start(), kResultOk);
  Buffers in(2, std::vector<double>(256, 0.25)), out(2, std::vector<double>(256, 0.0));
  {
    QuietStdout quiet;
    ASSERT_EQ(x.plug->processBlock(in, 0, out, 0, 256), kResultOk);
  }
  if (frame)
  {
    IPlugView* view = x.plug->controller->createView("editor");
    ASSERT_TRUE(view);
    ASSERT_EQ(view->attached(frame->hwnd(), kPlatformTypeHWND), kResultOk);
    pumpMessages(0);
    ASSERT_EQ(view->removed(), kResultOk);
    EXPECT_EQ(view->release(), 0u);
  }
}

struct ChurnCase
{
  const char* name;
  bool editor;
};

class Vst3Churn : public testing::TestWithParam<ChurnCase>
{
};

TEST_P(Vst3Churn, InstancesLeaveNoHeapBlocks)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  AllocationWatch watch(static_cast<HMODULE>(module->image()));
  ASSERT_GT(watch.watchedImports(), 0);
  std::unique_ptr<EditorFrame> frame(GetParam().editor ? new EditorFrame : nullptr);

  // A first instance makes what the library keeps while it is loaded (cached
  // images and fonts).
  const Leftover left = ChurnLeftover(watch, kCycles, [&] {
    instanceLife(*module, frame.get());
    return !HasFatalFailure();
  });
  EXPECT_EQ(left.blocks, 0) << "blocks left per instance: " << double(left.blocks) / kCycles;
  EXPECT_EQ(left.bytes, 0) << "bytes left per instance: " << double(left.bytes) / kCycles;
}

INSTANTIATE_TEST_SUITE_P(, Vst3Churn, testing::Values(ChurnCase{"WithoutEditor", false}, ChurnCase{"WithEditor", true}),
                         [](const testing::TestParamInfo<ChurnCase>& info) { return std::string(info.param.name); });

TEST(Vst3Reload, UnloadedLibraryLeavesNoHeapBlocks)
{
  EditorFrame frame;
  for (int load = 0; load < 3; ++load)
  {
    auto module = loadPlugin();
    ASSERT_TRUE(module);
    const HMODULE image = static_cast<HMODULE>(module->image());
    AllocationWatch watch(image);
    ASSERT_GT(watch.watchedImports(), 0);
    instanceLife(*module, &frame);
    instanceLife(*module, nullptr);
    module.reset();
    // Gone from the process, so its unload ran.
    ASSERT_FALSE(ModuleLoaded(image)) << "the library stayed loaded";
    watch.moduleUnloaded();
    EXPECT_EQ(watch.liveBlocks(), 0u) << "load " << load << ": " << watch.liveBytes() << " bytes left";
  }
}

} // namespace
