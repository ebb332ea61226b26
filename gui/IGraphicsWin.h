#pragma once

#include <windows.h>

#include "framework/TextBuffer.h"
#include "gui/IGraphics.h"

class IParamRecord;

// The Windows side of the graphics context: a child window inside the host's
// editor frame, a timer that turns dirty controls into repaints, mouse and
// key messages dispatched to the controls, the in-place text entry, popup
// menus and the system services (dialogs, folders, URL, clipboard).
// Everything runs on the thread that opened the window.
class IGraphicsWin : public IGraphics
{
public:
  // Timer id of the redraw tick.
  static const UINT_PTR kTimerId = 2;
  // Text-entry states.
  enum ETextEntryState
  {
    kEntryIdle = 0,
    kEntryFocused = 1,
    kEntryRedrawn = 2,
    kEntryCancel = 3,
    kEntryCommit = 4
  };

  IGraphicsWin(IPlugBase* plug, int width, int height, int fps = 0);
  ~IGraphicsWin() override;

  // The module the window class and the images belong to. Starts as the
  // framework's module handle, so an editor made before anyone sets it still
  // finds its images.
  void SetHInstance(HINSTANCE instance) { mHInstance = instance; }
  HINSTANCE GetHInstance() const { return mHInstance; }

  // ---- IGraphics ----------------------------------------------------------

  bool DrawScreen(const IRectangle& rect) override;
  void CancelTextEntry() override;
  void Resize(int width, int height) override;
  bool WindowIsOpen() override { return mPlugWnd != nullptr; }
  const char* GetDrawingAPIName() override { return "Windows GDI"; }
  int ShowMessageBox(const char* text, const char* caption, int type) override;
  PopupMenuDesc* ShowPopupMenu(PopupMenuDesc* menu, IRectangle* rect) override;
  void CreateTextEntry(IControl* control, const ITextStyle* style, IRectangle* rect, const char* text,
                       IParamRecord* param) override;
  void HostPath(TextBuffer* path) override;
  void PluginPath(TextBuffer* path) override;
  void DesktopPath(TextBuffer* path) override;
  void AppSupportPath(TextBuffer* path, bool common) override;
  void UserDataPath(TextBuffer* path) override;
  void PromptForFile(TextBuffer* file, int action, TextBuffer* directory,
                     const char* extensions) override;
  bool PromptForColour(IColourRGBA* colour, const char* prompt) override;
  bool OpenURL(const char* url, const char* windowTitle, const char* confirmText,
               const char* errorText) override;
  void* OpenWindow(void* parent) override;
  void CloseWindow() override;
  void* GetWindow() override { return mPlugWnd; }
  bool GetTextFromClipboard(TextBuffer* text) override;
  void HideMouseCursor() override;
  void ShowMouseCursor() override;
  void ReservedHookC() override {}
  LICE_IBitmap* LoadPNGResource(int id, const char* name) override;

  // ---- Windows ------------------------------------------------------------

  // The host's top-level window: up the parent chain from the last parent,
  // else a top-level window of this process with the remembered class name.
  HWND FindMainWindow();

  static LRESULT CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK TextEntryProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

  // Inspection for tests and adapters.
  HWND GetTextEntryWindow() const { return mParamEditWnd; }
  int GetTextEntryState() const { return mParamEditMsg; }
  IControl* GetEditedControl() const { return mEdControl; }

  // Open plug-in windows in this process (the class exists while it is > 0).
  static int OpenWindowCount();

protected:
  // Makes one Windows menu of a popup (the top menu or a sub-menu); null when
  // the system has none to give.
  virtual HMENU NewPopupMenu(const PopupMenuDesc& desc);

private:
  LRESULT HandleMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Tick();
  void OnKeyMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // Forwards a key message to the root ancestor, unless one is already on its way.
  void ForwardKeyToRoot(UINT msg, WPARAM wParam, LPARAM lParam);
  // Commit (state 4) or cancel (state 3) of the open entry, then its removal.
  void TextEntryStep();
  void CommitTextEntry();
  // Removes the entry and clears every field that refers to it.
  void EndTextEntry();
  void ClearTextEntry();
  // The window is gone (closed by us or destroyed with its parent): forget it,
  // the entry and the tooltip, and give up this window's share of the class.
  void ForgetWindow();
  void ShowTooltip();
  void HideTooltip();
  // The MK_ bit of a button message's button, 0 for other messages.
  static WPARAM ButtonOf(UINT msg);
  // True when msg is another button's than the one whose press holds a
  // control, and that one is still down by the key state keys.
  bool HeldByAnotherButton(UINT msg, WPARAM keys) const;
  // Gives the mouse back; the mouse-up that follows ends the change.
  void ReleaseOwnCapture();
  // Invalidates the whole editor (no erase).
  void RepaintAll();
  // The menu of `desc` and its sub-menus, their command ids numbered into `ids`.
  HMENU BuildMenu(PopupMenuDesc& desc, PopupMenuIds& ids);

  HINSTANCE mHInstance = nullptr;
  HWND mPlugWnd = nullptr;
  HWND mParamEditWnd = nullptr;
  HWND mTooltipWnd = nullptr;
  IControl* mEdControl = nullptr;
  IParamRecord* mEdParam = nullptr;
  WNDPROC mDefEditProc = nullptr;
  HFONT mEdFont = nullptr;  // the entry's font, deleted with the entry
  int mParamEditMsg = kEntryIdle;
  bool mShowingTooltip = false;
  int mTooltipIdx = -1;
  COLORREF* mCustomColours = nullptr;
  DWORD mPID = 0;
  HWND mParentWnd = nullptr;
  HWND mMainWnd = nullptr;
  TextBuffer mMainWndClassName;
  // Set while a key message travels to the root ancestor, so one that comes
  // back to this window is not sent on again.
  bool mForwardingKey = false;
  // Set while this window releases the mouse itself, so the capture change
  // that the release sends is not taken for a loss.
  bool mReleasingCapture = false;
  // Set when a lost capture ended the pressed control's change: the button's
  // release, should it still reach this window, ends nothing more.
  bool mPressEnded = false;
  // The MK_ bit of the button whose press holds a control, 0 when none.
  WPARAM mPressButton = 0;
};
