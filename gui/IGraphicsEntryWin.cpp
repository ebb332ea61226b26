// The in-place text entry over a control and the popup menu of IGraphicsWin.

#include "gui/IGraphicsWin.h"

#include <cstdio>
#include <cstring>

#include "framework/IParamRecord.h"
#include "gui/IControl.h"
#include "gui/IPopupMenu.h"
#include "gui/PromptRules.h"

namespace {

const int kEntryControlId = 99;
// The committed text is read into this many bytes (at most 31 characters).
const int kEntryTextSize = 32;

} // namespace

void IGraphicsWin::CreateTextEntry(IControl* control, const ITextStyle* pStyle, IRectangle* pRect,
                                   const char* text, IParamRecord* param)
{
  if (!control || !pStyle || !pRect || mParamEditWnd || !mPlugWnd)
    return;
  const ITextStyle& style = *pStyle;
  const IRectangle& r = *pRect;

  DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL;
  if (style.mAlign == ITextStyle::kAlignFar)
    editStyle |= ES_RIGHT;
  else if (style.mAlign != ITextStyle::kAlignNear)
    editStyle |= ES_CENTER;

  mParamEditWnd = CreateWindowExA(0, "EDIT", text ? text : "", editStyle, r.mLeft, r.mTop, r.W() + 1,
                                  r.H() + 1, mPlugWnd, reinterpret_cast<HMENU>(INT_PTR(kEntryControlId)),
                                  mHInstance, nullptr);
  if (!mParamEditWnd)
    return;

  HFONT font = CreateFontA(style.mSize, 0, 0, 0, style.mStyle == ITextStyle::kStyleBold ? FW_BOLD : 0,
                           style.mStyle == ITextStyle::kStyleItalic, 0, 0, 0, 0, 0, 0, 0, style.mFace);
  SendMessageA(mParamEditWnd, EM_LIMITTEXT, WPARAM(control->GetTextEntryLength()), 0);
  SendMessageA(mParamEditWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  SendMessageA(mParamEditWnd, EM_SETSEL, 0, -1);
  // Focused before our procedure is installed: the entry starts idle, so the
  // editor goes on ticking and painting around it; only a later return of the
  // focus to the entry makes it "focused".
  SetFocus(mParamEditWnd);
  mEdFont = font;
  mDefEditProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(mParamEditWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TextEntryProc)));
  mEdControl = control;
  mEdParam = param;
}

void IGraphicsWin::CancelTextEntry()
{
  mParamEditMsg = kEntryCancel;
}

LRESULT CALLBACK IGraphicsWin::TextEntryProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  IGraphicsWin* graphics =
      reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(GetParent(hWnd), GWLP_USERDATA));
  if (!graphics || graphics->mParamEditWnd != hWnd || !graphics->mDefEditProc)
    return DefWindowProcA(hWnd, msg, wParam, lParam);

  if (graphics->mShowingTooltip)
  {
    graphics->HideTooltip();
    graphics->mShowingTooltip = false;
  }
  const WNDPROC own = graphics->mDefEditProc;

  switch (msg)
  {
    case WM_SETFOCUS:
      graphics->mParamEditMsg = kEntryFocused;
      break;
    case WM_KILLFOCUS:
      graphics->mParamEditMsg = kEntryCommit;
      break;
    case WM_GETDLGCODE:
    {
      if (graphics->mEdParam)
        break;
      LRESULT code = CallWindowProcA(own, hWnd, msg, wParam, lParam);
      const MSG* query = reinterpret_cast<const MSG*>(lParam);
      if (query && query->message == WM_KEYDOWN && query->wParam == VK_RETURN)
        code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN)
      {
        graphics->mParamEditMsg = kEntryCommit;
        return 0;
      }
      if (wParam == VK_ESCAPE)
      {
        graphics->mParamEditMsg = kEntryCancel;
        return 0;
      }
      break;
    case WM_CHAR:
      if (graphics->mEdParam && !TextEntryAcceptsChar(graphics->mEdParam->Kind(), int(wParam)))
        return 0;
      break;
    case WM_COMMAND:
      if (HIWORD(wParam) == 1)
      {
        graphics->mParamEditMsg = kEntryCommit;
        return 0;
      }
      break;
    case WM_NCDESTROY:
    {
      // Destroyed with the editor window: nothing may refer to it any more.
      SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
      HFONT font = graphics->mEdFont;
      graphics->ClearTextEntry();
      const LRESULT result = CallWindowProcA(own, hWnd, msg, wParam, lParam);
      if (font)
        DeleteObject(font);
      return result;
    }
    default:
      break;
  }
  return CallWindowProcA(own, hWnd, msg, wParam, lParam);
}

void IGraphicsWin::TextEntryStep()
{
  switch (mParamEditMsg)
  {
    // The ticks kept the area under the entry out of their repaints, and a
    // focused entry kept the editor from painting at all: all of it is due.
    case kEntryCancel:
      EndTextEntry();
      RepaintAll();
      break;
    case kEntryCommit:
      CommitTextEntry();
      EndTextEntry();
      RepaintAll();
      break;
    default:
      mParamEditMsg = kEntryIdle;
      break;
  }
}

