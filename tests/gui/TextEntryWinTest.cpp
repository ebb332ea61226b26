// Text entry, popup menus and the system services under Wine. Modal loops
// (menus, message boxes, dialogs) are driven from a thread timer that runs
// inside them, as a user would: keys for menus, buttons for dialogs.

#include "tests/gui/WinEditorFixture.h"
#include "tests/support/GuiObjectWatchWin.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "framework/TextBuffer.h"
#include "gui/IPopupMenu.h"

namespace {

std::string WindowText(HWND wnd)
{
  char text[256] = "";
  GetWindowTextA(wnd, text, sizeof(text));
  return text;
}

// Picks a menu item with the keyboard once the menu is up: `keys` in order,
// and records the texts of the top menu's items.
std::function<bool()> MenuKeys(std::vector<WPARAM> keys, std::vector<std::string>* texts)
{
  return [keys, texts]() {
    HWND menuWnd = ModalDriver::FindThreadWindow("#32768");
    if (!menuWnd)
      return false;
    if (texts)
    {
      HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWnd, MN_GETHMENU, 0, 0));
      for (int i = 0; menu && i < GetMenuItemCount(menu); ++i)
      {
        char text[128] = "";
        GetMenuStringA(menu, UINT(i), text, sizeof(text), MF_BYPOSITION);
        texts->push_back(text);
      }
    }
    for (WPARAM k : keys)
      PostMessageA(menuWnd, WM_KEYDOWN, k, 0);
    return true;
  };
}

// Presses a dialog button once a dialog is up; `check` sees the dialog first.
std::function<bool()> DialogButton(int button, std::function<void(HWND)> check = nullptr)
{
  return [button, check]() {
    HWND dlg = ModalDriver::FindThreadWindow("#32770");
    if (!dlg)
      return false;
    if (check)
      check(dlg);
    PostMessageA(dlg, WM_COMMAND, WPARAM(button), 0);
    return true;
  };
}

class TextEntryTest : public WinEditorTest
{
protected:
  // Right-clicks a control: a text entry or popup menu for its parameter.
  void RightClick(int x, int y)
  {
    Mouse(WM_RBUTTONDOWN, x, y, MK_RBUTTON);
    Mouse(WM_RBUTTONUP, x, y, 0);
  }
  void OpenGainEntry() { RightClick(layout::kGainX + 16, layout::kGainY + 16); }
  HWND Entry() { return gfx->GetTextEntryWindow(); }
  void Type(const char* text)
  {
    for (const char* p = text; *p; ++p)
      SendMessageA(Entry(), WM_CHAR, WPARAM((unsigned char)*p), 1);
  }
  double Gain() { return plug->GetParam(WinTestPlug::kGain)->Value(); }

  // What reaches an open entry, the state it leaves, and what the next tick does.
  enum Outcome { kCommits, kEnds, kStaysOpen };
  struct EntryInput
  {
    const char* what;
    std::function<void()> send;
    int state;
    Outcome outcome;
  };
  // Each input on a new entry holding a typed "3"; focused: the focus left the
  // entry and came back before a tick.
  void RunEntryInputs(bool focused, const std::vector<EntryInput>& inputs)
  {
    for (const EntryInput& in : inputs)
    {
      SCOPED_TRACE(in.what);
      const double before = Gain();
      OpenGainEntry();
      ASSERT_NE(Entry(), nullptr);
      Type("3");
      if (focused)
      {
        SetFocus(child);
        SetFocus(Entry());
        ASSERT_EQ(gfx->GetTextEntryState(), IGraphicsWin::kEntryFocused);
      }
      in.send();
      EXPECT_EQ(gfx->GetTextEntryState(), in.state);
      EXPECT_EQ(GetCapture(), nullptr);
      Tick();
      if (in.outcome == kStaysOpen)
      {
        EXPECT_NE(Entry(), nullptr);
        gfx->CancelTextEntry();
        Tick();
      }
      EXPECT_EQ(Entry(), nullptr);
      EXPECT_EQ(gfx->GetTextEntryState(), IGraphicsWin::kEntryIdle);
      EXPECT_NEAR(Gain(), in.outcome == kCommits ? 3.0 : before, 1e-9);
      // The next input starts from 0 again.
      if (Gain() != 0.0)
      {
        Control(gainIdx)->SetValueFromUserInput(plug->GetParam(WinTestPlug::kGain)->ToNormalised(0.0));
        Tick();
      }
    }
  }
};

