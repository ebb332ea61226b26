// The shipped VST3 library's editor under Wine (with an X display): the view
// a host embeds, real mouse messages on the editor's window, the host
// notifications and sound they lead to, the host's context menu, and the
// window's pixels against the library's own images.

#include "tests/hosts/EditorFrameWin.h"
#include "tests/hosts/FaultWatchWin.h"
#include "tests/hosts/GuitarSignal.h"
#include "tests/hosts/QuietStdout.h"
#include "tests/support/EditBalance.h"
#include "tests/support/GuiObjectWatchWin.h"
#include "tests/vst3/RealPluginWin.h"

#include "drawing/LICE_Blit.h"
#include "drawing/LICE_MemBitmap.h"
#include "drawing/LICE_PNG.h"
#include "effect/ZentikQX40.h"

#include "pluginterfaces/gui/iplugview.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

using namespace zqhost;

namespace {

const char kWindowClass[] = "IPlugWndClass";

// A control's placement and image as the editor lays it out.
struct Placed
{
  const char* what;
  int x, y;
  int imageId;
  int frames;
};

const Placed kToneKnob = {"Tone", 15, 19, 101, 100};
const Placed kAmountKnob = {"Dist. Amount", 199, 19, 101, 100};
const Placed kLevelKnob = {"Level", 117, 64, 102, 100};
const Placed kSaturationSwitch = {"Analog Saturation", 314, 64, 103, 2};
const Placed kHissSwitch = {"Analog Hiss", 314, 139, 103, 2};
const Placed kUltraSwitch = {"Ultra Mode", 314, 211, 103, 2};
const Placed kMixKnob = {"Dry/Wet", 342, 270, 107, 100};
const Placed kBypassLed = {"bypass LED", 151, 31, 104, 2};
const Placed kUltraLed = {"ultra LED", 151, 31, 106, 2};
const Placed kMeter = {"meter", 52, 120, 105, 24};

// The frame a strip control shows for a normalised value.
int frameFor(int frames, double value)
{
  value = std::min(1.0, std::max(0.0, value));
  return 1 + static_cast<int>((frames - 1) * value + 0.5);
}

bool windowHasClass(HWND window, const char* name)
{
  char buf[64] = {};
  return window && GetClassNameA(window, buf, sizeof buf) > 0 && std::strcmp(buf, name) == 0;
}

bool windowClassRegistered(HMODULE module)
{
  WNDCLASSA wc;
  return GetClassInfoA(module, kWindowClass, &wc) != 0;
}

// The library's images, decoded from its own resources, and what the editor
// should show: frames composited on the background.
class Images
{
public:
  explicit Images(PluginModule& module) : mModule(static_cast<HINSTANCE>(module.image())) {}
  ~Images()
  {
    for (auto& kv : mBitmaps)
      delete kv.second;
  }

  LICE_IBitmap* get(int id)
  {
    for (auto& kv : mBitmaps)
      if (kv.first == id)
        return kv.second;
    LICE_IBitmap* bm = LICE_LoadPNGFromResource(mModule, id);
    EXPECT_TRUE(bm) << "image " << id;
    mBitmaps.emplace_back(id, bm);
    return bm;
  }

  // The background with the given frames drawn on it, in order.
  std::unique_ptr<LICE_MemBitmap> compose(const std::vector<std::pair<Placed, int>>& layers)
  {
    LICE_IBitmap* bkg = get(100);
    std::unique_ptr<LICE_MemBitmap> out(new LICE_MemBitmap(410, 460));
    if (!bkg)
      return out;
    LICE_Blit(out.get(), bkg, 0, 0, nullptr, 1.0f, 0);
    for (const auto& layer : layers)
    {
      LICE_IBitmap* strip = get(layer.first.imageId);
      if (!strip)
        continue;
      const int h = strip->GetHeight() / layer.first.frames;
      const LICE_BlitRect src = {0, (layer.second - 1) * h, strip->GetWidth(), layer.second * h};
      LICE_Blit(out.get(), strip, layer.first.x, layer.first.y, &src, 1.0f, 0x10000);
    }
    return out;
  }

  int width(const Placed& p) { return get(p.imageId) ? get(p.imageId)->GetWidth() : 0; }
  int height(const Placed& p) { return get(p.imageId) ? get(p.imageId)->GetHeight() / p.frames : 0; }

private:
  HINSTANCE mModule;
  std::vector<std::pair<int, LICE_IBitmap*>> mBitmaps;
};

struct Screenshot
{
  std::vector<uint32_t> pixels;
  int width = 0, height = 0;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFFu; }
};

