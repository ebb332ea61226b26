// The editor's child window: class registration, opening and closing, the
// window procedure, the redraw tick, painting, resizing, cursor, tooltips,
// image loading and the main-window search.

#include "gui/IGraphicsWin.h"

#include <commctrl.h>

#include <cstring>

#include "drawing/LICE_PNG.h"
#include "drawing/LICE_SysBitmap.h"
#include "framework/Assert.h"
#include "framework/IPlugBase.h"
#include "framework/ModuleHandle.h"
#include "gui/IControl.h"

namespace {

const char kWndClassName[] = "IPlugWndClass";

// Process-wide: open plug-in windows, and the tick rate for the next window
// made (read by WM_CREATE). UI threads only.
int sWndCount = 0;
double sFPS = 25.0;

// The tool record naming the plug-in window as its own tool, in the
// version-2 size (64 bytes on x86-64) the tool was registered with.
TOOLINFOA MakeToolInfo(HWND wnd)
{
  TOOLINFOA ti;
  std::memset(&ti, 0, sizeof(ti));
  ti.cbSize = TTTOOLINFOA_V2_SIZE;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = wnd;
  ti.uId = reinterpret_cast<UINT_PTR>(wnd);
  return ti;
}

IMouseState MouseState(WPARAM wParam)
{
  return IMouseState((wParam & MK_LBUTTON) != 0, (wParam & MK_RBUTTON) != 0,
                     (wParam & MK_SHIFT) != 0, (wParam & MK_CONTROL) != 0,
                     GetKeyState(VK_MENU) < 0);
}

int MouseX(LPARAM lParam) { return short(LOWORD(lParam)); }
int MouseY(LPARAM lParam) { return short(HIWORD(lParam)); }

// The control key code of a virtual key, -1 for keys the controls do not take.
int KeyCode(WPARAM vk)
{
  switch (vk)
  {
    case VK_SPACE: return 0;
    case VK_UP: return 1;
    case VK_DOWN: return 2;
    case VK_LEFT: return 3;
    case VK_RIGHT: return 4;
    default: break;
  }
  if (vk >= 0x30 && vk <= 0x39) return int(vk - 0x30) + 5;
  if (vk >= 0x41 && vk <= 0x5A) return int(vk - 0x41) + 15;
  if (vk >= 0x61 && vk <= 0x7A) return int(vk - 0x61) + 15;
  return -1;
}

bool IsChildWindow(HWND wnd)
{
  return (GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD) &&
         !(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_MDICHILD);
}

void ResizeBy(HWND wnd, int dw, int dh)
{
  RECT r;
  if (!GetWindowRect(wnd, &r))
    return;
  SetWindowPos(wnd, nullptr, 0, 0, r.right - r.left + dw, r.bottom - r.top + dh,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

IGraphicsWin::IGraphicsWin(IPlugBase* plug, int width, int height, int fps)
  : IGraphics(plug, width, height, fps),
    mHInstance(static_cast<HINSTANCE>(GetPlugModuleInstance()))
{
}

IGraphicsWin::~IGraphicsWin()
{
  CloseWindow();
  // A class left registered by a window destroyed with its parent goes with
  // the last editor.
  if (sWndCount == 0)
    UnregisterClassA(kWndClassName, mHInstance);
  delete[] mCustomColours;
  mCustomColours = nullptr;
}

int IGraphicsWin::OpenWindowCount()
{
  return sWndCount;
}

void* IGraphicsWin::OpenWindow(void* parent)
{
  HWND parentWnd = static_cast<HWND>(parent);
  mParentWnd = parentWnd;
  int x = 0, y = 0, w = Width(), h = Height();

  if (mPlugWnd)
  {
    // Reopening moves the editor into the new parent at its old place.
    RECT pr, wr;
    GetWindowRect(parentWnd, &pr);
    GetWindowRect(mPlugWnd, &wr);
    CloseWindow();
    x = wr.left - pr.left;
    y = wr.top - pr.top;
    w = wr.right - wr.left;
    h = wr.bottom - wr.top;
  }

  if (sWndCount++ == 0)
  {
    WNDCLASSA wc;
    std::memset(&wc, 0, sizeof(wc));
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = mHInstance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kWndClassName;
    // A class left behind by a window its parent destroyed is still usable.
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    {
      --sWndCount;
      return nullptr;
    }
  }

  sFPS = FPS();
  mPlugWnd = CreateWindowExA(0, kWndClassName, "IPlug", WS_CHILD | WS_VISIBLE, x, y, w, h,
                             parentWnd, nullptr, mHInstance, this);
  if (!mPlugWnd)
  {
    if (--sWndCount == 0)
      UnregisterClassA(kWndClassName, mHInstance);
    return nullptr;
  }

  for (int i = 0; i < GetNControls(); ++i)
    GetControl(i)->SetDirty(false);

  if (TooltipsEnabled())
  {
    bool ok = false;
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_BAR_CLASSES;
    InitCommonControlsEx(&icc);
    mTooltipWnd = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  mPlugWnd, nullptr, mHInstance, nullptr);
    if (mTooltipWnd)
    {
      SetWindowPos(mTooltipWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      TOOLINFOA ti = MakeToolInfo(mPlugWnd);
      ok = SendMessageA(mTooltipWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
    }
    if (!ok)
    {
      if (mTooltipWnd)
        DestroyWindow(mTooltipWnd);
      mTooltipWnd = nullptr;
      mEnableTooltips = false;
    }
  }
  return mPlugWnd;
}

void IGraphicsWin::CloseWindow()
{
  if (!mPlugWnd)
    return;
  HWND wnd = mPlugWnd;
  EndTextEntry();
  if (GetCapture() == wnd)
    ReleaseCapture();
  // Messages of the dying window go to the default procedure.
  SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
  ForgetWindow();
  DestroyWindow(wnd);
  if (sWndCount == 0)
    UnregisterClassA(kWndClassName, mHInstance);
}

void IGraphicsWin::ForgetWindow()
{
  EndTextEntry();
  if (mTooltipWnd)
    DestroyWindow(mTooltipWnd);
  mTooltipWnd = nullptr;
  mShowingTooltip = false;
  mTooltipIdx = -1;
  mPlugWnd = nullptr;
  // No control keeps the mouse across windows, and no edit outlives the
  // window (destroyed with its parent, no capture change comes first).
  OnMouseCaptureLost();
  ReleaseMouseCapture();
  mPressButton = 0;
  if (sWndCount > 0)
    --sWndCount;
}

LRESULT CALLBACK IGraphicsWin::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_CREATE)
  {
    const CREATESTRUCTA* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    const double fps = sFPS > 0.0 ? sFPS : 25.0;
    SetTimer(hWnd, kTimerId, UINT(int(1000.0 / fps)), nullptr);
    SetFocus(hWnd);
    return 0;
  }

  IGraphicsWin* graphics = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
  if (!graphics || hWnd != graphics->mPlugWnd)
    return DefWindowProcA(hWnd, msg, wParam, lParam);
  return graphics->HandleMessage(hWnd, msg, wParam, lParam);
}

LRESULT IGraphicsWin::HandleMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_NCDESTROY)
  {
    // Destroyed without CloseWindow, with its parent: nothing may refer to it.
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
    ForgetWindow();
    return DefWindowProcA(hWnd, msg, wParam, lParam);
  }