// Receives the text of a plain (parameterless) entry.
class TextRecorder : public IControl
{
public:
  TextRecorder(IPlugBase* plug, const IRectangle& r) : IControl(plug, r) {}
  bool Draw(IGraphics*) override { return true; }
  void SetTextFromUserInput(const char* text) override { mTexts.push_back(text); }
  std::vector<std::string> mTexts;
};

} // namespace

TEST_F(TextEntryTest, ARightClickOpensAnEntryOverTheControl)
{
  OpenGainEntry();
  HWND entry = Entry();
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(GetParent(entry), child);
  EXPECT_EQ(GetDlgCtrlID(entry), 99);
  char cls[16];
  GetClassNameA(entry, cls, sizeof(cls));
  EXPECT_EQ(_stricmp(cls, "Edit"), 0);
  EXPECT_EQ(gfx->GetEditedControl(), Control(gainIdx));
  // The value is shown, all selected, so typing replaces it.
  DWORD from = 1, to = 0;
  SendMessageA(entry, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, DWORD(WindowText(entry).size()));
  EXPECT_EQ(SendMessageA(entry, EM_GETLIMITTEXT, 0, 0), 7);
  // A second prompt while one is open is ignored.
  OpenGainEntry();
  EXPECT_EQ(Entry(), entry);
}