// Every pixel of p's rectangle matches the expected image (colour only:
// the screen has no alpha).
::testing::AssertionResult sameRect(const Screenshot& shot, LICE_MemBitmap& expected, Images& images,
                                    const Placed& p)
{
  const int w = images.width(p), h = images.height(p);
  int mismatches = 0;
  std::string first;
  for (int y = p.y; y < p.y + h; ++y)
    for (int x = p.x; x < p.x + w; ++x)
    {
      const uint32_t want = *LICE_PixelPointer(&expected, x, y) & 0xFFFFFFu;
      const uint32_t got = shot.at(x, y);
      if (want != got && mismatches++ == 0)
      {
        char b[96];
        std::snprintf(b, sizeof b, "(%d, %d) is %06X, expected %06X", x, y, got, want);
        first = b;
      }
    }
  if (mismatches)
    return ::testing::AssertionFailure() << p.what << ": " << mismatches << " pixels differ, first " << first;
  return ::testing::AssertionSuccess();
}

// The begin and end notices the host's handler got, in order.
std::vector<EditNotice> notices(const std::vector<EditRecord>& edits)
{
  std::vector<EditNotice> out;
  for (const EditRecord& e : edits)
    if (e.kind != EditRecord::kPerform)
      out.push_back({e.kind == EditRecord::kBegin ? 'b' : 'e', static_cast<int>(e.id)});
  return out;
}

// Every notice is about `id`, and they keep the edit rule.
::testing::AssertionResult balancedOn(const std::vector<EditRecord>& edits, ParamID id)
{
  for (const EditRecord& e : edits)
    if (e.id != id)
      return ::testing::AssertionFailure() << "an edit of " << e.id;
  return EditsBalance(notices(edits));
}

// One instance with its editor view attached to a frame window of this host.
struct Editor
{
  explicit Editor(PluginModule& module, int32 sampleSize = kSample64) : x(module)
  {
    if (!x.plug)
      return;
    EXPECT_EQ(x.plug->setup(44100.0, 512, sampleSize), kResultOk);
    EXPECT_EQ(x.plug->start(), kResultOk);
    view = x.plug->controller->createView(ViewType::kEditor);
    if (!view)
    {
      ADD_FAILURE() << "no editor view";
      return;
    }
    view->setFrame(&plugFrame);
    EXPECT_EQ(view->attached(frame.hwnd(), kPlatformTypeHWND), kResultOk);
    pumpMessages(60);
  }
  ~Editor()
  {
    if (view)
    {
      view->removed();
      view->release();
    }
  }

  HWND window() const { return frame.child(); }

  // Host automation: the changes arrive with the first block of `in`.
  Buffers process(const std::vector<std::pair<ParamID, double>>& values, const Buffers& in)
  {
    ParameterChanges changes;
    for (const auto& v : values)
      changes.add(v.first, 0, v.second);
    Buffers out(2, std::vector<double>(in[0].size(), 0.0));
    QuietStdout quiet;
    for (size_t pos = 0; pos < in[0].size(); pos += 512)
    {
      const int32 n = static_cast<int32>(std::min<size_t>(512, in[0].size() - pos));
      EXPECT_EQ(x.plug->processBlock(in, pos, out, pos, n, pos == 0 ? &changes : nullptr), kResultOk);
    }
    return out;
  }

  // After a few timer ticks, what the editor's window shows.
  Screenshot shoot()
  {
    pumpMessages(150);
    Screenshot s;
    EXPECT_TRUE(captureWindow(window(), s.pixels, s.width, s.height));
    return s;
  }

  Instance x;
  EditorFrame frame;
  RecordingPlugFrame plugFrame;
  IPlugView* view = nullptr;
};

Buffers silence(size_t frames)
{
  return Buffers(2, std::vector<double>(frames, 0.0));
}

double maxDifference(const Buffers& a, const Buffers& b)
{
  double worst = 0.0;
  for (size_t c = 0; c < a.size(); ++c)
    for (size_t i = 0; i < a[c].size(); ++i)
      worst = std::max(worst, std::fabs(a[c][i] - b[c][i]));
  return worst;
}