  // The entry asks for its colours while it has the focus too.
  if (msg == WM_CTLCOLOREDIT)
  {
    if (!mEdControl)
      return 0;
    HDC dc = reinterpret_cast<HDC>(wParam);
    const ITextStyle& style = mEdControl->GetTextStyle();
    SetBkColor(dc, style.mTextEntryBGColour.ToColourRef());
    SetTextColor(dc, style.mTextEntryFGColour.ToColourRef());
    SetBkMode(dc, OPAQUE);
    SetDCBrushColor(dc, style.mTextEntryBGColour.ToColourRef());
    return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
  }

  if (mParamEditWnd && mParamEditMsg == kEntryFocused)
  {
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN)
    {
      mParamEditMsg = kEntryCancel;
      return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
  }

  switch (msg)
  {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return 0;

    case WM_PAINT:
    {
      RECT r;
      if (GetUpdateRect(hWnd, &r, FALSE))
      {
        IRectangle ir(r.left, r.top, r.right, r.bottom);
        Draw(ir);
      }
      // With no controls, or a paint that could not begin, nothing validated
      // the area; left invalid it would bring WM_PAINT back at once, forever.
      if (GetUpdateRect(hWnd, nullptr, FALSE))
        ValidateRect(hWnd, nullptr);
      return 0;
    }

    case WM_CLOSE:
      CloseWindow();
      return 0;

    case WM_KEYDOWN:
    {
      if (mForwardingKey)
        return DefWindowProcA(hWnd, msg, wParam, lParam);
      const int code = KeyCode(wParam);
      if (code >= 0)
      {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hWnd, &p);
        if (OnKeyDown(p.x, p.y, code))
          return 0;
      }
      ForwardKeyToRoot(msg, wParam, lParam);
      return DefWindowProcA(hWnd, msg, wParam, lParam);
    }

