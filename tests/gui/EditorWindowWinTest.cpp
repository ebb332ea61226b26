// The editor window under Wine: class registration, mouse, wheel, keys, the
// redraw tick, painting, resizing and closing, driven with real messages.

#include "tests/gui/WinEditorFixture.h"

#include <cstring>

#include "drawing/LICE_SysBitmap.h"
#include "framework/ModuleHandle.h"

#include <commctrl.h>

namespace {

bool ClassRegistered()
{
  WNDCLASSA wc;
  return GetClassInfoA(GetModuleHandleA(nullptr), "IPlugWndClass", &wc) != FALSE;
}

// A control over the whole editor that takes every key, and the key catcher
// beside it, both writing into one record: wherever the pointer is, the key
// lands in the record.
class KeyRecorder : public IControl
{
public:
  KeyRecorder(IPlugBase* plug, const IRectangle& r, std::vector<int>* keys, bool handles)
    : IControl(plug, r), mKeys(keys), mHandles(handles) {}
  bool Draw(IGraphics*) override { return true; }
  bool OnKeyDown(int, int, int key) override
  {
    mKeys->push_back(key);
    return mHandles;
  }
  std::vector<int>* mKeys;
  bool mHandles;
};

// The host frame's procedure for the key tests: counts keys and, like hosts
// that route keys to the focused plug-in window, sends them straight back.
int sParentKeys = 0;
HWND sEchoTo = nullptr;
LRESULT CALLBACK EchoingFrameProc(HWND wnd, UINT msg, WPARAM w, LPARAM l)
{
  if (msg == WM_KEYDOWN)
  {
    ++sParentKeys;
    if (sEchoTo && sParentKeys < 50)
      SendMessageA(sEchoTo, msg, w, l);
    return 0;
  }
  return DefWindowProcA(wnd, msg, w, l);
}

} // namespace

TEST_F(WinEditorTest, OpensAChildOfTheHostWindowWithTheEditorSize)
{
  EXPECT_TRUE(ClassRegistered());
  EXPECT_EQ(gfx->GetWindow(), child);
  EXPECT_TRUE(gfx->WindowIsOpen());
  EXPECT_EQ(GetParent(child), parent);
  EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_CHILD);
  RECT r;
  GetClientRect(child, &r);
  EXPECT_EQ(r.right, kW);
  EXPECT_EQ(r.bottom, kH);
  char text[16];
  GetWindowTextA(child, text, sizeof(text));
  EXPECT_STREQ(text, "IPlug");
  EXPECT_STREQ(gfx->GetDrawingAPIName(), "Windows GDI");
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
}

TEST_F(WinEditorTest, TheClassLivesWhileAnyEditorWindowDoes)
{
  WinTestPlug plug2;
  IGraphicsWin* gfx2 = new IGraphicsWin(&plug2, 100, 100, 30);
  gfx2->SetHInstance(GetModuleHandleA(nullptr));
  plug2.AttachGraphics(gfx2);
  HWND parent2 = CreateWindowExA(0, "ZqTestHostFrame", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, parent,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(gfx2->OpenWindow(parent2), nullptr);
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 2);

  gfx->CloseWindow();
  EXPECT_FALSE(gfx->WindowIsOpen());
  EXPECT_FALSE(IsWindow(child));
  EXPECT_TRUE(ClassRegistered());
  gfx2->CloseWindow();
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
  EXPECT_FALSE(ClassRegistered());
  DestroyWindow(parent2);
}

TEST_F(WinEditorTest, WmCloseClosesAndTheEditorOpensAgain)
{
  Send(WM_CLOSE);
  EXPECT_FALSE(gfx->WindowIsOpen());
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
  child = static_cast<HWND>(gfx->OpenWindow(parent));
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
}