// The library, one instance and one editor view of it, released at the end.
class Vst3EditorView : public ::testing::Test
{
protected:
  void SetUp() override
  {
    module = loadPlugin();
    ASSERT_TRUE(module);
    image = static_cast<HMODULE>(module->image());
    x.reset(new Instance(*module));
    ASSERT_TRUE(x->plug);
    view = x->plug->controller->createView("editor");
    ASSERT_TRUE(view);
  }
  void TearDown() override
  {
    if (view)
      EXPECT_EQ(view->release(), 0u);
    x.reset();
  }

  std::unique_ptr<PluginModule> module;
  HMODULE image = nullptr;
  std::unique_ptr<Instance> x;
  IPlugView* view = nullptr;
};

} // namespace

TEST(Vst3Editor, ViewOfTheEditor)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  Instance x(*module);
  ASSERT_TRUE(x.plug);
  IEditController* c = x.plug->controller;

  // Only the exact name makes a view.
  EXPECT_EQ(c->createView(nullptr), nullptr);
  EXPECT_EQ(c->createView("Editor"), nullptr);
  EXPECT_EQ(c->createView("editor "), nullptr);
  IPlugView* view = c->createView("editor");
  ASSERT_TRUE(view);

  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeHWND), kResultOk);
  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeNSView), kResultFalse);
  EXPECT_EQ(view->isPlatformTypeSupported(nullptr), kResultFalse);
  ViewRect size(1, 2, 3, 4);
  ASSERT_EQ(view->getSize(&size), kResultOk);
  EXPECT_EQ(size.left, 0);
  EXPECT_EQ(size.top, 0);
  EXPECT_EQ(size.right, 410);
  EXPECT_EQ(size.bottom, 460);
  EXPECT_EQ(view->getSize(nullptr), kInvalidArgument);

  // A host's onSize without a request is taken; a missing rectangle is ignored.
  ViewRect hostSize(0, 0, 410, 460);
  EXPECT_EQ(view->onSize(&hostSize), kResultOk);
  EXPECT_EQ(view->onSize(nullptr), kResultOk);
  EXPECT_EQ(view->canResize(), kResultFalse);

  // Another platform type opens no window and still counts as attached.
  EditorFrame frame;
  EXPECT_EQ(view->attached(frame.hwnd(), kPlatformTypeNSView), kResultOk);
  pumpMessages(20);
  EXPECT_EQ(frame.childCount(), 0);
  EXPECT_FALSE(windowClassRegistered(static_cast<HMODULE>(module->image())));
  EXPECT_EQ(view->removed(), kResultOk);

  // No window without a parent.
  EXPECT_EQ(view->attached(nullptr, kPlatformTypeHWND), kResultFalse);
  EXPECT_FALSE(windowClassRegistered(static_cast<HMODULE>(module->image())));
  EXPECT_EQ(view->removed(), kResultOk);

  // A second view lives beside the first.
  IPlugView* second = c->createView("editor");
  ASSERT_TRUE(second);
  EXPECT_NE(second, view);
  EXPECT_EQ(second->release(), 0u);
  EXPECT_EQ(view->release(), 0u);
}

TEST_F(Vst3EditorView, OpensAsOneChildWindowAndClosesAgain)
{
  EditorFrame frame;

  ASSERT_EQ(view->attached(frame.hwnd(), kPlatformTypeHWND), kResultOk);
  pumpMessages(50);
  ASSERT_EQ(frame.childCount(), 1);
  HWND child = frame.child();
  EXPECT_TRUE(windowHasClass(child, kWindowClass));
  RECT r;
  ASSERT_TRUE(GetClientRect(child, &r));
  EXPECT_EQ(r.right - r.left, 410);
  EXPECT_EQ(r.bottom - r.top, 460);
  EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_CHILD);

  EXPECT_EQ(view->removed(), kResultOk);
  pumpMessages(20);
  EXPECT_EQ(frame.childCount(), 0);
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(windowClassRegistered(image));

  // Removing again closes nothing more.
  EXPECT_EQ(view->removed(), kResultOk);
}