TEST_F(TextEntryTest, EnterCommitsTheTypedValueOnTheNextTick)
{
  OpenGainEntry();
  ASSERT_NE(Entry(), nullptr);
  HWND entry = Entry();
  plug->notes.clear();
  Type("-2e.5");  // 'e' is refused in a number
  EXPECT_EQ(WindowText(entry), "-2.5");
  SendMessageA(entry, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(gfx->GetTextEntryState(), IGraphicsWin::kEntryCommit);
  Tick();
  EXPECT_NEAR(Gain(), -2.5, 1e-9);
  EXPECT_EQ(plug->Count('i', WinTestPlug::kGain), 1);
  EXPECT_EQ(Entry(), nullptr);
  EXPECT_FALSE(IsWindow(entry));
  EXPECT_EQ(gfx->GetEditedControl(), nullptr);
  EXPECT_EQ(gfx->GetTextEntryState(), IGraphicsWin::kEntryIdle);
}

TEST_F(TextEntryTest, TextThatIsNoNumberCommitsZero)
{
  Control(gainIdx)->SetValueFromUserInput(1.0);
  OpenGainEntry();
  ASSERT_NE(Entry(), nullptr);
  SetWindowTextA(Entry(), "abc");
  SendMessageA(Entry(), WM_KEYDOWN, VK_RETURN, 1);
  Tick();
  EXPECT_NEAR(Gain(), 0.0, 1e-9);
}

TEST_F(TextEntryTest, EscapeCancels)
{
  OpenGainEntry();
  ASSERT_NE(Entry(), nullptr);
  HWND entry = Entry();
  Type("7");
  SendMessageA(entry, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_EQ(gfx->GetTextEntryState(), IGraphicsWin::kEntryCancel);
  Tick();
  EXPECT_EQ(Gain(), 0.0);
  EXPECT_EQ(Entry(), nullptr);
  EXPECT_FALSE(IsWindow(entry));
}

TEST_F(TextEntryTest, AnOpenedEntryHasTheKeysButTheEditorStaysIdle)
{
  OpenGainEntry();
  ASSERT_NE(Entry(), nullptr);
  // Focused before the entry's procedure listens: the editor goes on.
  EXPECT_EQ(GetFocus(), Entry());
  EXPECT_EQ(gfx->GetTextEntryState(), IGraphicsWin::kEntryIdle);
  gfx->CancelTextEntry();
  Tick();

  RunEntryInputs(false, {
    {"CancelTextEntry", [this] { gfx->CancelTextEntry(); }, IGraphicsWin::kEntryCancel, kEnds},
    {"wheel", [this] { Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0); }, IGraphicsWin::kEntryCancel, kEnds},
    {"left click", [this] { Mouse(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON); }, IGraphicsWin::kEntryCommit, kCommits},
    {"right click", [this] { Mouse(WM_RBUTTONDOWN, 5, 5, MK_RBUTTON); }, IGraphicsWin::kEntryCommit, kCommits},
    {"middle click", [this] { Mouse(WM_MBUTTONDOWN, 5, 5, MK_MBUTTON); }, IGraphicsWin::kEntryCommit, kCommits},
    {"focus leaves", [this] { SetFocus(child); }, IGraphicsWin::kEntryCommit, kCommits},
    {"tick", [] {}, IGraphicsWin::kEntryIdle, kStaysOpen},
  });
}

TEST_F(TextEntryTest, AFocusedEntryHoldsTheEditorUntilItEnds)
{
  RunEntryInputs(true, {
    {"CancelTextEntry", [this] { gfx->CancelTextEntry(); }, IGraphicsWin::kEntryCancel, kEnds},
    {"left click", [this] { Mouse(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON); }, IGraphicsWin::kEntryCancel, kEnds},
    {"right click", [this] { Mouse(WM_RBUTTONDOWN, 5, 5, MK_RBUTTON); }, IGraphicsWin::kEntryCancel, kEnds},
    {"focus leaves", [this] { SetFocus(child); }, IGraphicsWin::kEntryCommit, kCommits},
    // Everything else goes to the default procedure: no tick, no wheel.
    {"wheel", [this] { Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0); }, IGraphicsWin::kEntryFocused,
     kStaysOpen},
    {"middle click", [this] { Mouse(WM_MBUTTONDOWN, 5, 5, MK_MBUTTON); }, IGraphicsWin::kEntryFocused, kStaysOpen},
    {"tick", [] {}, IGraphicsWin::kEntryFocused, kStaysOpen},
  });
}

TEST_F(TextEntryTest, TheTickRepaintsAroundTheEntryAndAllOfItWhenItCloses)
{
  OpenGainEntry();
  ASSERT_NE(Entry(), nullptr);
  // A change under the entry alone: nothing around it to paint, then a tick's rest.
  gfx->screenDraws.clear();
  gfx->SetParameterFromPlug(WinTestPlug::kGain, 1.0, true);
  Send(WM_TIMER, IGraphicsWin::kTimerId);
  EXPECT_EQ(gfx->GetTextEntryState(), IGraphicsWin::kEntryRedrawn);
  EXPECT_TRUE(gfx->screenDraws.empty());
  Send(WM_TIMER, IGraphicsWin::kTimerId);
  EXPECT_EQ(gfx->GetTextEntryState(), IGraphicsWin::kEntryIdle);
  // A change beside it is painted.
  gfx->SetParameterFromPlug(WinTestPlug::kAmount, 1.0, true);
  Send(WM_TIMER, IGraphicsWin::kTimerId);
  EXPECT_EQ(gfx->GetTextEntryState(), IGraphicsWin::kEntryRedrawn);
  ASSERT_EQ(gfx->screenDraws.size(), 1u);
  const IRectangle knob = Control(knobIdx)->GetRECT();
  EXPECT_EQ(gfx->screenDraws[0].Union(knob), gfx->screenDraws[0]);

  // Closed, the whole editor is painted again, the value under the entry too.
  gfx->CancelTextEntry();
  gfx->screenDraws.clear();
  Tick();
  EXPECT_EQ(Entry(), nullptr);
  ASSERT_FALSE(gfx->screenDraws.empty());
  EXPECT_EQ(gfx->screenDraws[0], IRectangle(0, 0, kW, kH));
  EXPECT_EQ(ScreenMismatches(), 0);
}