    case WM_KEYUP:
      if (!mForwardingKey)
        ForwardKeyToRoot(msg, wParam, lParam);
      return DefWindowProcA(hWnd, msg, wParam, lParam);

    case WM_TIMER:
      if (wParam == kTimerId)
        Tick();
      return 0;

    case WM_MOUSEMOVE:
    {
      const int x = MouseX(lParam), y = MouseY(lParam);
      if (wParam & (MK_LBUTTON | MK_RBUTTON))
      {
        IControl* captured = GetControl(GetMouseCapture());
        if (GetCapture() == hWnd && !mParamEditWnd && captured)
        {
          const int oldX = GetMouseX(), oldY = GetMouseY();
          if (x != oldX || y != oldY)
          {
            mMouseX = x;
            mMouseY = y;
            captured->OnMouseDrag(x, y, x - oldX, y - oldY, MouseState(wParam));
          }
        }
        return 0;
      }
      if (OnMouseOver(x, y, MouseState(wParam)))
      {
        TRACKMOUSEEVENT tme;
        std::memset(&tme, 0, sizeof(tme));
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = hWnd;
        tme.dwHoverTime = HOVER_DEFAULT;
        const int over = GetMouseOver();
        if (TooltipsEnabled() && over != mTooltipIdx)
        {
          mTooltipIdx = over;
          if (over >= 0)
            tme.dwFlags |= TME_HOVER;
          if (mShowingTooltip)
          {
            HideTooltip();
            mShowingTooltip = false;
          }
        }
        TrackMouseEvent(&tme);
      }
      return 0;
    }

    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      // While one button drags a control the others are ignored, down and up:
      // the drag goes on as one edit.
      if (HeldByAnotherButton(msg, wParam))
        return 0;
      if (mShowingTooltip)
      {
        HideTooltip();
        mShowingTooltip = false;
      }
      if (mParamEditWnd)
      {
        mParamEditMsg = kEntryCommit;
        return 0;
      }
      mPressEnded = false;
      mPressButton = ButtonOf(msg);
      SetFocus(hWnd);
      SetCapture(hWnd);
      OnMouseDown(MouseX(lParam), MouseY(lParam), MouseState(wParam));
      return 0;

    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (HeldByAnotherButton(msg, wParam))
        return 0;
      mPressButton = 0;
      ReleaseOwnCapture();
      if (mPressEnded)
      {
        mPressEnded = false;
        return 0;
      }
      OnMouseUp(MouseX(lParam), MouseY(lParam), MouseState(wParam));
      return 0;

    case WM_CAPTURECHANGED:
      // Another window took the mouse (or it was released from outside, as
      // when the host takes over mid-drag): no mouse-up will end the change.
      if (!mReleasingCapture && reinterpret_cast<HWND>(lParam) != hWnd && GetMouseCapture() >= 0)
      {
        OnMouseCaptureLost();
        mPressEnded = true;
      }
      return 0;

    case WM_LBUTTONDBLCLK:
      if (HeldByAnotherButton(msg, wParam))
        return 0;
      mPressEnded = false;
      mPressButton = MK_LBUTTON;
      if (OnMouseDblClick(MouseX(lParam), MouseY(lParam), MouseState(wParam)))
        SetCapture(hWnd);
      return 0;

