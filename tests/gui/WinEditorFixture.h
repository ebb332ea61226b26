#pragma once

// A small plug-in with a real editor window under Wine: a top-level parent
// window made by the test (the host's frame), an IGraphicsWin with the
// plug-in's own images opened inside it, and helpers that deliver messages
// the way Windows would.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "drawing/LICE_SysBitmap.h"
#include "framework/IPlugBase.h"
#include "gui/IControl.h"
#include "gui/IGraphicsWin.h"
#include "gui/IPopupMenu.h"
#include "tests/support/EditBalance.h"

// Calls `step` every 20 ms from inside whatever modal loop this thread runs,
// until it returns true. After `giveUp` calls it ends menus and dialogs
// itself, so a broken driver fails the test instead of hanging it.
class ModalDriver
{
public:
  explicit ModalDriver(std::function<bool()> step, int giveUp = 250)
  {
    sStep = std::move(step);
    sCalls = 0;
    sGiveUp = giveUp;
    sGaveUp = false;
    mId = SetTimer(nullptr, 0, 20, Proc);
  }
  ~ModalDriver()
  {
    KillTimer(nullptr, mId);
    sStep = nullptr;
  }
  static bool GaveUp() { return sGaveUp; }

private:
  static void CALLBACK Proc(HWND, UINT, UINT_PTR, DWORD)
  {
    if (!sStep)
      return;
    if (++sCalls > sGiveUp)
    {
      sGaveUp = true;
      sStep = nullptr;
      EndMenu();
      if (HWND dlg = FindThreadWindow("#32770"))
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    std::function<bool()> step = sStep;
    if (step())
      sStep = nullptr;
  }

public:
  // A visible top-level window of this thread with the class name.
  static HWND FindThreadWindow(const char* className)
  {
    Search search = {className, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

private:
  struct Search
  {
    const char* name;
    HWND found;
  };
  static BOOL CALLBACK Match(HWND wnd, LPARAM data)
  {
    Search* s = reinterpret_cast<Search*>(data);
    char name[64];
    if (IsWindowVisible(wnd) && GetClassNameA(wnd, name, sizeof(name)) && std::strcmp(name, s->name) == 0)
    {
      s->found = wnd;
      return FALSE;
    }
    return TRUE;
  }

private:
  UINT_PTR mId = 0;
  static inline std::function<bool()> sStep;
  static inline int sCalls = 0;
  static inline int sGiveUp = 0;
  static inline bool sGaveUp = false;
};

// Records the host notifications a format adapter would pass on.
class WinTestPlug : public IPlugBase
{
public:
  enum { kGain = 0, kSwitch = 1, kAmount = 2, kNParams = 3 };

  explicit WinTestPlug(ApiKind api = kApiVST2)
    : IPlugBase(kNParams, "1-1 2-2", 1, "WinTest", "", "Zentik", 0x00010101, 0x51583430, 0x5A6E746B, 0,
                false, false, false, api)
  {
    GetParam(kGain)->InitDouble("Gain", 0.0, -10.0, 10.0, 0.01);
    GetParam(kSwitch)->InitBool("Switch", false);
    GetParam(kAmount)->InitDouble("Amount", 0.5, 0.0, 1.0, 0.001);
  }

  struct Note
  {
    char kind;  // 'b' begin, 'i' inform, 'e' end
    int idx;
    double value;
  };
  std::vector<Note> notes;
  std::vector<int> hostMenus;  // parameters the host was asked to show its menu for

  void BeginInformHostOfParamChange(int idx) override { notes.push_back({'b', idx, 0.0}); }
  void InformHostOfParamChange(int idx, double v) override { notes.push_back({'i', idx, v}); }
  void EndInformHostOfParamChange(int idx) override { notes.push_back({'e', idx, 0.0}); }
  void InformHostOfDisplayChange() override {}
  int GetSamplePosition() override { return 0; }
  double GetTempo() override { return 120.0; }
  void GetTimeSignature(int& n, int& d) override { n = d = 4; }
  void GetTransportInfo(TransportInfo&) override {}
  void ResizeGui(int, int) override {}
  bool SendMidiOut(const MidiMessage&) override { return false; }
  bool PopupHostParamMenu(int idx, int, int) override
  {
    hostMenus.push_back(idx);
    return true;
  }

  // The begin and end notices, in call order.
  std::vector<EditNotice> Edits() const
  {
    std::vector<EditNotice> edits;
    for (const Note& note : notes)
      if (note.kind != 'i')
        edits.push_back({note.kind, note.idx});
    return edits;
  }

  int Count(char kind, int idx) const
  {
    int n = 0;
    for (const Note& note : notes)
      n += note.kind == kind && note.idx == idx;
    return n;
  }
};

// The editor window with what the tests watch and steer: the rectangles it
// copies to the screen, and a popup description whose menu cannot be made.
class WinTestGraphics : public IGraphicsWin
{
public:
  using IGraphicsWin::IGraphicsWin;

  bool DrawScreen(const IRectangle& rect) override
  {
    screenDraws.push_back(rect);
    return IGraphicsWin::DrawScreen(rect);
  }

  std::vector<IRectangle> screenDraws;
  const PopupMenuDesc* noMenuFor = nullptr;

protected:
  HMENU NewPopupMenu(const PopupMenuDesc& desc) override
  {
    return &desc == noMenuFor ? nullptr : IGraphicsWin::NewPopupMenu(desc);
  }
};

// Where the fixture's controls sit in the 410 x 460 editor.
namespace layout {
const int kKnobX = 15, kKnobY = 19;         // knob.png, 100 x 100 frames: Amount
const int kSwitchX = 314, kSwitchY = 64;    // onoff.png, 90 x 16 frames: Switch
const int kGainX = 342, kGainY = 270;       // line-knob.png, 32 x 32 frames: Gain
}

class WinEditorTest : public ::testing::Test
{
public:
  static constexpr int kW = 410, kH = 460;

protected:
  void SetUp() override { Open(kApiVST2); }
  void TearDown() override { Close(); }

  void Open(ApiKind api)
  {
    plug = new WinTestPlug(api);
    gfx = new WinTestGraphics(plug, kW, kH, 0);
    gfx->SetHInstance(GetModuleHandleA(nullptr));
    gfx->AttachBackground(100, "resources/img/bkg.png");
    IBitmapStrip knob = gfx->LoadBitmapStrip(101, "resources/img/knob.png", 100);
    IBitmapStrip onoff = gfx->LoadBitmapStrip(103, "resources/img/onoff.png", 2);
    IBitmapStrip line = gfx->LoadBitmapStrip(107, "resources/img/line-knob.png", 100);
    knobIdx = gfx->AttachControl(
        new IKnobMultiControl(plug, layout::kKnobX, layout::kKnobY, WinTestPlug::kAmount, knob));
    IControl* sw = new ISwitchControl(plug, layout::kSwitchX, layout::kSwitchY, WinTestPlug::kSwitch, onoff);
    sw->DisablePrompt(false);
    switchIdx = gfx->AttachControl(sw);
    IControl* gain = new IKnobMultiControl(plug, layout::kGainX, layout::kGainY, WinTestPlug::kGain, line);
    gain->DisablePrompt(false);
    gainIdx = gfx->AttachControl(gain);
    plug->AttachGraphics(gfx);

    parent = SharedParent();
    ASSERT_NE(parent, nullptr);
    child = static_cast<HWND>(gfx->OpenWindow(parent));
    ASSERT_NE(child, nullptr);
    Pump();
  }

  void Close()
  {
    // Whatever the test did, the edits it began have ended once the window
    // has gone, and the mouse is free.
    if (gfx)
      gfx->CloseWindow();
    if (plug)
      EXPECT_TRUE(EditsBalance(plug->Edits()));
    if (child)
      EXPECT_NE(GetCapture(), child);
    delete plug;  // deletes the editor
    plug = nullptr;
    gfx = nullptr;
    if (parent && parent != SharedParent())
      DestroyWindow(parent);
    parent = nullptr;
    Pump();
  }

public:
  // One host window for the whole program: Wine takes about two seconds to
  // destroy a visible top-level window when no window manager runs.
  static HWND SharedParent()
  {
    static HWND shared = MakeParent();
    return shared;
  }

protected:

public:
  // A top-level window standing in for the host's editor frame.
  static HWND MakeParent()
  {
    static bool registered = false;
    if (!registered)
    {
      WNDCLASSA wc = {};
      wc.lpfnWndProc = DefWindowProcA;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "ZqTestHostFrame";
      wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
      RegisterClassA(&wc);
      registered = true;
    }
    HWND wnd = CreateWindowExA(0, "ZqTestHostFrame", "host", WS_POPUP | WS_VISIBLE, 20, 20, kW, kH, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!wnd)
      ADD_FAILURE() << "no host window: error " << GetLastError();
    return wnd;
  }

protected:
  // Dispatches everything queued (paints included).
  static void Pump()
  {
    MSG msg;
    for (int round = 0; round < 3; ++round)
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
  }

  LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(child, msg, w, l); }
  LRESULT Mouse(UINT msg, int x, int y, WPARAM keys = 0) { return Send(msg, keys, MAKELPARAM(x, y)); }
  // One redraw tick, and the paint it asks for.
  void Tick()
  {
    Send(WM_TIMER, IGraphicsWin::kTimerId);
    Pump();
  }

  IControl* Control(int idx) { return gfx->GetControl(idx); }

  // Pixels where the window shows something other than the draw bitmap, read
  // back through the window's DC; -1 when it cannot be read.
  int ScreenMismatches()
  {
    LICE_SysBitmap* draw = gfx->GetDrawBitmap();
    HDC wdc = GetDC(child);
    if (!draw || !wdc)
      return -1;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = kW;
    bi.bmiHeader.biHeight = -kH;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC mdc = CreateCompatibleDC(wdc);
    HBITMAP shot = CreateDIBSection(mdc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mdc, shot);
    BitBlt(mdc, 0, 0, kW, kH, wdc, 0, 0, SRCCOPY);
    GdiFlush();
    int mismatches = 0;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
      {
        const uint32_t a = static_cast<const uint32_t*>(bits)[y * kW + x] & 0xFFFFFF;
        const uint32_t b = draw->GetBits()[y * draw->GetRowSpan() + x] & 0xFFFFFF;
        mismatches += a != b;
      }
    SelectObject(mdc, old);
    DeleteObject(shot);
    DeleteDC(mdc);
    ReleaseDC(child, wdc);
    return mismatches;
  }

  WinTestPlug* plug = nullptr;
  WinTestGraphics* gfx = nullptr;
  HWND parent = nullptr;
  HWND child = nullptr;
  int knobIdx = -1, switchIdx = -1, gainIdx = -1;
};