TEST_F(TextEntryTest, WhatAFocusedEntryLeftUnpaintedIsRepaintedWhenItCloses)
{
  OpenGainEntry();
  ASSERT_NE(Entry(), nullptr);
  SetFocus(child);
  SetFocus(Entry());
  ASSERT_EQ(gfx->GetTextEntryState(), IGraphicsWin::kEntryFocused);
  // Something covered part of the editor and went: the default procedure
  // takes the paint, and the editor shows what was drawn over it.
  HDC dc = GetDC(child);
  RECT spot = {0, 0, 40, 40};
  FillRect(dc, &spot, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(child, dc);
  InvalidateRect(child, &spot, FALSE);
  gfx->screenDraws.clear();
  Pump();
  EXPECT_TRUE(gfx->screenDraws.empty());
  EXPECT_GT(ScreenMismatches(), 0);

  Type("3");
  SetFocus(child);  // the entry loses the focus: commit
  EXPECT_EQ(gfx->GetTextEntryState(), IGraphicsWin::kEntryCommit);
  Tick();
  EXPECT_EQ(Entry(), nullptr);
  EXPECT_NEAR(Gain(), 3.0, 1e-9);
  EXPECT_EQ(ScreenMismatches(), 0);
}

TEST_F(TextEntryTest, EntriesLeaveNoWindowOrFontBehind)
{
  zqhost::GuiObjectWatch watch(GetModuleHandleA(nullptr));
  ASSERT_GT(watch.watchedImports(), 0);
  const int before = watch.live();
  struct End { const char* what; std::function<void()> end; };
  const End ends[] = {
    {"commit", [this] { SendMessageA(Entry(), WM_KEYDOWN, VK_RETURN, 1); Tick(); }},
    {"cancel", [this] { gfx->CancelTextEntry(); Tick(); }},
    {"closed editor", [this] { gfx->CloseWindow(); }},  // last: the editor stays closed
  };
  for (const End& e : ends)
    for (int round = 0; round < 3 && gfx->WindowIsOpen(); ++round)
    {
      SCOPED_TRACE(e.what);
      const int windows = watch.liveWindows(), gdi = watch.liveGdiObjects();
      OpenGainEntry();
      ASSERT_NE(Entry(), nullptr);
      // The watch sees the entry and its font.
      EXPECT_EQ(watch.liveWindows(), windows + 1);
      EXPECT_GT(watch.liveGdiObjects(), gdi);
      e.end();
      Pump();
      EXPECT_EQ(watch.live(), before);
    }
}

TEST_F(TextEntryTest, AChoiceAfterASubMenuThatCouldNotBeMadeFindsItsItem)
{
  PopupMenuDesc lost, sub;
  lost.AddItem("p");
  lost.AddItem("q");
  sub.AddItem("x");
  sub.AddItem("y");
  PopupMenuDesc top;
  top.AddItem("a");
  top.AddItem("b", 0, &lost);
  top.AddItem("c", 0, &sub);
  gfx->noMenuFor = &lost;
  IRectangle r(20, 20, 60, 40);

  zqhost::GuiObjectWatch watch(GetModuleHandleA(nullptr));
  std::vector<std::string> texts;
  PopupMenuDesc* chosen = nullptr;
  {
    ModalDriver driver(MenuKeys({VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}, &texts));
    chosen = gfx->ShowPopupMenu(&top, &r);
    EXPECT_FALSE(ModalDriver::GaveUp());
  }
  // The item without its menu is left out; "y" of the last sub-menu is chosen.
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "a");
  EXPECT_EQ(texts[1], "c");
  EXPECT_EQ(chosen, &sub);
  EXPECT_EQ(sub.mChosen, 1);
  EXPECT_EQ(lost.mChosen, -1);
  EXPECT_EQ(top.mChosen, -1);
  EXPECT_EQ(watch.liveMenus(), 0);
  sub.Destroy();
  lost.Destroy();
}

