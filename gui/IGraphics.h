#pragma once
// The platform-independent half of the editor: the owned list of controls,
// the off-screen draw bitmap and the process-wide bitmap and font caches.
// It loads image strips, redraws dirty controls into the draw bitmap, routes
// mouse and key events to controls, pushes parameter values from the plug-in
// into controls and opens value prompts. Everything that needs the window
// system is a virtual operation of the platform class (IGraphicsWin).
//
// Threads: everything runs on the editor's thread except SetParameterFromPlug,
// which the framework may call from the thread that changes parameters (under
// the plug-in lock); it only writes control values and flags. Resize swaps
// the controls and bitmaps under the plug-in lock for the same reason.

#include "framework/PointerList.h"
#include "framework/RecursiveLock.h"
#include "gui/IControl.h"
#include "gui/IGuiTypes.h"
#include "gui/IHostView.h"
#include "gui/IPopupMenu.h"

class IParamRecord;
class IPlugBase;
class LICE_CachedFont;
class LICE_IBitmap;
class LICE_MemBitmap;
class LICE_SysBitmap;
class TextBuffer;

class IGraphics
{
public:
  static const int kDefaultFPS = 25;

  // fps 0 or less selects kDefaultFPS.
  IGraphics(IPlugBase* plug, int width, int height, int fps = 0);

  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

  // ---- Virtual operations, in slot order -------------------------------

  // Copies r of the draw bitmap to the screen.
  virtual bool DrawScreen(const IRectangle& r) = 0;
  // Grows or shrinks rect to the extent of text in style.
  virtual bool MeasureStyledText(ITextStyle& style, const char* text, IRectangle& rect);
  virtual void CancelTextEntry() = 0;
  // Deletes every control and both bitmaps and makes new bitmaps of the new
  // size; the caller attaches controls again.
  virtual void Resize(int width, int height);
  virtual bool WindowIsOpen() { return false; }
  virtual const char* GetDrawingAPIName() { return ""; }
  virtual int ShowMessageBox(const char* text, const char* caption, int type) = 0;
  // The description holding the chosen item (menu or one of its sub-menus),
  // or nullptr when nothing was chosen.
  virtual PopupMenuDesc* ShowPopupMenu(PopupMenuDesc* menu, IRectangle* rect) = 0;
  // Opens a text entry over rect; param is null for a plain text control.
  virtual void CreateTextEntry(IControl* control, const ITextStyle* style, IRectangle* rect, const char* text,
                               IParamRecord* param) = 0;
  virtual void HostPath(TextBuffer* path) = 0;
  virtual void PluginPath(TextBuffer* path) = 0;
  virtual void DesktopPath(TextBuffer* path) = 0;
  virtual void AppSupportPath(TextBuffer* path, bool common) = 0;
  virtual void UserDataPath(TextBuffer* path) = 0;
  // action 1 saves, anything else opens; extensions space-separated or null.
  virtual void PromptForFile(TextBuffer* file, int action, TextBuffer* directory, const char* extensions) = 0;
  virtual bool PromptForColour(IColourRGBA* colour, const char* prompt) = 0;
  virtual bool OpenURL(const char* url, const char* windowTitle, const char* confirmText,
                       const char* errorText) = 0;
  virtual void* ReservedQuery() { return nullptr; }
  // parentWindow is the platform's window handle; returns the editor's, or null.
  virtual void* OpenWindow(void* parentWindow) = 0;
  virtual void ReservedHookA() {}
  virtual void ReservedHookB() {}
  virtual void CloseWindow() = 0;
  virtual void* GetWindow() = 0;
  virtual bool GetTextFromClipboard(TextBuffer* text) = 0;
  virtual ~IGraphics();
  virtual void HideMouseCursor() {}
  virtual void ShowMouseCursor() {}
  virtual void ReservedHookC() = 0;
  // The image resource id (name is its path; only ".png" names load), owned
  // by the caller, or null.
  virtual LICE_IBitmap* LoadPNGResource(int id, const char* name) = 0;

  // The framework's side of the seam (IPlugBase calls these), virtual so a
  // test can watch what the plug-in sends.

  // Makes the window-sized draw bitmap and the (empty) scratch bitmap.
  virtual void PrepareDraw();
  // Pushes a parameter's value into every control bound to it, directly or
  // as an aux binding. value is plain unless normalised is set.
  virtual void SetParameterFromPlug(int paramIdx, double value, bool normalised);

  // ---- Controls ---------------------------------------------------------

  // Takes ownership; returns the control's index.
  int AttachControl(IControl* control);
  // Loads the image id and inserts it as a full-size bitmap control at index 0.
  IBitmapControl* AttachBackground(int id, const char* name);
  // Takes ownership of the control that gets keys no other control takes.
  void AttachKeyCatcher(IControl* control);

  int GetNControls() const { return mControls.GetSize(); }
  // nullptr outside [0, GetNControls()).
  IControl* GetControl(int idx) const { return mControls.Get(idx); }

  // The image id from the process-wide cache (loaded on the first request).
  // A missing image stops the program.
  IBitmapStrip LoadBitmapStrip(int id, const char* name, int frames = 1, bool horizontal = false);