    case WM_MOUSEWHEEL:
    {
      if (mParamEditWnd)
      {
        mParamEditMsg = kEntryCancel;
        return 0;
      }
      RECT r;
      GetWindowRect(hWnd, &r);
      const int x = MouseX(lParam) - r.left, y = MouseY(lParam) - r.top;
      const int notches = short(HIWORD(wParam)) / WHEEL_DELTA;
      OnMouseWheel(x, y, MouseState(LOWORD(wParam)), notches);
      return 0;
    }

    case WM_MOUSEHOVER:
      ShowTooltip();
      return 0;

    case WM_MOUSELEAVE:
      if (mShowingTooltip)
      {
        HideTooltip();
        mShowingTooltip = false;
      }
      OnMouseOut();
      return 0;

    default:
      return DefWindowProcA(hWnd, msg, wParam, lParam);
  }
}

WPARAM IGraphicsWin::ButtonOf(UINT msg)
{
  switch (msg)
  {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: return MK_LBUTTON;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: return MK_RBUTTON;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: return MK_MBUTTON;
    default: return 0;
  }
}

bool IGraphicsWin::HeldByAnotherButton(UINT msg, WPARAM keys) const
{
  // The message's key state says whether the pressing button is still down;
  // a press whose release went elsewhere holds nothing, and the same button
  // pressed again has been released in between.
  return mPressButton && ButtonOf(msg) != mPressButton && (keys & mPressButton) && GetMouseCapture() >= 0;
}

void IGraphicsWin::ReleaseOwnCapture()
{
  mReleasingCapture = true;
  ReleaseCapture();
  mReleasingCapture = false;
}

void IGraphicsWin::ForwardKeyToRoot(UINT msg, WPARAM wParam, LPARAM lParam)
{
  HWND root = GetAncestor(mPlugWnd, GA_ROOT);
  if (!root || root == mPlugWnd)
    return;
  // A root that hands keys back to its focused child reaches this window
  // again; the flag stops that round at the default procedure.
  mForwardingKey = true;
  SendMessageA(root, msg, wParam, lParam);
  mForwardingKey = false;
}

void IGraphicsWin::Tick()
{
  if (mParamEditWnd && mParamEditMsg != kEntryIdle)
  {
    TextEntryStep();
    return;
  }
  IRectangle dirty;
  if (ShowControlBounds())
    dirty = GetDrawRect();
  else if (!IsDirty(dirty))
    return;
  RECT r = {dirty.mLeft, dirty.mTop, dirty.mRight, dirty.mBottom};
  InvalidateRect(mPlugWnd, &r, FALSE);
  if (mParamEditWnd)
  {
    const IRectangle& er = mEdControl->GetRECT();
    RECT cr = {er.mLeft, er.mTop, er.mRight, er.mBottom};
    ValidateRect(mPlugWnd, &cr);
    UpdateWindow(mPlugWnd);
    mParamEditMsg = kEntryRedrawn;
  }
  else
  {
    UpdateWindow(mPlugWnd);
  }
}

bool IGraphicsWin::DrawScreen(const IRectangle& r)
{
  if (!mPlugWnd)
    return false;
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(mPlugWnd, &ps);
  LICE_IBitmap* bitmap = GetDrawBitmap();
  HDC src = bitmap ? bitmap->GetDeviceContext() : nullptr;
  const bool ok = dc && src;
  // A failed BeginPaint or a bitmap without a DC draws nothing; EndPaint
  // still ends the paint.
  if (ok)
    BitBlt(dc, r.mLeft, r.mTop, r.W(), r.H(), src, r.mLeft, r.mTop, SRCCOPY);
  EndPaint(mPlugWnd, &ps);
  return ok;
}