TEST_F(Vst3EditorView, AttachAndRemoveRepeatWithoutLeaking)
{
  EditorFrame frame;
  // What the library makes through its own imports, counted while it exists.
  GuiObjectWatch watch(image);
  ASSERT_GT(watch.watchedImports(), 0);

  auto cycle = [&]() {
    EXPECT_EQ(view->attached(frame.hwnd(), kPlatformTypeHWND), kResultOk);
    pumpMessages(5);
    EXPECT_EQ(frame.childCount(), 1);
    EXPECT_EQ(watch.liveWindows(), 1);
    EXPECT_EQ(view->removed(), kResultOk);
    pumpMessages(0);
  };
  // The first opening makes what stays for the process (images, fonts).
  cycle();
  const int before = watch.live();
  for (int i = 0; i < 40; ++i)
    cycle();
  EXPECT_EQ(frame.childCount(), 0);
  EXPECT_FALSE(windowClassRegistered(image));
  EXPECT_EQ(watch.liveWindows(), 0);
  EXPECT_EQ(watch.live(), before);
}

TEST_F(Vst3EditorView, SecondAttachMovesTheWindowAndOnlyItsViewClosesIt)
{
  EditorFrame a, b;
  IPlugView* first = view;
  IPlugView* second = x->plug->controller->createView("editor");
  ASSERT_TRUE(second);

  // The same view attached twice: one window, in the newer parent.
  ASSERT_EQ(first->attached(a.hwnd(), kPlatformTypeHWND), kResultOk);
  ASSERT_EQ(first->attached(b.hwnd(), kPlatformTypeHWND), kResultOk);
  pumpMessages(20);
  EXPECT_EQ(a.childCount(), 0);
  EXPECT_EQ(b.childCount(), 1);

  // Another view takes the window over; removing the first leaves it alone.
  ASSERT_EQ(second->attached(a.hwnd(), kPlatformTypeHWND), kResultOk);
  pumpMessages(20);
  EXPECT_EQ(a.childCount(), 1);
  EXPECT_EQ(b.childCount(), 0);
  EXPECT_EQ(first->removed(), kResultOk);
  EXPECT_EQ(a.childCount(), 1);
  EXPECT_EQ(second->removed(), kResultOk);
  EXPECT_EQ(a.childCount(), 0);
  EXPECT_FALSE(windowClassRegistered(image));

  // A view released while attached takes its window with it.
  ASSERT_EQ(second->attached(b.hwnd(), kPlatformTypeHWND), kResultOk);
  EXPECT_EQ(b.childCount(), 1);
  EXPECT_EQ(second->release(), 0u);
  pumpMessages(10);
  EXPECT_EQ(b.childCount(), 0);
  EXPECT_FALSE(windowClassRegistered(image));
}

TEST_F(Vst3EditorView, ViewOutlivesItsParentWindow)
{
  {
    EditorFrame doomed;
    ASSERT_EQ(view->attached(doomed.hwnd(), kPlatformTypeHWND), kResultOk);
    pumpMessages(30);
    EXPECT_EQ(doomed.childCount(), 1);
  }
  // The host destroyed the parent (and with it the editor's window) first.
  pumpMessages(30);
  EXPECT_EQ(view->removed(), kResultOk);

  EditorFrame frame;
  ASSERT_EQ(view->attached(frame.hwnd(), kPlatformTypeHWND), kResultOk);
  pumpMessages(30);
  EXPECT_EQ(frame.childCount(), 1);
  EXPECT_TRUE(windowHasClass(frame.child(), kWindowClass));
  EXPECT_EQ(view->removed(), kResultOk);
  EXPECT_EQ(frame.childCount(), 0);
}