TEST_F(WinEditorTest, ReopeningMovesTheEditorIntoTheNewParentAtItsOldPlace)
{
  SetWindowPos(child, nullptr, 7, 9, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  HWND parent2 = CreateWindowExA(0, "ZqTestHostFrame", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 30, 20, 500,
                                 500, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  RECT oldRect, newParentRect;
  GetWindowRect(child, &oldRect);
  GetWindowRect(parent2, &newParentRect);
  HWND again = static_cast<HWND>(gfx->OpenWindow(parent2));
  ASSERT_NE(again, nullptr);
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(GetParent(again), parent2);
  // The old place, measured from the new parent's outer top-left, is the
  // new window's place in the parent.
  RECT wr;
  GetWindowRect(again, &wr);
  POINT p = {wr.left, wr.top};
  ScreenToClient(parent2, &p);
  EXPECT_EQ(p.x, oldRect.left - newParentRect.left);
  EXPECT_EQ(p.y, oldRect.top - newParentRect.top);
  EXPECT_EQ(wr.right - wr.left, kW);
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
  gfx->CloseWindow();
  DestroyWindow(parent2);
}

TEST_F(WinEditorTest, AParentDestroyedFirstLeavesNoStaleWindow)
{
  gfx->CloseWindow();
  parent = MakeParent();
  ASSERT_NE(gfx->OpenWindow(parent), nullptr);
  DestroyWindow(parent);
  parent = nullptr;
  EXPECT_FALSE(gfx->WindowIsOpen());
  EXPECT_EQ(gfx->GetWindow(), nullptr);
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
  gfx->CloseWindow();  // nothing left to close
  parent = SharedParent();
  child = static_cast<HWND>(gfx->OpenWindow(parent));
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
}

TEST_F(WinEditorTest, DraggingAKnobSetsTheParameterAndTellsTheHost)
{
  const int x = layout::kKnobX + 50, y = layout::kKnobY + 50;
  Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  EXPECT_EQ(GetCapture(), child);
  EXPECT_EQ(gfx->GetMouseCapture(), knobIdx);
  Mouse(WM_MOUSEMOVE, x, y - 40, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, x, y - 40, MK_LBUTTON);  // same place: no drag
  Mouse(WM_MOUSEMOVE, x, y - 100, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, x, y - 100, 0);
  EXPECT_NE(GetCapture(), child);

  // 100 pixels up on a 100-pixel knob at gearing 4 adds 0.25.
  EXPECT_NEAR(plug->GetParam(WinTestPlug::kAmount)->Value(), 0.75, 1e-9);
  EXPECT_NEAR(Control(knobIdx)->GetValue(), 0.75, 1e-9);
  ASSERT_GE(plug->notes.size(), 4u);
  EXPECT_EQ(plug->notes.front().kind, 'b');
  EXPECT_EQ(plug->notes.back().kind, 'e');
  EXPECT_EQ(plug->Count('b', WinTestPlug::kAmount), 1);
  EXPECT_EQ(plug->Count('i', WinTestPlug::kAmount), 2);
  EXPECT_EQ(plug->Count('e', WinTestPlug::kAmount), 1);
  EXPECT_NEAR(plug->notes[plug->notes.size() - 2].value, 0.75, 1e-9);
}

TEST_F(WinEditorTest, ShiftDragIsFinerAndMovesWithoutCaptureDoNothing)
{
  const int x = layout::kKnobX + 50, y = layout::kKnobY + 50;
  Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, x, y - 100, MK_LBUTTON | MK_SHIFT);
  EXPECT_NEAR(Control(knobIdx)->GetValue(), 0.525, 1e-9);
  ReleaseCapture();
  Mouse(WM_MOUSEMOVE, x, y - 200, MK_LBUTTON);
  EXPECT_NEAR(Control(knobIdx)->GetValue(), 0.525, 1e-9);
  Mouse(WM_LBUTTONUP, x, y - 200, 0);
}

TEST_F(WinEditorTest, DoubleClickResetsToTheDefaultWithoutCapture)
{
  const int x = layout::kKnobX + 50, y = layout::kKnobY + 50;
  Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, x, y - 100, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, x, y - 100, 0);
  ASSERT_NEAR(Control(knobIdx)->GetValue(), 0.75, 1e-9);
  Mouse(WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
  EXPECT_NEAR(Control(knobIdx)->GetValue(), 0.5, 1e-9);
  EXPECT_NEAR(plug->GetParam(WinTestPlug::kAmount)->Value(), 0.5, 1e-9);
  EXPECT_NE(GetCapture(), child);
  Mouse(WM_LBUTTONUP, x, y, 0);
}

TEST_F(WinEditorTest, ClicksStepASwitch)
{
  const int x = layout::kSwitchX + 10, y = layout::kSwitchY + 5;
  Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, x, y, 0);
  EXPECT_EQ(plug->GetParam(WinTestPlug::kSwitch)->Value(), 1.0);
  // A switch's double-click is another click.
  Mouse(WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, x, y, 0);
  EXPECT_EQ(plug->GetParam(WinTestPlug::kSwitch)->Value(), 0.0);
}