TEST_F(TextEntryTest, TheEntryTakesItsColoursFromTheControlsStyle)
{
  ITextStyle& style = Control(gainIdx)->GetTextStyle();
  style.mTextEntryBGColour = IColourRGBA(255, 10, 20, 30);
  style.mTextEntryFGColour = IColourRGBA(255, 200, 100, 50);
  OpenGainEntry();
  ASSERT_NE(Entry(), nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  const LRESULT brush = Send(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Entry()));
  EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH)));
  EXPECT_EQ(GetBkColor(dc), RGB(10, 20, 30));
  EXPECT_EQ(GetTextColor(dc), RGB(200, 100, 50));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  DeleteDC(dc);
  gfx->CancelTextEntry();
  Tick();
  // Without an entry there is no colour to give.
  EXPECT_EQ(Send(WM_CTLCOLOREDIT, 0, 0), 0);
}

TEST_F(TextEntryTest, ClosingOrResizingEndsTheEntryAndANewOneOpensAfterwards)
{
  OpenGainEntry();
  HWND entry = Entry();
  ASSERT_NE(entry, nullptr);
  gfx->CloseWindow();
  EXPECT_FALSE(IsWindow(entry));
  EXPECT_EQ(Entry(), nullptr);
  EXPECT_EQ(gfx->GetEditedControl(), nullptr);
  EXPECT_EQ(gfx->GetTextEntryState(), IGraphicsWin::kEntryIdle);

  child = static_cast<HWND>(gfx->OpenWindow(parent));
  ASSERT_NE(child, nullptr);
  OpenGainEntry();
  ASSERT_NE(Entry(), nullptr);
  // Resizing deletes the controls; the entry must not outlive its control.
  gfx->Resize(kW + 1, kH + 1);
  EXPECT_EQ(Entry(), nullptr);
  EXPECT_EQ(gfx->GetEditedControl(), nullptr);
  Tick();
}

TEST_F(TextEntryTest, APlainEntryHandsOverAtMost31Characters)
{
  TextRecorder* rec = new TextRecorder(plug, IRectangle(10, 400, 110, 420));
  gfx->AttachControl(rec);
  ITextStyle style;
  IRectangle r = rec->GetRECT();
  gfx->CreateTextEntry(rec, &style, &r, "hello", nullptr);
  ASSERT_NE(Entry(), nullptr);
  EXPECT_EQ(WindowText(Entry()), "hello");
  const std::string longText(40, 'x');
  SetWindowTextA(Entry(), longText.c_str());
  SendMessageA(Entry(), WM_KEYDOWN, VK_RETURN, 1);
  Tick();
  ASSERT_EQ(rec->mTexts.size(), 1u);
  EXPECT_EQ(rec->mTexts[0], std::string(31, 'x'));
}

TEST_F(TextEntryTest, AVst3RightClickAsksTheHostInstead)
{
  Close();
  Open(kApiVST3);
  OpenGainEntry();
  EXPECT_EQ(Entry(), nullptr);
  ASSERT_EQ(plug->hostMenus.size(), 1u);
  EXPECT_EQ(plug->hostMenus[0], WinTestPlug::kGain);
}