TEST(Vst3Editor, KnobDragRaisesTheParameterByItsGearing)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  // Knob 100 pixels high, gearing 4: 40 pixels up add 0.1; with shift or
  // control held ten times less.
  struct Case { WPARAM keys; int dy; double gain; };
  for (Case k : {Case {0, -40, 0.1}, Case {MK_SHIFT, -40, 0.01}, Case {MK_CONTROL, -80, 0.02},
                 Case {0, 40, 0.0}})
  {
    SCOPED_TRACE(::testing::Message() << "keys " << k.keys << ", dy " << k.dy);
    Editor e(*module);
    ASSERT_TRUE(e.view && e.window());
    e.x.handler.edits.clear();
    const int x0 = kAmountKnob.x + 50, y0 = kAmountKnob.y + 50;
    SendMessageA(e.window(), WM_LBUTTONDOWN, MK_LBUTTON | k.keys, MAKELPARAM(x0, y0));
    for (int i = 1; i <= 8; ++i)
      SendMessageA(e.window(), WM_MOUSEMOVE, MK_LBUTTON | k.keys, MAKELPARAM(x0, y0 + k.dy * i / 8));
    SendMessageA(e.window(), WM_LBUTTONUP, k.keys, MAKELPARAM(x0, y0 + k.dy));

    const auto& edits = e.x.handler.edits;
    ASSERT_GE(edits.size(), 3u);
    EXPECT_EQ(edits.front().kind, EditRecord::kBegin);
    EXPECT_EQ(edits.front().id, static_cast<ParamID>(ZentikQX40::kDistAmount));
    EXPECT_EQ(edits.back().kind, EditRecord::kEnd);
    EXPECT_EQ(edits.back().id, static_cast<ParamID>(ZentikQX40::kDistAmount));
    double last = 0.0;
    for (size_t i = 1; i + 1 < edits.size(); ++i)
    {
      EXPECT_EQ(edits[i].kind, EditRecord::kPerform);
      EXPECT_EQ(edits[i].id, static_cast<ParamID>(ZentikQX40::kDistAmount));
      EXPECT_GE(edits[i].value, last);
      last = edits[i].value;
    }
    EXPECT_NEAR(last, k.gain, 1e-9);
    EXPECT_NEAR(e.x.plug->controller->getParamNormalized(ZentikQX40::kDistAmount), k.gain, 1e-9);
    EXPECT_TRUE(balancedOn(edits, static_cast<ParamID>(ZentikQX40::kDistAmount)));
  }
}

TEST(Vst3Editor, DraggedValueIsWhatTheNextRenderSounds)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  const Buffers in = makeGuitarSignal(44100.0, 0.2, 2);
  // Hiss is noise from a clock-seeded generator: off for comparable renders.
  const std::pair<ParamID, double> hissOff = {ZentikQX40::kHiss, 0.0};

  Editor dragged(*module);
  ASSERT_TRUE(dragged.view && dragged.window());
  sendLeftDrag(dragged.window(), kAmountKnob.x + 50, kAmountKnob.y + 80, 0, -60, 6);
  const double value = dragged.x.plug->controller->getParamNormalized(ZentikQX40::kDistAmount);
  EXPECT_NEAR(value, 0.15, 1e-9);
  const Buffers viaMouse = dragged.process({hissOff}, in);

  Editor automated(*module);
  const Buffers viaHost = automated.process({hissOff, {ZentikQX40::kDistAmount, value}}, in);
  Editor untouched(*module);
  const Buffers asDefault = untouched.process({hissOff}, in);

  EXPECT_LE(maxDifference(viaMouse, viaHost), 1e-12);
  EXPECT_GT(maxDifference(viaMouse, asDefault), 0.01);
}

TEST(Vst3Editor, ClicksReachTheirParameters)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  Editor e(*module);
  ASSERT_TRUE(e.view && e.window());
  // A click anywhere in a control's rectangle; switches toggle on the click.
  struct Case { int x, y; int param; double after; };
  for (Case k : {Case {kSaturationSwitch.x + 2, kSaturationSwitch.y + 2, ZentikQX40::kSaturation, 0.0},
                 Case {kHissSwitch.x + 89, kHissSwitch.y + 15, ZentikQX40::kHiss, 0.0},
                 Case {kUltraSwitch.x + 45, kUltraSwitch.y + 8, ZentikQX40::kUltra, 1.0},
                 Case {24, 295, ZentikQX40::kBypass, 1.0},
                 Case {286, 420, ZentikQX40::kBypass, 0.0},
                 Case {kToneKnob.x + 50, kToneKnob.y + 50, ZentikQX40::kTone, -1.0},
                 Case {kLevelKnob.x + 40, kLevelKnob.y + 40, ZentikQX40::kLevel, -1.0},
                 Case {kMixKnob.x + 16, kMixKnob.y + 16, ZentikQX40::kDryWet, -1.0}})
  {
    SCOPED_TRACE(::testing::Message() << "click at " << k.x << ", " << k.y);
    e.x.handler.edits.clear();
    sendLeftClick(e.window(), k.x, k.y);
    const auto& edits = e.x.handler.edits;
    ASSERT_GE(edits.size(), 2u);
    EXPECT_EQ(edits.front().kind, EditRecord::kBegin);
    EXPECT_EQ(edits.front().id, static_cast<ParamID>(k.param));
    EXPECT_EQ(edits.back().kind, EditRecord::kEnd);
    EXPECT_EQ(edits.back().id, static_cast<ParamID>(k.param));
    EXPECT_TRUE(balancedOn(edits, static_cast<ParamID>(k.param)));
    if (k.after >= 0.0)
    {
      ASSERT_EQ(edits.size(), 3u);
      EXPECT_EQ(edits[1].value, k.after);
      EXPECT_EQ(e.x.plug->controller->getParamNormalized(k.param), k.after);
    }
    else
    {
      // A knob only moves when dragged.
      EXPECT_EQ(edits.size(), 2u);
    }
  }
  // The background and the label belong to no parameter.
  e.x.handler.edits.clear();
  sendLeftClick(e.window(), 5, 5);
  sendLeftClick(e.window(), 246, 437);
  EXPECT_TRUE(e.x.handler.edits.empty());
}