TEST_F(WinEditorTest, AWheelNotchAtScreenCoordinatesTurnsTheKnobUnderIt)
{
  RECT wr;
  GetWindowRect(child, &wr);
  const LPARAM at = MAKELPARAM(wr.left + layout::kKnobX + 50, wr.top + layout::kKnobY + 50);
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), at);
  EXPECT_NEAR(Control(knobIdx)->GetValue(), 0.51, 1e-9);
  Send(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WORD(-2 * WHEEL_DELTA)), at);
  EXPECT_NEAR(Control(knobIdx)->GetValue(), 0.508, 1e-9);
  // Less than a notch is no notch.
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 60), at);
  EXPECT_NEAR(Control(knobIdx)->GetValue(), 0.508, 1e-9);
}

TEST_F(WinEditorTest, VirtualKeysMapToControlCodes)
{
  std::vector<int> keys;
  gfx->AttachControl(new KeyRecorder(plug, IRectangle(0, 0, kW, kH), &keys, true));
  gfx->AttachKeyCatcher(new KeyRecorder(plug, IRectangle(), &keys, true));
  const struct { WPARAM vk; int code; } cases[] = {
    {VK_SPACE, 0}, {VK_UP, 1}, {VK_DOWN, 2}, {VK_LEFT, 3}, {VK_RIGHT, 4},
    {'0', 5}, {'9', 14}, {'A', 15}, {'Z', 40}, {0x61, 15}, {0x7A, 40},
  };
  for (const auto& c : cases)
  {
    keys.clear();
    EXPECT_EQ(Send(WM_KEYDOWN, c.vk, 1), 0);
    ASSERT_EQ(keys.size(), 1u) << "vk " << c.vk;
    EXPECT_EQ(keys[0], c.code) << "vk " << c.vk;
  }
  keys.clear();
  Send(WM_KEYDOWN, VK_F12, 1);
  EXPECT_TRUE(keys.empty());
}

TEST_F(WinEditorTest, UnhandledKeysGoToTheRootOnceEvenWhenItSendsThemBack)
{
  std::vector<int> keys;
  gfx->AttachControl(new KeyRecorder(plug, IRectangle(0, 0, kW, kH), &keys, false));
  gfx->AttachKeyCatcher(new KeyRecorder(plug, IRectangle(), &keys, false));
  SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EchoingFrameProc));
  sParentKeys = 0;
  sEchoTo = child;
  Send(WM_KEYDOWN, 'A', 1);   // offered to the controls, then to the root
  Send(WM_KEYDOWN, VK_F12, 1);  // unmapped: straight to the root
  sEchoTo = nullptr;
  EXPECT_EQ(sParentKeys, 2);
  EXPECT_EQ(keys.size(), 1u);
  SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
}

TEST_F(WinEditorTest, TheTickRedrawsDirtyControlsIntoTheWindow)
{
  Tick();
  RECT pending;
  EXPECT_FALSE(GetUpdateRect(child, &pending, FALSE));
  // A value from the plug-in dirties the knob; the tick paints it.
  gfx->SetParameterFromPlug(WinTestPlug::kAmount, 1.0, true);
  EXPECT_TRUE(Control(knobIdx)->IsDirty());
  Tick();
  EXPECT_FALSE(GetUpdateRect(child, &pending, FALSE));
  Tick();  // the redraw-pending cycle
  EXPECT_FALSE(Control(knobIdx)->IsDirty());

  // The window shows the draw bitmap.
  EXPECT_EQ(ScreenMismatches(), 0);
}

