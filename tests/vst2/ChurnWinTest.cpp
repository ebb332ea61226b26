// The shipped ZentikQX40.dll under Wine as a host churns it: effects created
// and closed over and over, with and without the editor, and the library
// unloaded and loaded again. Each must leave none of the library's own heap
// blocks behind.

#include "tests/hosts/AllocationWatchWin.h"
#include "tests/hosts/EditorFrameWin.h"
#include "tests/hosts/QuietStdout.h"
#include "tests/hosts/Vst2Library.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace zqhost;

namespace {

const int kCycles = 200;

std::unique_ptr<Vst2Library> loadLibrary()
{
  std::string error;
  auto library = Vst2Library::load(ZQ_VST2_PLUGIN_PATH, error);
  EXPECT_TRUE(library) << error;
  return library;
}

// One effect's life as a host leads it: started, a block of audio, and (with
// a frame) the editor opened and closed; then closed.
void effectLife(Vst2Library& library, EditorFrame* frame)
{
  Vst2Host host(library.entry());
  ASSERT_TRUE(host.effect());
  host.start(44100.0, 256);
  Buffers in(2, std::vector<double>(256, 0.25)), out(2, std::vector<double>(256, 0.0));
  {
    QuietStdout quiet;
    Vst2Processor(host.effect(), false).process(in, out, 0, 256);
  }
  if (frame)
  {
    ASSERT_EQ(host.dispatch(kEffEditOpen, 0, 0, frame->hwnd()), 1);
    runEditorLoop(host, 1);
    ASSERT_EQ(host.dispatch(kEffEditClose), 1);
  }
}

struct ChurnCase
{
  const char* name;
  bool editor;
};

class Vst2Churn : public testing::TestWithParam<ChurnCase>
{
};

TEST_P(Vst2Churn, EffectsLeaveNoHeapBlocks)
{
  auto library = loadLibrary();
  ASSERT_TRUE(library);
  AllocationWatch watch(static_cast<HMODULE>(library->image()));
  ASSERT_GT(watch.watchedImports(), 0);
  std::unique_ptr<EditorFrame> frame(GetParam().editor ? new EditorFrame : nullptr);

  // A first effect makes what the library keeps while it is loaded (cached
  // images and fonts).
  const Leftover left = ChurnLeftover(watch, kCycles, [&] {
    effectLife(*library, frame.get());
    return !HasFatalFailure();
  });
  EXPECT_EQ(left.blocks, 0) << "blocks left per effect: " << double(left.blocks) / kCycles;
  EXPECT_EQ(left.bytes, 0) << "bytes left per effect: " << double(left.bytes) / kCycles;
}

INSTANTIATE_TEST_SUITE_P(, Vst2Churn, testing::Values(ChurnCase{"WithoutEditor", false}, ChurnCase{"WithEditor", true}),
                         [](const testing::TestParamInfo<ChurnCase>& info) { return std::string(info.param.name); });

TEST(Vst2Reload, UnloadedLibraryLeavesNoHeapBlocks)
{
  EditorFrame frame;
  for (int load = 0; load < 3; ++load)
  {
    auto library = loadLibrary();
    ASSERT_TRUE(library);
    const HMODULE image = static_cast<HMODULE>(library->image());
    AllocationWatch watch(image);
    ASSERT_GT(watch.watchedImports(), 0);
    effectLife(*library, &frame);
    effectLife(*library, nullptr);
    library.reset();
    // Gone from the process, so its unload ran.
    ASSERT_FALSE(ModuleLoaded(image)) << "the library stayed loaded";
    watch.moduleUnloaded();
    EXPECT_EQ(watch.liveBlocks(), 0u) << "load " << load << ": " << watch.liveBytes() << " bytes left";
  }
}

} // namespace