void IGraphicsWin::CommitTextEntry()
{
  if (!mParamEditWnd || !mEdControl)
    return;
  char text[kEntryTextSize] = "";
  SendMessageA(mParamEditWnd, WM_GETTEXT, kEntryTextSize, reinterpret_cast<LPARAM>(text));
  text[kEntryTextSize - 1] = '\0';
  if (mEdParam)
    mEdControl->SetValueFromUserInput(mEdParam->ToNormalised(TextEntryPlainValue(*mEdParam, text)));
  else
    mEdControl->SetTextFromUserInput(text);
}

void IGraphicsWin::EndTextEntry()
{
  HWND entry = mParamEditWnd;
  HFONT font = mEdFont;
  if (entry && mDefEditProc)
    SetWindowLongPtrA(entry, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mDefEditProc));
  // Cleared before the window goes, so its last messages find no entry.
  ClearTextEntry();
  if (entry)
    DestroyWindow(entry);
  if (font)
    DeleteObject(font);
}

void IGraphicsWin::ClearTextEntry()
{
  mParamEditWnd = nullptr;
  mEdParam = nullptr;
  mEdControl = nullptr;
  mDefEditProc = nullptr;
  mEdFont = nullptr;
  mParamEditMsg = kEntryIdle;
}

// ---- Popup menus ----------------------------------------------------------

HMENU IGraphicsWin::NewPopupMenu(const PopupMenuDesc&)
{
  return CreatePopupMenu();
}

// A description takes its block of ids once its menu exists, so a sub-menu
// that could not be made numbers nothing and the choice is looked up in the
// same table.
HMENU IGraphicsWin::BuildMenu(PopupMenuDesc& desc, PopupMenuIds& ids)
{
  HMENU menu = NewPopupMenu(desc);
  if (!menu)
    return nullptr;
  const int firstId = ids.TakeBlock(&desc);
  if (firstId < 0)
  {
    DestroyMenu(menu);
    return nullptr;
  }
  const int n = desc.NItems();
  for (int i = 0; i < n; ++i)
  {
    const PopupMenuItem* item = desc.GetItem(i);
    if (!item)
      continue;
    if (item->mFlags & PopupMenuItem::kSeparator)
    {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    if (item->mSubMenu)
    {
      HMENU sub = BuildMenu(*item->mSubMenu, ids);
      if (sub && !AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), item->mText.Get()))
        DestroyMenu(sub);
      continue;
    }
    UINT flags = MF_STRING;
    if (item->mFlags & PopupMenuItem::kGreyed) flags |= MF_GRAYED;
    if (item->mFlags & PopupMenuItem::kDisabled) flags |= MF_DISABLED;
    if (item->mFlags & PopupMenuItem::kChecked) flags |= MF_CHECKED;
    char text[512];
    const int position = i + 1;
    switch (desc.mPrefix)
    {
      case 1: std::snprintf(text, sizeof(text), "%1d: %s", position, item->mText.Get()); break;
      case 2: std::snprintf(text, sizeof(text), "%02d: %s", position, item->mText.Get()); break;
      case 3: std::snprintf(text, sizeof(text), "%03d: %s", position, item->mText.Get()); break;
      default: std::snprintf(text, sizeof(text), "%s", item->mText.Get()); break;
    }
    AppendMenuA(menu, flags, UINT_PTR(firstId + i), text);
  }
  return menu;
}

PopupMenuDesc* IGraphicsWin::ShowPopupMenu(PopupMenuDesc* desc, IRectangle* pRect)
{
  ReleaseMouseCapture();
  if (!desc || !pRect || !mPlugWnd)
    return nullptr;
  const IRectangle& r = *pRect;

  PopupMenuIds ids;
  HMENU menu = BuildMenu(*desc, ids);
  if (!menu)
    return nullptr;

  HWND wnd = mPlugWnd;
  POINT p = {r.mLeft, r.mBottom};
  ClientToScreen(wnd, &p);
  PopupMenuDesc* result = nullptr;
  if (TrackPopupMenu(menu, TPM_LEFTBUTTON, p.x, p.y, 0, wnd, nullptr))
  {
    MSG msg;
    if (PeekMessageA(&msg, wnd, WM_COMMAND, WM_COMMAND, PM_REMOVE) && HIWORD(msg.wParam) == 0)
    {
      int owner = 0;
      PopupMenuDesc* found = ids.Find(int(LOWORD(msg.wParam)), &owner);
      if (found)
      {
        found->mChosen = owner;
        result = found;
      }
    }
  }
  DestroyMenu(menu);
  // The editor may have closed while the menu was up (the host's loop ran).
  if (mPlugWnd == wnd)
    RepaintAll();
  else
    result = nullptr;
  return result;
}