TEST_F(WinEditorTest, APaintWithNothingToDrawDoesNotStayPending)
{
  // No controls; and controls but no draw bitmap (never attached, so no DC).
  for (int withControl = 0; withControl < 2; ++withControl)
  {
    WinTestPlug plug2;
    IGraphicsWin* editor = new IGraphicsWin(&plug2, 50, 50, 0);
    if (withControl)
      editor->AttachControl(new IInvisibleSwitchControl(&plug2, IRectangle(0, 0, 50, 50), 0));
    else
      plug2.AttachGraphics(editor);
    HWND wnd = static_cast<HWND>(editor->OpenWindow(parent));
    ASSERT_NE(wnd, nullptr);
    InvalidateRect(wnd, nullptr, FALSE);
    SendMessageA(wnd, WM_PAINT, 0, 0);
    RECT pending;
    EXPECT_FALSE(GetUpdateRect(wnd, &pending, FALSE)) << withControl;
    editor->CloseWindow();
    if (withControl)
      delete editor;
  }
}

TEST_F(WinEditorTest, ResizeGrowsTheWindowItsParentAndGrandparentOutsideVst3)
{
  // A child frame between the host window and the editor, as VST2 hosts have.
  gfx->CloseWindow();
  HWND frame = CreateWindowExA(0, "ZqTestHostFrame", "", WS_CHILD | WS_VISIBLE, 0, 0, kW, kH, parent, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  child = static_cast<HWND>(gfx->OpenWindow(frame));
  ASSERT_NE(child, nullptr);
  RECT before, frameBefore, parentBefore;
  GetWindowRect(child, &before);
  GetWindowRect(frame, &frameBefore);
  GetWindowRect(parent, &parentBefore);
  gfx->Resize(kW + 10, kH + 20);
  EXPECT_EQ(gfx->Width(), kW + 10);
  RECT after, frameAfter, parentAfter;
  GetWindowRect(child, &after);
  GetWindowRect(frame, &frameAfter);
  GetWindowRect(parent, &parentAfter);
  EXPECT_EQ(after.right - after.left, before.right - before.left + 10);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + 20);
  EXPECT_EQ(frameAfter.right - frameAfter.left, frameBefore.right - frameBefore.left + 10);
  // The frame is a child window, so its parent (the host window) grows too.
  EXPECT_EQ(parentAfter.right - parentAfter.left, parentBefore.right - parentBefore.left + 10);
  EXPECT_EQ(parentAfter.bottom - parentAfter.top, parentBefore.bottom - parentBefore.top + 20);
  gfx->CloseWindow();
  DestroyWindow(frame);
}