TEST_F(TextEntryTest, ASwitchPromptsWithAMenuOfItsTexts)
{
  std::vector<std::string> texts;
  {
    ModalDriver driver(MenuKeys({VK_DOWN, VK_DOWN, VK_RETURN}, &texts));
    RightClick(layout::kSwitchX + 10, layout::kSwitchY + 5);
    EXPECT_FALSE(ModalDriver::GaveUp());
  }
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "off");
  EXPECT_EQ(texts[1], "on");
  EXPECT_EQ(plug->GetParam(WinTestPlug::kSwitch)->Value(), 1.0);

  // Ended without a choice: nothing changes.
  {
    ModalDriver driver([]() {
      if (!ModalDriver::FindThreadWindow("#32768"))
        return false;
      EndMenu();
      return true;
    });
    RightClick(layout::kSwitchX + 10, layout::kSwitchY + 5);
    EXPECT_FALSE(ModalDriver::GaveUp());
  }
  EXPECT_EQ(plug->GetParam(WinTestPlug::kSwitch)->Value(), 1.0);
}

TEST_F(TextEntryTest, MenuItemsAreNumberedAndSubMenusFound)
{
  PopupMenuDesc sub;
  sub.AddItem("x");
  sub.AddItem("y");
  PopupMenuDesc top;
  top.mPrefix = 2;
  top.AddItem("a");
  top.AddItem("b", 0, &sub);
  top.AddItem("c", PopupMenuItem::kChecked);
  IRectangle r(20, 20, 60, 40);

  std::vector<std::string> texts;
  PopupMenuDesc* chosen = nullptr;
  {
    ModalDriver driver(MenuKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, &texts));
    chosen = gfx->ShowPopupMenu(&top, &r);
  }
  EXPECT_EQ(chosen, &top);
  EXPECT_EQ(top.mChosen, 2);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0], "01: a");
  EXPECT_EQ(texts[2], "03: c");

  top.mChosen = -1;
  {
    ModalDriver driver(MenuKeys({VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}, nullptr));
    chosen = gfx->ShowPopupMenu(&top, &r);
  }
  EXPECT_EQ(chosen, &sub);
  EXPECT_EQ(sub.mChosen, 1);
  EXPECT_EQ(top.mChosen, -1);
  sub.Destroy();
}

TEST_F(TextEntryTest, MessageBoxesBelongToTheHostsMainWindow)
{
  HWND owner = nullptr;
  std::string caption;
  int result = 0;
  {
    ModalDriver driver(DialogButton(IDOK, [&](HWND dlg) {
      owner = GetWindow(dlg, GW_OWNER);
      caption = WindowText(dlg);
    }));
    result = gfx->ShowMessageBox("text", "Caption", MB_OKCANCEL);
  }
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(owner, parent);
  EXPECT_EQ(caption, "Caption");
  EXPECT_EQ(gfx->FindMainWindow(), parent);
}

TEST_F(TextEntryTest, OpenUrlStopsAtANoAndReportsAFailure)
{
  std::string caption;
  bool opened = true;
  {
    ModalDriver driver(DialogButton(IDNO, [&](HWND dlg) { caption = WindowText(dlg); }));
    opened = gfx->OpenURL("http://localhost/", "Site", "Open the site?", nullptr);
  }
  EXPECT_FALSE(opened);
  EXPECT_EQ(caption, "Site");
  EXPECT_FALSE(ModalDriver::GaveUp());

  // No URL: the error text is shown and the answer is false.
  bool sawError = false;
  {
    ModalDriver driver(DialogButton(IDOK, [&](HWND) { sawError = true; }));
    opened = gfx->OpenURL(nullptr, "Site", nullptr, "No way");
  }
  EXPECT_FALSE(opened);
  EXPECT_TRUE(sawError);
}