TEST(Vst3Editor, RightClickAsksTheHostForItsParameterMenu)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  Editor e(*module);
  ASSERT_TRUE(e.view && e.window());
  e.x.handler.edits.clear();
  sendRightClick(e.window(), kToneKnob.x + 30, kToneKnob.y + 40);
  ASSERT_EQ(e.x.handler.menus.size(), 1u);
  const ContextMenuRecord& m = e.x.handler.menus[0];
  EXPECT_EQ(m.view, e.view);
  EXPECT_TRUE(m.hasParamId);
  EXPECT_EQ(m.paramId, static_cast<ParamID>(ZentikQX40::kTone));
  EXPECT_TRUE(m.poppedUp);
  EXPECT_EQ(m.x, kToneKnob.x + 30);
  EXPECT_EQ(m.y, kToneKnob.y + 40);
  EXPECT_TRUE(m.released);
  // The press went to the host instead of the knob: nothing begins, so the
  // release ends nothing.
  EXPECT_TRUE(e.x.handler.edits.empty());
  EXPECT_EQ(e.x.handler.refCount(), 1 + 1);   // ours, and the plug-in's hold

  // A host without context menus: nothing is asked, nothing breaks.
  e.x.handler.offersContextMenus = false;
  sendRightClick(e.window(), kToneKnob.x + 30, kToneKnob.y + 40);
  EXPECT_EQ(e.x.handler.menus.size(), 1u);
  // An unbound spot asks for nothing either.
  e.x.handler.offersContextMenus = true;
  sendRightClick(e.window(), 5, 5);
  EXPECT_EQ(e.x.handler.menus.size(), 1u);
}

TEST(Vst3Editor, WindowShowsTheImageFramesOfTheValues)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  Images images(*module);
  Editor e(*module);
  ASSERT_TRUE(e.view && e.window());

  // Defaults: Tone and Level at 25 (normalised 0.5), saturation and hiss on,
  // Ultra Mode off (its LED and the meter hidden), Dry/Wet at 100, Bypass off.
  {
    Screenshot shot = e.shoot();
    ASSERT_EQ(shot.width, 410);
    ASSERT_EQ(shot.height, 460);
    auto expected = images.compose({{kToneKnob, 51}, {kAmountKnob, 1}, {kLevelKnob, 51},
                                    {kSaturationSwitch, 2}, {kHissSwitch, 2}, {kUltraSwitch, 1},
                                    {kMixKnob, 100}, {kBypassLed, 2}});
    for (const Placed& p : {kToneKnob, kAmountKnob, kLevelKnob, kSaturationSwitch, kHissSwitch, kUltraSwitch,
                            kMixKnob, kBypassLed, kMeter})
      EXPECT_TRUE(sameRect(shot, *expected, images, p));
  }

  // Host automation reaches the knobs: Dist. Amount 60 and Tone 40 (shape 2).
  const double amount = std::sqrt(0.6), tone = std::sqrt(0.4);
  e.process({{ZentikQX40::kDistAmount, amount}, {ZentikQX40::kTone, tone}}, silence(64));
  {
    Screenshot shot = e.shoot();
    auto expected = images.compose({{kToneKnob, frameFor(100, tone)}, {kAmountKnob, frameFor(100, amount)}});
    EXPECT_EQ(frameFor(100, amount), 78);
    EXPECT_TRUE(sameRect(shot, *expected, images, kAmountKnob));
    EXPECT_TRUE(sameRect(shot, *expected, images, kToneKnob));
  }
}