TEST(WinEditorVst3, ResizeLeavesTheHostFramesToTheHostInVst3)
{
  WinTestPlug plug(kApiVST3);
  IGraphicsWin* gfx = new IGraphicsWin(&plug, 100, 100, 0);
  plug.AttachGraphics(gfx);
  HWND top = WinEditorTest::SharedParent();
  HWND frame = CreateWindowExA(0, "ZqTestHostFrame", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  HWND wnd = static_cast<HWND>(gfx->OpenWindow(frame));
  ASSERT_NE(wnd, nullptr);
  gfx->Resize(110, 120);
  RECT w, f;
  GetWindowRect(wnd, &w);
  GetWindowRect(frame, &f);
  EXPECT_EQ(w.right - w.left, 110);
  EXPECT_EQ(w.bottom - w.top, 120);
  EXPECT_EQ(f.right - f.left, 100);
  gfx->CloseWindow();
  DestroyWindow(frame);
}

TEST(WinEditorResources, PngNamesLoadFromTheModuleTheFrameworkRecorded)
{
  SetPlugModuleInstance(GetModuleHandleA(nullptr));
  WinTestPlug plug;
  IGraphicsWin gfx(&plug, 10, 10, 0);
  EXPECT_EQ(gfx.GetHInstance(), GetModuleHandleA(nullptr));
  const struct { const char* name; bool loads; } cases[] = {
    {"resources/img/knob.png", true}, {"KNOB.PNG", true}, {"xpng", true},
    {"knob.jpg", false}, {"png", false}, {"", false}, {"a.png.bak", false},
  };
  for (const auto& c : cases)
  {
    LICE_IBitmap* bm = gfx.LoadPNGResource(101, c.name);
    EXPECT_EQ(bm != nullptr, c.loads) << c.name;
    if (bm)
    {
      EXPECT_EQ(bm->GetWidth(), 100);
      EXPECT_EQ(bm->GetHeight(), 10000);
    }
    delete bm;
  }
  EXPECT_EQ(gfx.LoadPNGResource(999, "missing.png"), nullptr);
  SetPlugModuleInstance(nullptr);
}

namespace {

// An editor with the mouse-over tracking and tooltips the plug-in leaves off.
class TooltipGraphics : public IGraphicsWin
{
public:
  TooltipGraphics(IPlugBase* plug, int w, int h) : IGraphicsWin(plug, w, h, 0)
  {
    mEnableTooltips = true;
    mHandleMouseOver = true;
  }
};

HWND FindTooltipOf(HWND owner)
{
  struct Search { HWND owner; HWND found; } search = {owner, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), [](HWND wnd, LPARAM data) -> BOOL CALLBACK {
    Search* s = reinterpret_cast<Search*>(data);
    char name[64];
    if (GetClassNameA(wnd, name, sizeof(name)) && _stricmp(name, TOOLTIPS_CLASSA) == 0 &&
        GetWindow(wnd, GW_OWNER) == GetAncestor(s->owner, GA_ROOT))
    {
      s->found = wnd;
      return FALSE;
    }
    return TRUE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string ToolText(HWND tooltip, HWND tool)
{
  char text[80] = "";
  TOOLINFOA ti = {};
  ti.cbSize = TTTOOLINFOA_V2_SIZE;
  ti.hwnd = tool;
  ti.uId = reinterpret_cast<UINT_PTR>(tool);
  ti.lpszText = text;
  SendMessageA(tooltip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&ti));
  return text;
}

} // namespace

TEST(WinEditorTooltips, TheHoveredControlsTooltipIsShownAndHidden)
{
  WinTestPlug plug;
  TooltipGraphics* gfx = new TooltipGraphics(&plug, 100, 100);
  IControl* c = new IInvisibleSwitchControl(&plug, IRectangle(10, 10, 50, 50), 0);
  c->SetTooltip("Turns it on");
  gfx->AttachControl(c);
  plug.AttachGraphics(gfx);
  HWND wnd = static_cast<HWND>(gfx->OpenWindow(WinEditorTest::SharedParent()));
  ASSERT_NE(wnd, nullptr);
  HWND tooltip = FindTooltipOf(wnd);
  ASSERT_TRUE(gfx->TooltipsEnabled());
  ASSERT_NE(tooltip, nullptr);
  EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);

  SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
  EXPECT_EQ(gfx->GetMouseOver(), 0);
  SendMessageA(wnd, WM_MOUSEHOVER, 0, MAKELPARAM(20, 20));
  EXPECT_EQ(ToolText(tooltip, wnd), "Turns it on");
  SendMessageA(wnd, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(ToolText(tooltip, wnd), "");
  EXPECT_EQ(gfx->GetMouseOver(), -1);

  gfx->CloseWindow();
  EXPECT_FALSE(IsWindow(tooltip));
}

namespace {

// Mouse and window sequences on the editor, each with the begin (b) and end
// (e) notices it must send; every one keeps the edit rule and leaves no
// capture behind.
class EditorEditsTest : public WinEditorTest
{
protected:
  struct Sequence
  {
    const char* what;
    ApiKind api;
    std::function<void()> run;
    std::vector<EditNotice> edits;
  };

  static constexpr int kAmountX = layout::kKnobX + 50, kAmountY = layout::kKnobY + 50;
  static constexpr int kSwitchAtX = layout::kSwitchX + 10, kSwitchAtY = layout::kSwitchY + 5;
  static constexpr int kGainAtX = layout::kGainX + 16, kGainAtY = layout::kGainY + 16;
  static constexpr int kEmptyX = 200, kEmptyY = 200;

  void StartAmountDrag()
  {
    Mouse(WM_LBUTTONDOWN, kAmountX, kAmountY, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, kAmountX, kAmountY - 20, MK_LBUTTON);
  }

  void Check(const Sequence& s)
  {
    SCOPED_TRACE(s.what);
    Close();
    Open(s.api);
    s.run();
    Pump();
    std::string want, got;
    for (const EditNotice& n : s.edits)
      want += std::string(1, n.kind) + std::to_string(n.param) + " ";
    for (const EditNotice& n : plug->Edits())
      got += std::string(1, n.kind) + std::to_string(n.param) + " ";
    EXPECT_EQ(got, want);
    EXPECT_TRUE(EditsBalance(plug->Edits()));
    EXPECT_NE(GetCapture(), child);
    EXPECT_EQ(gfx->GetMouseCapture(), -1);
    EXPECT_EQ(gfx->GetMouseEditParam(), -1);
  }
};

} // namespace

TEST_F(EditorEditsTest, EveryEditTheMouseBeginsEndsExactlyOnce)
{
  const int A = WinTestPlug::kAmount, S = WinTestPlug::kSwitch, G = WinTestPlug::kGain;
  // The menu's own loop takes the button's release, as with a real mouse.
  const auto menuTakesTheRelease = [this] {
    ModalDriver driver([this] {
      HWND menu = ModalDriver::FindThreadWindow("#32768");
      if (!menu)
        return false;
      PostMessageA(child, WM_RBUTTONUP, 0, MAKELPARAM(kSwitchAtX, kSwitchAtY));
      for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})
        PostMessageA(menu, WM_KEYDOWN, key, 0);
      return true;
    });
    Mouse(WM_RBUTTONDOWN, kSwitchAtX, kSwitchAtY, MK_RBUTTON);
    EXPECT_FALSE(ModalDriver::GaveUp());
    EXPECT_EQ(plug->GetParam(WinTestPlug::kSwitch)->Value(), 1.0);
    // The chosen value lies inside the edit.
    ASSERT_FALSE(plug->notes.empty());
    EXPECT_EQ(plug->notes.back().kind, 'e');
  };
  const std::vector<Sequence> sequences = {
    {"a drag", kApiVST2, [this] {
       StartAmountDrag();
       Mouse(WM_LBUTTONUP, kAmountX, kAmountY - 20, 0);
     }, {{'b', A}, {'e', A}}},
    {"the editor closed during a drag", kApiVST2, [this] {
       StartAmountDrag();
       gfx->CloseWindow();
     }, {{'b', A}, {'e', A}}},
    {"the window destroyed with its parent during a drag", kApiVST2, [this] {
       gfx->CloseWindow();
       HWND frame = CreateWindowExA(0, "ZqTestHostFrame", "", WS_CHILD | WS_VISIBLE, 0, 0, kW, kH, parent,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
       child = static_cast<HWND>(gfx->OpenWindow(frame));
       ASSERT_NE(child, nullptr);
       StartAmountDrag();
       DestroyWindow(frame);
       EXPECT_FALSE(gfx->WindowIsOpen());
     }, {{'b', A}, {'e', A}}},
    {"resized during a drag", kApiVST2, [this] {
       StartAmountDrag();
       gfx->Resize(kW + 10, kH);
       Mouse(WM_LBUTTONUP, kAmountX, kAmountY - 20, 0);
     }, {{'b', A}, {'e', A}}},
    {"the mouse taken by the host's window during a drag", kApiVST2, [this] {
       StartAmountDrag();
       SetCapture(parent);
       ReleaseCapture();
       Mouse(WM_LBUTTONUP, kAmountX, kAmountY - 20, 0);
     }, {{'b', A}, {'e', A}}},
    // The held button keeps its drag; the others are ignored, down and up.
    {"a middle click on another knob during a drag", kApiVST2, [this] {
       StartAmountDrag();
       Mouse(WM_MBUTTONDOWN, kGainAtX, kGainAtY, MK_LBUTTON | MK_MBUTTON);
       Mouse(WM_MBUTTONUP, kGainAtX, kGainAtY, MK_LBUTTON);
       Mouse(WM_MOUSEMOVE, kAmountX, kAmountY - 40, MK_LBUTTON);
       Mouse(WM_LBUTTONUP, kEmptyX, kEmptyY, 0);
       EXPECT_NEAR(plug->GetParam(WinTestPlug::kAmount)->Value(), 0.6, 1e-9);
     }, {{'b', A}, {'e', A}}},
    {"a right click on another knob during a drag", kApiVST2, [this] {
       StartAmountDrag();
       Mouse(WM_RBUTTONDOWN, kGainAtX, kGainAtY, MK_LBUTTON | MK_RBUTTON);
       Mouse(WM_RBUTTONUP, kGainAtX, kGainAtY, MK_LBUTTON);
       EXPECT_EQ(gfx->GetTextEntryWindow(), nullptr);
       Mouse(WM_LBUTTONUP, kEmptyX, kEmptyY, 0);
     }, {{'b', A}, {'e', A}}},
    // A press whose release never came here: the next press ends its edit.
    {"a second press after a release that went elsewhere", kApiVST2, [this] {
       StartAmountDrag();
       Mouse(WM_MBUTTONDOWN, kGainAtX, kGainAtY, MK_MBUTTON);
       Mouse(WM_MBUTTONUP, kGainAtX, kGainAtY, 0);
     }, {{'b', A}, {'e', A}, {'b', G}, {'e', G}}},
    {"the same button pressed again after its release went elsewhere", kApiVST2, [this] {
       StartAmountDrag();
       Mouse(WM_LBUTTONDOWN, kGainAtX, kGainAtY, MK_LBUTTON);
       Mouse(WM_LBUTTONUP, kGainAtX, kGainAtY, 0);
     }, {{'b', A}, {'e', A}, {'b', G}, {'e', G}}},
    {"a double click on a knob", kApiVST2, [this] {
       Mouse(WM_LBUTTONDOWN, kAmountX, kAmountY, MK_LBUTTON);
       Mouse(WM_LBUTTONUP, kAmountX, kAmountY, 0);
       Mouse(WM_LBUTTONDBLCLK, kAmountX, kAmountY, MK_LBUTTON);
       Mouse(WM_LBUTTONUP, kAmountX, kAmountY, 0);
     }, {{'b', A}, {'e', A}, {'b', A}, {'e', A}}},
    {"a double click on a switch", kApiVST2, [this] {
       Mouse(WM_LBUTTONDOWN, kSwitchAtX, kSwitchAtY, MK_LBUTTON);
       Mouse(WM_LBUTTONUP, kSwitchAtX, kSwitchAtY, 0);
       Mouse(WM_LBUTTONDBLCLK, kSwitchAtX, kSwitchAtY, MK_LBUTTON);
       Mouse(WM_LBUTTONUP, kSwitchAtX, kSwitchAtY, 0);
       EXPECT_EQ(plug->GetParam(WinTestPlug::kSwitch)->Value(), 0.0);
     }, {{'b', S}, {'e', S}, {'b', S}, {'e', S}}},
    {"a click that commits an idle text entry", kApiVST2, [this] {
       Mouse(WM_RBUTTONDOWN, kGainAtX, kGainAtY, MK_RBUTTON);
       Mouse(WM_RBUTTONUP, kGainAtX, kGainAtY, 0);
       ASSERT_NE(gfx->GetTextEntryWindow(), nullptr);
       Mouse(WM_LBUTTONDOWN, kAmountX, kAmountY, MK_LBUTTON);
       Mouse(WM_LBUTTONUP, kAmountX, kAmountY, 0);
       Tick();
       EXPECT_EQ(gfx->GetTextEntryWindow(), nullptr);
     }, {{'b', G}, {'e', G}}},
    {"a right click the host answers with its parameter menu", kApiVST3, [this] {
       Mouse(WM_RBUTTONDOWN, kGainAtX, kGainAtY, MK_RBUTTON);
       Mouse(WM_RBUTTONUP, kGainAtX, kGainAtY, 0);
       EXPECT_EQ(plug->hostMenus, std::vector<int>{G});
     }, {}},
    {"a right click on a switch whose menu takes the release", kApiVST2, menuTakesTheRelease, {{'b', S}, {'e', S}}},
    {"the same in the AAX build", kApiAAX, menuTakesTheRelease, {{'b', S}, {'e', S}}},
  };
  for (const Sequence& s : sequences)
    Check(s);
}
