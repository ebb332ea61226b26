// The shipped ZentikQX40.dll under Wine as a host loads it: its exports and
// imports, the same automation sounding the same as through the x86 VST3
// library, creation from several threads, and the editor in a real window.

#include "tests/vst2/EffectFixture.h"

#include "tests/hosts/FaultWatchWin.h"
#include "tests/hosts/GuitarSignal.h"
#include "tests/hosts/HostClasses.h"
#include "tests/hosts/PluginInstance.h"
#include "tests/hosts/PeImage.h"
#include "tests/hosts/PluginModule.h"
#include "tests/hosts/QuietStdout.h"
#include "tests/hosts/Vst2Library.h"
#include "tests/support/EditBalance.h"

#include "pluginterfaces/vst/vstspeaker.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

using namespace zqhost;

namespace {

// A host's automation: normalised values at block starts. The values are
// exact in single precision, so the VST2 host (float) and the VST3 host
// (double) hand the plug-in the same numbers.
struct Change
{
  int block;
  int param;
  float value;
};

std::vector<Change> automation()
{
  // Hiss off: its noise is seeded from the clock.
  std::vector<Change> s = {{0, 5, 0.0f}, {0, 1, 0.5f}, {0, 2, 0.625f}, {0, 3, 0.75f}, {0, 7, 0.875f}};
  for (int b = 6; b < 120; b += 6)
    s.push_back({b, 1, 0.25f + static_cast<float>(b) / 256.0f});
  s.push_back({20, 2, 0.8125f});
  s.push_back({30, 6, 1.0f});
  s.push_back({45, 4, 0.0f});
  s.push_back({50, 0, 1.0f});
  s.push_back({54, 0, 0.0f});
  s.push_back({70, 6, 0.0f});
  s.push_back({80, 4, 1.0f});
  s.push_back({90, 3, 0.1875f});
  return s;
}

const int kBlock = 256;

Buffers renderVst2(bool use64, const Buffers& in)
{
  Vst2Host host(zqtest::EffectEntry());
  AEffect* e = host.effect();
  Buffers out(2, std::vector<double>(in[0].size(), 0.0));
  if (!e)
  {
    ADD_FAILURE() << "no effect";
    return out;
  }
  host.start(44100.0, kBlock);
  Vst2Processor processor(e, use64);
  const std::vector<Change> script = automation();
  QuietStdout quiet;
  int block = 0;
  for (size_t pos = 0; pos < in[0].size(); pos += kBlock, ++block)
  {
    for (const Change& c : script)
      if (c.block == block)
        e->setParameter(e, c.param, c.value);
    processor.process(in, out, pos, static_cast<int>(std::min<size_t>(kBlock, in[0].size() - pos)));
  }
  return out;
}

Buffers renderVst3(bool use64, const Buffers& in)
{
  Buffers out(2, std::vector<double>(in[0].size(), 0.0));
  std::string error;
  auto module = PluginModule::load(ZQ_VST3_PLUGIN_PATH, error);
  if (!module)
  {
    ADD_FAILURE() << error;
    return out;
  }
  {
    auto plug = PluginInstance::createFirstEffect(module->factory(), error);
    if (!plug)
    {
      ADD_FAILURE() << error;
      return out;
    }
    NamedHostApplication app("vst3host");
    RecordingComponentHandler handler;
    EXPECT_EQ(plug->initialize(&app, &handler), kResultOk);
    SpeakerArrangement stereo = SpeakerArr::kStereo, stereoOut = SpeakerArr::kStereo;
    EXPECT_EQ(plug->processor->setBusArrangements(&stereo, 1, &stereoOut, 1), kResultOk);
    EXPECT_EQ(plug->setup(44100.0, kBlock, use64 ? kSample64 : kSample32), kResultOk);
    EXPECT_EQ(plug->start(), kResultOk);
    const std::vector<Change> script = automation();
    ParameterChanges changes;
    QuietStdout quiet;
    int block = 0;
    for (size_t pos = 0; pos < in[0].size(); pos += kBlock, ++block)
    {
      changes.clear();
      for (const Change& c : script)
        if (c.block == block)
          changes.add(static_cast<ParamID>(c.param), 0, c.value);
      const int32 n = static_cast<int32>(std::min<size_t>(kBlock, in[0].size() - pos));
      EXPECT_EQ(plug->processBlock(in, pos, out, pos, n, &changes), kResultOk);
    }
    plug->stop();
    plug->terminate();
  }
  return out;
}

} // namespace