void IGraphicsWin::Resize(int w, int h)
{
  if (w == Width() && h == Height())
    return;
  const int dw = w - Width(), dh = h - Height();
  // The controls the entry points at are about to be deleted.
  EndTextEntry();
  IGraphics::Resize(w, h);
  if (!mPlugWnd)
    return;

  HWND parent = nullptr, grandparent = nullptr;
  if (IsChildWindow(mPlugWnd))
  {
    parent = GetParent(mPlugWnd);
    if (parent && IsChildWindow(parent))
      grandparent = GetParent(parent);
  }
  ResizeBy(mPlugWnd, dw, dh);
  const int api = GetPlug() ? int(GetPlug()->GetApiKind()) : -1;
  if (api != 1 && api != 3)
  {
    if (parent)
      ResizeBy(parent, dw, dh);
    if (grandparent)
      ResizeBy(grandparent, dw, dh);
  }
  RepaintAll();
}

void IGraphicsWin::RepaintAll()
{
  if (!mPlugWnd)
    return;
  RECT all = {0, 0, Width(), Height()};
  InvalidateRect(mPlugWnd, &all, FALSE);
}

void IGraphicsWin::HideMouseCursor()
{
  if (mCursorHidden)
    return;
  POINT p;
  GetCursorPos(&p);
  mHiddenMousePointX = p.x;
  mHiddenMousePointY = p.y;
  ShowCursor(FALSE);
  mCursorHidden = true;
}

void IGraphicsWin::ShowMouseCursor()
{
  if (!mCursorHidden)
    return;
  SetCursorPos(mHiddenMousePointX, mHiddenMousePointY);
  ShowCursor(TRUE);
  mCursorHidden = false;
}

void IGraphicsWin::ShowTooltip()
{
  IControl* c = GetControl(mTooltipIdx);
  if (!c || !mTooltipWnd)
    return;
  const char* tip = c->GetTooltip();
  if (!tip)
    return;
  ZQ_ASSERT(strlen(tip) < 80);
  TOOLINFOA ti = MakeToolInfo(mPlugWnd);
  ti.lpszText = const_cast<char*>(tip);
  SendMessageA(mTooltipWnd, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
  mShowingTooltip = true;
}

void IGraphicsWin::HideTooltip()
{
  if (!mTooltipWnd)
    return;
  TOOLINFOA ti = MakeToolInfo(mPlugWnd);
  ti.lpszText = nullptr;
  SendMessageA(mTooltipWnd, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

LICE_IBitmap* IGraphicsWin::LoadPNGResource(int id, const char* name)
{
  if (!name || !*name)
    return nullptr;
  const char* ext = std::strrchr(name + 1, '.');
  ext = ext ? ext + 1 : name + 1;
  if (_stricmp(ext, "png") != 0)
    return nullptr;
  HINSTANCE module = mHInstance ? mHInstance : static_cast<HINSTANCE>(GetPlugModuleInstance());
  return LICE_LoadPNGFromResource(module, id);
}

namespace {

struct MainWindowSearch
{
  DWORD mPID;
  const char* mClassName;
  HWND mFound;
};

BOOL CALLBACK FindMainWindowProc(HWND wnd, LPARAM data)
{
  MainWindowSearch* search = reinterpret_cast<MainWindowSearch*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  if (pid != search->mPID)
    return TRUE;
  char name[128];
  if (GetClassNameA(wnd, name, sizeof(name)) && std::strcmp(name, search->mClassName) == 0)
  {
    search->mFound = wnd;
    return FALSE;
  }
  return TRUE;
}

} // namespace

HWND IGraphicsWin::FindMainWindow()
{
  // A main window that has gone since is looked for again.
  if (mMainWnd && IsWindow(mMainWnd))
    return mMainWnd;
  mMainWnd = nullptr;
  if (mParentWnd && IsWindow(mParentWnd))
  {
    HWND wnd = mParentWnd;
    for (HWND up = GetParent(wnd); up; up = GetParent(up))
      wnd = up;
    mMainWnd = wnd;
    char name[128];
    const int n = GetClassNameA(wnd, name, sizeof(name));
    mMainWndClassName.Set(n > 0 ? name : "");
    return mMainWnd;
  }
  if (mMainWndClassName.GetLength() > 0)
  {
    mPID = GetCurrentProcessId();
    MainWindowSearch search = {mPID, mMainWndClassName.Get(), nullptr};
    EnumWindows(FindMainWindowProc, reinterpret_cast<LPARAM>(&search));
    mMainWnd = search.mFound;
  }
  return mMainWnd;
}