TEST_F(TextEntryTest, TheColourDialogShowsThePromptAndKeepsAlpha)
{
  IColourRGBA colour(128, 10, 20, 30);
  std::string title;
  bool ok = true;
  {
    ModalDriver driver(DialogButton(IDCANCEL, [&](HWND dlg) { title = WindowText(dlg); }));
    ok = gfx->PromptForColour(&colour, "Pick a colour");
  }
  EXPECT_FALSE(ok);
  EXPECT_EQ(title, "Pick a colour");
  {
    ModalDriver driver(DialogButton(IDOK));
    ok = gfx->PromptForColour(&colour, nullptr);
  }
  EXPECT_TRUE(ok);
  EXPECT_EQ(colour.mA, 128);
  EXPECT_EQ(colour.mR, 10);
  EXPECT_EQ(colour.mG, 20);
  EXPECT_EQ(colour.mB, 30);

  gfx->CloseWindow();
  EXPECT_FALSE(gfx->PromptForColour(&colour, nullptr));
}

TEST_F(TextEntryTest, TheFileDialogGivesNothingOnCancelAndStartsOnTheDesktop)
{
  TextBuffer file("old.txt"), dir, desktop;
  gfx->DesktopPath(&desktop);
  {
    ModalDriver driver(DialogButton(IDCANCEL));
    gfx->PromptForFile(&file, 0, &dir, "png jpg");
    EXPECT_FALSE(ModalDriver::GaveUp());
  }
  EXPECT_STREQ(file.Get(), "");
  EXPECT_STREQ(dir.Get(), desktop.Get());

  gfx->CloseWindow();
  file.Set("keep.txt");
  gfx->PromptForFile(&file, 1, &dir, nullptr);
  EXPECT_STREQ(file.Get(), "");
}

TEST_F(TextEntryTest, ClipboardTextComesBackAsUtf8)
{
  const wchar_t wide[] = L"Gr\u00fc\u00dfe \u2713";
  const char utf8[] = "Gr\xc3\xbc\xc3\x9f" "e \xe2\x9c\x93";
  // Other test programs share the display's clipboard: retry a lost race.
  bool same = false;
  for (int attempt = 0; attempt < 5 && !same; ++attempt)
  {
    ASSERT_TRUE(OpenClipboard(child));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, sizeof(wide));
    std::memcpy(GlobalLock(mem), wide, sizeof(wide));
    GlobalUnlock(mem);
    SetClipboardData(CF_UNICODETEXT, mem);
    CloseClipboard();
    TextBuffer text("stale");
    same = gfx->GetTextFromClipboard(&text) && std::strcmp(text.Get(), utf8) == 0;
  }
  EXPECT_TRUE(same);

  bool empty = false;
  for (int attempt = 0; attempt < 5 && !empty; ++attempt)
  {
    ASSERT_TRUE(OpenClipboard(child));
    EmptyClipboard();
    CloseClipboard();
    TextBuffer text("stale");
    empty = !gfx->GetTextFromClipboard(&text) && text.GetLength() == 0;
  }
  EXPECT_TRUE(empty);
}

TEST_F(TextEntryTest, PathsEndInABackslash)
{
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, sizeof(exe));
  std::string dir(exe);
  dir.resize(dir.rfind('\\') + 1);

  TextBuffer host, plugin, desktop, common, user, data;
  gfx->HostPath(&host);
  gfx->PluginPath(&plugin);
  EXPECT_EQ(host.Get(), dir);
  EXPECT_EQ(plugin.Get(), dir);  // this program is the module here
  gfx->DesktopPath(&desktop);
  gfx->AppSupportPath(&common, true);
  gfx->AppSupportPath(&user, false);
  gfx->UserDataPath(&data);
  EXPECT_GT(desktop.GetLength(), 0);
  EXPECT_GT(common.GetLength(), 0);
  EXPECT_GT(user.GetLength(), 0);
  EXPECT_STREQ(data.Get(), user.Get());
  EXPECT_STRNE(common.Get(), user.Get());

  // Without a module of its own the editor names no plug-in path.
  gfx->SetHInstance(nullptr);
  plugin.Set("stale");
  gfx->PluginPath(&plugin);
  EXPECT_STREQ(plugin.Get(), "");
}