TEST(Vst3Editor, LedsFollowBypassAndUltraModeAndTheMeterTheAudio)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  Images images(*module);
  Editor e(*module);
  ASSERT_TRUE(e.view && e.window());
  const int bypassX = 150, bypassY = 350;

  // Bypass on through the invisible switch: the LED shows its first frame.
  sendLeftClick(e.window(), bypassX, bypassY);
  ASSERT_EQ(e.x.plug->controller->getParamNormalized(ZentikQX40::kBypass), 1.0);
  {
    Screenshot shot = e.shoot();
    auto expected = images.compose({{kBypassLed, 1}});
    EXPECT_TRUE(sameRect(shot, *expected, images, kBypassLed));
  }
  // And off again: second frame.
  sendLeftClick(e.window(), bypassX, bypassY);
  ASSERT_EQ(e.x.plug->controller->getParamNormalized(ZentikQX40::kBypass), 0.0);
  {
    Screenshot shot = e.shoot();
    auto expected = images.compose({{kBypassLed, 2}});
    EXPECT_TRUE(sameRect(shot, *expected, images, kBypassLed));
  }

  // Ultra Mode on: the white LED covers the bypass LED and the meter shows.
  sendLeftClick(e.window(), kUltraSwitch.x + 45, kUltraSwitch.y + 8);
  ASSERT_EQ(e.x.plug->controller->getParamNormalized(ZentikQX40::kUltra), 1.0);
  {
    Screenshot shot = e.shoot();
    auto expected = images.compose({{kUltraSwitch, 2}, {kBypassLed, 2}, {kUltraLed, 2}, {kMeter, 1}});
    EXPECT_TRUE(sameRect(shot, *expected, images, kUltraSwitch));
    EXPECT_TRUE(sameRect(shot, *expected, images, kUltraLed));
    EXPECT_TRUE(sameRect(shot, *expected, images, kMeter));
  }
  // Bypassed in Ultra Mode, both LEDs show their first frame.
  sendLeftClick(e.window(), bypassX, bypassY);
  {
    Screenshot shot = e.shoot();
    auto expected = images.compose({{kBypassLed, 1}, {kUltraLed, 1}});
    EXPECT_TRUE(sameRect(shot, *expected, images, kUltraLed));
  }
  sendLeftClick(e.window(), bypassX, bypassY);

  // The meter shows ten times the last processed left sample: loud, then
  // after a stretch of silence.
  const std::vector<std::pair<ParamID, double>> hissOff = {{ZentikQX40::kHiss, 0.0}};
  const Buffers loud = makeGuitarSignal(44100.0, 0.1, 2);
  std::vector<int> frames;
  for (const Buffers& block : {loud, silence(8192)})
  {
    const Buffers out = e.process(hissOff, block);
    const int frame = frameFor(24, std::fabs(out[0].back()) * 10.0);
    Screenshot shot = e.shoot();
    auto expected = images.compose({{kMeter, frame}});
    EXPECT_TRUE(sameRect(shot, *expected, images, kMeter)) << "frame " << frame;
    frames.push_back(frame);
  }
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_GT(frames[0], frames[1]);

  // Ultra Mode off hides both again: only the bypass LED and the background.
  sendLeftClick(e.window(), kUltraSwitch.x + 45, kUltraSwitch.y + 8);
  {
    Screenshot s = e.shoot();
    auto bare = images.compose({{kBypassLed, 2}});
    EXPECT_TRUE(sameRect(s, *bare, images, kBypassLed));
    EXPECT_TRUE(sameRect(s, *bare, images, kMeter));
  }
}

namespace {

LPARAM clientPoint(int x, int y)
{
  return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// Presses the Tone knob's middle and drags it 20 pixels up, holding the button.
void startToneDrag(HWND window)
{
  const int x0 = kToneKnob.x + 50, y0 = kToneKnob.y + 50;
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(x0, y0));
  SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, clientPoint(x0, y0 - 20));
  EXPECT_EQ(GetCapture(), window);
}

} // namespace