TEST(Vst2Plugin, ExportsTheEntryTwiceAndImportsOnlySystemLibraries)
{
  std::string error;
  auto lib = Vst2Library::load(ZQ_VST2_PLUGIN_PATH, error);
  ASSERT_TRUE(lib) << error;
  const PeDirectories pe = ReadPeDirectories(lib->image());
  ASSERT_EQ(pe.exports.size(), 2u);
  ASSERT_TRUE(pe.exports.count("VSTPluginMain") && pe.exports.count("main"));
  EXPECT_EQ(pe.exports.at("VSTPluginMain"), pe.exports.at("main"));
  EXPECT_FALSE(pe.unnamedExports);
  EXPECT_EQ(lib->symbol("main"), lib->symbol("VSTPluginMain"));
  for (const std::string& name : pe.imports)
    EXPECT_TRUE(IsSystemLibrary(name)) << name;

  // The editor's images and the manifest are in the library.
  HMODULE module = static_cast<HMODULE>(lib->image());
  for (int id = 100; id <= 107; ++id)
    EXPECT_TRUE(FindResourceA(module, MAKEINTRESOURCEA(id), "PNG")) << id;
  EXPECT_TRUE(FindResourceA(module, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(24)) ||
              FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)));
}

TEST(Vst2Plugin, SameAutomationSoundsAsThroughTheVst3Library)
{
  const Buffers in = makeGuitarSignal(44100.0, 3.0, 2);
  for (bool use64 : {false, true})
  {
    const Buffers a = renderVst2(use64, in);
    const Buffers b = renderVst3(use64, in);
    double energy = 0.0;
    size_t differing = 0;
    for (int c = 0; c < 2; ++c)
      for (size_t i = 0; i < in[0].size(); ++i)
      {
        energy += a[c][i] * a[c][i];
        if (a[c][i] != b[c][i])
          ++differing;
      }
    EXPECT_GT(energy, 1.0) << (use64 ? "double" : "float");
    EXPECT_EQ(differing, 0u) << (use64 ? "double" : "float");
  }
}

TEST(Vst2Plugin, InstancesCreatedFromSeveralThreadsAtOnce)
{
  Vst2Entry entry = zqtest::EffectEntry();
  ASSERT_TRUE(entry);
  std::atomic<int> made(0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&]() {
      for (int i = 0; i < 3; ++i)
      {
        Vst2Host host(entry);
        if (host.effect() && host.effect()->numParams == 8)
          ++made;
      }
    });
  for (std::thread& t : threads)
    t.join();
  EXPECT_EQ(made.load(), 12);
}

