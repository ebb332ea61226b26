#pragma once
// A graphics context without a window, for tests: it draws into its draw
// bitmap in memory, loads images from a resource module the test names, and
// records what the platform side was asked to do (screen copies, popup
// menus, text entries).

#include <string>
#include <vector>

#include "gui/IGraphics.h"

class IGraphicsHeadless : public IGraphics
{
public:
  IGraphicsHeadless(IPlugBase* plug, int width, int height, int fps = 0) : IGraphics(plug, width, height, fps) {}

  // Where LoadPNGResource finds the images (null: none load).
  void SetResourceModule(HINSTANCE module) { mModule = module; }

  // The drawing-mode and overlay flags the system never changes.
  void SetStrictDrawing(bool strict) { mStrict = strict; }
  void SetShowControlBounds(bool show) { mShowControlBounds = show; }
  void SetHandleMouseOver(bool handle) { mHandleMouseOver = handle; }

  bool DrawScreen(const IRectangle& r) override
  {
    mScreenRects.push_back(r);
    return true;
  }
  void CancelTextEntry() override {}
  int ShowMessageBox(const char*, const char*, int) override { return 0; }
  // Chooses mPopupChoice (-1: nothing) of the top-level menu.
  PopupMenuDesc* ShowPopupMenu(PopupMenuDesc* menu, IRectangle* rect) override;
  void CreateTextEntry(IControl* control, const ITextStyle* style, IRectangle* rect, const char* text,
                       IParamRecord* param) override;
  void HostPath(TextBuffer*) override {}
  void PluginPath(TextBuffer*) override {}
  void DesktopPath(TextBuffer*) override {}
  void AppSupportPath(TextBuffer*, bool) override {}
  void UserDataPath(TextBuffer*) override {}
  void PromptForFile(TextBuffer*, int, TextBuffer*, const char*) override {}
  bool PromptForColour(IColourRGBA*, const char*) override { return false; }
  bool OpenURL(const char*, const char*, const char*, const char*) override { return false; }
  void* OpenWindow(void*) override { return nullptr; }
  void CloseWindow() override {}
  void* GetWindow() override { return nullptr; }
  bool GetTextFromClipboard(TextBuffer*) override { return false; }
  void ReservedHookC() override {}
  LICE_IBitmap* LoadPNGResource(int id, const char* name) override;

  struct PopupCall
  {
    std::vector<std::string> mItems;
    std::vector<int> mFlags;
    IRectangle mRect;
  };
  struct TextEntryCall
  {
    IControl* mControl;
    IRectangle mRect;
    std::string mText;
    IParamRecord* mParam;
  };

  int mPopupChoice = -1;
  std::vector<IRectangle> mScreenRects;
  std::vector<PopupCall> mPopups;
  std::vector<TextEntryCall> mTextEntries;
  int mImageLoads = 0;

private:
  HINSTANCE mModule = nullptr;
};

// The editor images of this test executable: its own resources on Windows,
// the embedded table elsewhere.
HINSTANCE TestImageModule();