TEST(Vst3Editor, AMiddleClickEndsItsEditAndGivesTheMouseBack)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  Editor e(*module);
  ASSERT_TRUE(e.view && e.window());
  // A knob's press only begins and ends; a switch steps as for a left click.
  struct Case { const Placed& where; int param; size_t edits; };
  for (Case k : {Case {kToneKnob, ZentikQX40::kTone, 2}, Case {kUltraSwitch, ZentikQX40::kUltra, 3}})
  {
    SCOPED_TRACE(k.where.what);
    e.x.handler.edits.clear();
    const LPARAM at = clientPoint(k.where.x + 10, k.where.y + 8);
    SendMessageA(e.window(), WM_MBUTTONDOWN, MK_MBUTTON, at);
    EXPECT_EQ(GetCapture(), e.window());
    SendMessageA(e.window(), WM_MBUTTONUP, 0, at);
    EXPECT_NE(GetCapture(), e.window());
    const auto& edits = e.x.handler.edits;
    ASSERT_EQ(edits.size(), k.edits);
    EXPECT_EQ(edits.front().kind, EditRecord::kBegin);
    EXPECT_EQ(edits.back().kind, EditRecord::kEnd);
    EXPECT_TRUE(balancedOn(edits, static_cast<ParamID>(k.param)));
  }
  EXPECT_EQ(e.x.plug->controller->getParamNormalized(ZentikQX40::kUltra), 1.0);
}

TEST(Vst3Editor, ALostMouseEndsTheDragAndLetsTheKnobGo)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  // Another window of the host takes the mouse, or the host releases it.
  struct Case { const char* what; bool toFrame; };
  for (Case k : {Case {"taken by the host's window", true}, Case {"released by the host", false}})
  {
    SCOPED_TRACE(k.what);
    Editor e(*module);
    ASSERT_TRUE(e.view && e.window());
    e.x.handler.edits.clear();
    const int x0 = kToneKnob.x + 50, y0 = kToneKnob.y + 50;
    startToneDrag(e.window());
    if (k.toFrame)
      SetCapture(e.frame.hwnd());
    else
      ReleaseCapture();
    ReleaseCapture();

    const auto& edits = e.x.handler.edits;
    ASSERT_GE(edits.size(), 3u);
    EXPECT_EQ(edits.back().kind, EditRecord::kEnd);
    EXPECT_TRUE(balancedOn(edits, static_cast<ParamID>(ZentikQX40::kTone)));
    // The button's release, should it still come here, ends nothing more.
    const size_t ended = edits.size();
    SendMessageA(e.window(), WM_LBUTTONUP, 0, clientPoint(x0, y0 - 20));
    EXPECT_EQ(edits.size(), ended);

    // The wheel over Level turns Level, not the knob dragged before.
    e.x.handler.edits.clear();
    RECT wr;
    ASSERT_TRUE(GetWindowRect(e.window(), &wr));
    SendMessageA(e.window(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA),
                 MAKELPARAM(wr.left + kLevelKnob.x + 40, wr.top + kLevelKnob.y + 40));
    ASSERT_FALSE(edits.empty());
    for (const EditRecord& edit : edits)
      EXPECT_EQ(edit.id, static_cast<ParamID>(ZentikQX40::kLevel));
  }
}

// The host terminates the component while its view is still attached, in the
// middle of a drag on Tone, after clearing its handler or not: the edit ends
// once, while the host's handler still takes it, and nothing faults.
TEST(Vst3Editor, TerminatedDuringADragTheEditEndsOnce)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  struct Case { const char* what; bool clearHandler; };
  for (Case k : {Case {"handler cleared, then terminate", true}, Case {"terminate alone", false}})
  {
    SCOPED_TRACE(k.what);
    Editor e(*module);
    ASSERT_TRUE(e.view && e.window());
    HWND window = e.window();
    e.x.handler.edits.clear();
    startToneDrag(window);

    FaultWatch faults;
    ASSERT_TRUE(faults.Watching());
    EXPECT_EQ(e.x.plug->stop(), kResultOk);
    if (k.clearHandler)
      EXPECT_EQ(e.x.plug->terminate(), kResultOk);
    else
      EXPECT_EQ(e.x.plug->component->terminate(), kResultOk);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_NE(GetCapture(), window);
    EXPECT_TRUE(balancedOn(e.x.handler.edits, static_cast<ParamID>(ZentikQX40::kTone)));
    EXPECT_EQ(notices(e.x.handler.edits).size(), 2u);
    // The host removes and releases the view afterwards.
    EXPECT_EQ(e.view->removed(), kResultOk);
    e.view->release();
    e.view = nullptr;
    EXPECT_EQ(faults.Faults(), 0);
  }
}