namespace {

HWND NewParentWindow()
{
  return CreateWindowExA(0, "STATIC", "vst2 editor test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 520,
                         560, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// A started effect with its editor open in a new host window, the calls so
// far cleared; the window goes first, then the effect.
struct OpenEditor
{
  OpenEditor() : host(zqtest::EffectEntry())
  {
    if (!host.effect())
      return;
    host.start(44100.0, 512);
    parent = NewParentWindow();
    if (host.dispatch(kEffEditOpen, 0, 0, parent) == 1)
      child = GetWindow(parent, GW_CHILD);
    runEditorLoop(host, 100);
    host.clearCalls();
  }
  ~OpenEditor()
  {
    if (parent)
      DestroyWindow(parent);
  }

  Vst2Host host;
  HWND parent = nullptr;
  HWND child = nullptr;
};

// The begin and end notices the host got, in order.
std::vector<EditNotice> editsOf(const Vst2Host& host)
{
  std::vector<EditNotice> edits;
  for (const Vst2HostCall& c : host.calls())
    if (c.opcode == kAudioMasterBeginEdit || c.opcode == kAudioMasterEndEdit)
      edits.push_back({c.opcode == kAudioMasterBeginEdit ? 'b' : 'e', c.index});
  return edits;
}

} // namespace

TEST(Vst2Plugin, EditorOpensInsideTheHostWindowAndCloses)
{
  Vst2Host host(zqtest::EffectEntry());
  AEffect* e = host.effect();
  ASSERT_TRUE(e);
  host.start(44100.0, 512);
  ASSERT_TRUE(e->flags & kEffFlagsHasEditor);

  // No parent window: nothing opens.
  EXPECT_EQ(host.dispatch(kEffEditOpen, 0, 0, nullptr), 0);

  HWND parent = NewParentWindow();
  ASSERT_TRUE(parent);
  for (int round = 0; round < 2; ++round)
  {
    ASSERT_EQ(host.dispatch(kEffEditOpen, 0, 0, parent), 1) << round;
    HWND child = GetWindow(parent, GW_CHILD);
    ASSERT_TRUE(child) << round;
    char cls[64] = {};
    GetClassNameA(child, cls, sizeof cls);
    EXPECT_STREQ(cls, "IPlugWndClass");
    EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_CHILD);
    RECT client = {};
    GetClientRect(child, &client);
    EXPECT_EQ(client.right - client.left, 410);
    EXPECT_EQ(client.bottom - client.top, 460);
    runEditorLoop(host, 200);
    EXPECT_EQ(host.dispatch(kEffEditClose), 1);
    EXPECT_FALSE(IsWindow(child)) << round;
    EXPECT_FALSE(GetWindow(parent, GW_CHILD)) << round;
  }
  DestroyWindow(parent);
}

TEST(Vst2Plugin, KnobDragInTheEditorAutomatesTheHost)
{
  OpenEditor editor;
  Vst2Host& host = editor.host;
  AEffect* e = host.effect();
  ASSERT_TRUE(e);
  HWND child = editor.child;
  ASSERT_TRUE(child);

  // Up the Dist. Amount knob (199, 19)-(299, 119), then a click in the bypass area.
  SendMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(249, 69));
  for (int y = 66; y >= 39; y -= 3)
    SendMessageA(child, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(249, y));
  SendMessageA(child, WM_LBUTTONUP, 0, MAKELPARAM(249, 39));
  runEditorLoop(host, 100);

  const auto begins = host.calls(kAudioMasterBeginEdit);
  const auto automates = host.calls(kAudioMasterAutomate);
  const auto ends = host.calls(kAudioMasterEndEdit);
  ASSERT_EQ(begins.size(), 1u);
  EXPECT_EQ(begins[0].index, 1);
  ASSERT_FALSE(automates.empty());
  for (const Vst2HostCall& c : automates)
    EXPECT_EQ(c.index, 1);
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].index, 1);
  // The host's last automated value is the parameter's value now.
  EXPECT_GT(automates.back().opt, 0.0f);
  EXPECT_NEAR(e->getParameter(e, 1), automates.back().opt, 1e-6);

  host.clearCalls();
  SendMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 350));
  SendMessageA(child, WM_LBUTTONUP, 0, MAKELPARAM(100, 350));
  runEditorLoop(host, 50);
  const auto bypass = host.calls(kAudioMasterAutomate);
  ASSERT_FALSE(bypass.empty());
  EXPECT_EQ(bypass.back().index, 0);
  EXPECT_EQ(bypass.back().opt, 1.0f);
  EXPECT_EQ(e->getParameter(e, 0), 1.0f);

  EXPECT_EQ(host.dispatch(kEffEditClose), 1);
}

// Hosts close a plug-in whose editor is still open, here in the middle of a
// drag on Dist. Amount: the edit ends once, while the host still listens, and
// nothing faults on the way.
TEST(Vst2Plugin, ClosedWithItsEditorInADragTheEditEndsOnce)
{
  struct Case { const char* what; bool closeEditorFirst; };
  for (Case k : {Case {"effEditClose, then effClose", true}, Case {"effClose alone", false}})
  {
    SCOPED_TRACE(k.what);
    OpenEditor editor;
    Vst2Host& host = editor.host;
    HWND child = editor.child;
    ASSERT_TRUE(child);
    SendMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(249, 69));
    SendMessageA(child, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(249, 50));
    ASSERT_EQ(GetCapture(), child);

    FaultWatch faults;
    ASSERT_TRUE(faults.Watching());
    if (k.closeEditorFirst)
      host.dispatch(kEffEditClose);
    host.close();
    EXPECT_EQ(faults.Faults(), 0);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_NE(GetCapture(), child);
    const std::vector<EditNotice> edits = editsOf(host);
    EXPECT_TRUE(EditsBalance(edits));
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(edits[0].param, 1);
  }
}