  // The plug-in asks for a value of control's parameter: a popup menu of the
  // display texts, or a text entry with the current value.
  void PromptUserInput(IControl* control, IParamRecord* param, IRectangle* rect);

  // ---- Drawing ----------------------------------------------------------

  // Union of the dirty controls' rects merged into rect; true when any is dirty.
  bool IsDirty(IRectangle& rect);
  // Redraws into the draw bitmap for rect, then DrawScreen(rect).
  bool Draw(const IRectangle& rect);

  bool DrawBitmap(const IBitmapStrip* bitmap, const IRectangle* rect, int srcX, int srcY,
                  const IBlendMode* blend);
  // frame counts from 1.
  bool DrawBitmapFrame(const IBitmapStrip* bitmap, const IRectangle* rect, int frame, const IBlendMode* blend);
  // measure: rect becomes the text's extent instead of drawing.
  bool DrawStyledText(ITextStyle& style, const char* text, IRectangle& rect, bool measure = false);
  void DrawRect(const IRectangle& rect);

  // ---- Mouse and keys (from the window) ----------------------------------

  void OnMouseDown(int x, int y, const IMouseState& mouse);
  void OnMouseUp(int x, int y, const IMouseState& mouse);
  // The window lost the mouse to another window, or went away, or the host's
  // connection is about to go, while a control held it: the control's change
  // ends as its mouse-up would have ended it.
  void OnMouseCaptureLost();
  bool OnMouseOver(int x, int y, const IMouseState& mouse);
  void OnMouseOut();
  // True when the window should capture the mouse.
  bool OnMouseDblClick(int x, int y, const IMouseState& mouse);
  void OnMouseWheel(int x, int y, const IMouseState& mouse, int notches);
  bool OnKeyDown(int x, int y, int key);

  // The topmost control under (x, y) that is neither hidden nor greyed, -1 when none.
  int GetMouseControlIdx(int x, int y, bool moWhenGreyed = false);

  // ---- State -------------------------------------------------------------

  IPlugBase* GetPlug() const { return mPlug; }
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  int FPS() const { return mFPS; }
  LICE_SysBitmap* GetDrawBitmap() const { return mDrawBitmap; }
  const IRectangle& GetDrawRect() const { return mDrawRECT; }
  int GetMouseCapture() const { return mMouseCapture; }
  // The parameter whose edit the mouse holds open (its end notice is due), -1 when none.
  int GetMouseEditParam() const { return mEditParam; }
  // The plug-in is being destroyed: nothing more is sent to it.
  void ForgetPlug();
  // The host's container, while a format adapter has set one; not owned.
  void SetHostView(IHostView* view) { mHostView = view; }
  IHostView* GetHostView() const { return mHostView; }
  int GetMouseOver() const { return mMouseOver; }
  int GetMouseX() const { return mMouseX; }
  int GetMouseY() const { return mMouseY; }
  bool CanHandleMouseOver() const { return mHandleMouseOver; }
  bool TooltipsEnabled() const { return mEnableTooltips; }
  bool ShowControlBounds() const { return mShowControlBounds; }
  bool StrictDrawing() const { return mStrict; }
  IControl* GetKeyCatcher() const { return mKeyCatcher; }

  // ---- Process-wide caches -----------------------------------------------

  // Entries are never removed while the module is loaded; each cache has its
  // own lock, held only for a lookup or an insert.
  static LICE_IBitmap* FindCachedBitmap(int id);
  // Takes ownership; a second bitmap for an id already cached is kept too,
  // and lookups return the first.
  static void AddCachedBitmap(LICE_IBitmap* bitmap, int id);
  static LICE_CachedFont* FindCachedFont(const ITextStyle& style);
  static void AddCachedFont(LICE_CachedFont* font, const ITextStyle& style);
  // The font for style from the cache, made on a miss; also stored in the
  // style. nullptr when the platform cannot make the font.
  static LICE_CachedFont* CacheFontForStyle(ITextStyle& style);

protected:
  // Clears the capture and the last mouse position.
  void ReleaseMouseCapture();
  // Every begin notice the mouse sends is followed by exactly one end: these
  // two are the only senders, and an edit still open ends before a new one.
  void BeginMouseEdit(int paramIdx);
  void EndMouseEdit();

  RecursiveLock mLock;                  // the context's own lock; no operation takes it
  PointerList<IControl> mControls;      // owned; drawn from index 0 up
  IPlugBase* mPlug;
  IRectangle mDrawRECT;
  bool mCursorHidden = false;
  int mHiddenMousePointX = -1;
  int mHiddenMousePointY = -1;
  LICE_SysBitmap* mDrawBitmap = nullptr;   // owned
  LICE_MemBitmap* mTmpBitmap = nullptr;    // owned
  int mWidth;
  int mHeight;
  int mFPS;
  int mMouseCapture = -1;
  int mEditParam = -1;                     // the mouse's open edit, -1 when none
  int mMouseOver = -1;
  int mMouseX = 0;
  int mMouseY = 0;
  bool mHandleMouseOver = false;
  bool mStrict = true;
  bool mEnableTooltips = false;
  bool mShowControlBounds = false;
  IControl* mKeyCatcher = nullptr;         // owned
  IHostView* mHostView = nullptr;          // not owned

private:
  void DrawControlBounds();
};
