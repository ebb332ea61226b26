// The system services of IGraphicsWin: message box, special folders, file
// and colour dialogs, opening a URL and reading the clipboard. Every result a
// Windows call writes lands in a buffer of known size; a result that did not
// fit counts as a failure rather than a cut path.

#include "gui/IGraphicsWin.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wininet.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "framework/TextCopy.h"
#include "gui/PromptRules.h"

namespace {

// The longest path the services hand out, in characters.
const int kMaxPathChars = 256;

// The module's path cut after its last backslash (kept); "" when the path
// cannot be had, is too long, has no backslash or ends in it.
void ModuleDirectory(HMODULE module, TextBuffer& path)
{
  char buf[kMaxPathChars + 1];
  const DWORD n = GetModuleFileNameA(module, buf, kMaxPathChars + 1);
  if (n == 0 || n > DWORD(kMaxPathChars))
  {
    path.Set("");
    return;
  }
  buf[n] = '\0';
  char* slash = std::strrchr(buf, '\\');
  if (!slash || slash[1] == '\0')
  {
    path.Set("");
    return;
  }
  slash[1] = '\0';
  path.Set(buf);
}

// Copies a folder the shell wrote into a MAX_PATH buffer; too long gives "".
void SetFolder(TextBuffer& path, bool ok, char* buf)
{
  buf[MAX_PATH - 1] = '\0';
  if (ok && std::strlen(buf) <= size_t(kMaxPathChars))
    path.Set(buf);
  else
    path.Set("");
}

UINT_PTR CALLBACK ColourHook(HWND dialog, UINT msg, WPARAM, LPARAM lParam)
{
  if (msg == WM_INITDIALOG && lParam)
  {
    const CHOOSECOLORA* cc = reinterpret_cast<const CHOOSECOLORA*>(lParam);
    if (cc->lCustData)
      SetWindowTextA(dialog, reinterpret_cast<const char*>(cc->lCustData));
  }
  return 0;
}

} // namespace

int IGraphicsWin::ShowMessageBox(const char* text, const char* caption, int type)
{
  return MessageBoxA(FindMainWindow(), text, caption, UINT(type));
}

void IGraphicsWin::HostPath(TextBuffer* path)
{
  if (path)
    ModuleDirectory(nullptr, *path);
}

void IGraphicsWin::PluginPath(TextBuffer* path)
{
  if (!path)
    return;
  // Without a module instance GetModuleFileName would name the host.
  if (!mHInstance)
  {
    path->Set("");
    return;
  }
  ModuleDirectory(mHInstance, *path);
}

void IGraphicsWin::DesktopPath(TextBuffer* path)
{
  if (!path)
    return;
  char buf[MAX_PATH] = "";
  SetFolder(*path, SHGetSpecialFolderPathA(nullptr, buf, CSIDL_DESKTOP, FALSE) != FALSE, buf);
}

void IGraphicsWin::AppSupportPath(TextBuffer* path, bool common)
{
  if (!path)
    return;
  char buf[MAX_PATH] = "";
  const int folder = common ? CSIDL_COMMON_APPDATA : CSIDL_LOCAL_APPDATA;
  SetFolder(*path, SUCCEEDED(SHGetFolderPathA(nullptr, folder, nullptr, 0, buf)), buf);
}

void IGraphicsWin::UserDataPath(TextBuffer* path)
{
  AppSupportPath(path, false);
}

void IGraphicsWin::PromptForFile(TextBuffer* pFile, int action, TextBuffer* pDirectory,
                                 const char* extensions)
{
  if (!pFile || !pDirectory)
    return;
  TextBuffer& file = *pFile;
  TextBuffer& directory = *pDirectory;
  if (!mPlugWnd)
  {
    file.Set("");
    return;
  }

  char fileName[kMaxPathChars] = "";
  CopyTextBounded(fileName, file.Get(), sizeof(fileName));
  if (directory.GetLength() == 0)
    DesktopPath(&directory);

  // The filter holds the pattern twice (display text, then masks), and ends
  // in an empty entry.
  char pattern[256];
  char defExt[16];
  BuildFileFilter(extensions, pattern, sizeof(pattern), defExt, sizeof(defExt));
  char filter[2 * sizeof(pattern) + 2];
  const size_t plen = std::strlen(pattern);
  std::memcpy(filter, pattern, plen + 1);
  std::memcpy(filter + plen + 1, pattern, plen + 1);
  filter[2 * plen + 2] = '\0';

  OPENFILENAMEA ofn;
  std::memset(&ofn, 0, sizeof(ofn));
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = mPlugWnd;
  ofn.lpstrFile = fileName;
  ofn.nMaxFile = sizeof(fileName);
  ofn.lpstrInitialDir = directory.Get();
  if (plen > 0)
  {
    ofn.lpstrFilter = filter;
    if (defExt[0])
      ofn.lpstrDefExt = defExt;
  }

  BOOL ok;
  if (action == 1)
  {
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
    ok = GetSaveFileNameA(&ofn);
  }
  else
  {
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    ok = GetOpenFileNameA(&ofn);
  }

  if (!ok)
  {
    file.Set("");
    return;
  }
  fileName[sizeof(fileName) - 1] = '\0';
  char drive[_MAX_DRIVE] = "";
  char dir[_MAX_DIR] = "";
  if (_splitpath_s(fileName, drive, sizeof(drive), dir, sizeof(dir), nullptr, 0, nullptr, 0) == 0)
    directory.SetFormatted(kMaxPathChars, "%s%s", drive, dir);
  file.Set(fileName);
}

bool IGraphicsWin::PromptForColour(IColourRGBA* pColour, const char* prompt)
{
  if (!pColour || !mPlugWnd)
    return false;
  IColourRGBA& colour = *pColour;
  // Kept for the editor's life, so the user's custom colours stay.
  if (!mCustomColours)
    mCustomColours = new COLORREF[16]();

  CHOOSECOLORA cc;
  std::memset(&cc, 0, sizeof(cc));
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = mPlugWnd;
  cc.rgbResult = RGB(colour.mR, colour.mG, colour.mB);
  cc.lpCustColors = mCustomColours;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK | CC_SOLIDCOLOR | CC_ANYCOLOR;
  cc.lCustData = reinterpret_cast<LPARAM>(prompt);
  cc.lpfnHook = ColourHook;
  if (!ChooseColorA(&cc))
    return false;
  colour.mR = GetRValue(cc.rgbResult);
  colour.mG = GetGValue(cc.rgbResult);
  colour.mB = GetBValue(cc.rgbResult);
  return true;
}

bool IGraphicsWin::OpenURL(const char* url, const char* windowTitle, const char* confirmText,
                           const char* errorText)
{
  if (confirmText && MessageBoxA(mPlugWnd, confirmText, windowTitle, MB_YESNO) != IDYES)
    return false;
  DWORD state = 0;
  if (url && InternetGetConnectedState(&state, 0) &&
      reinterpret_cast<INT_PTR>(ShellExecuteA(mPlugWnd, "open", url, nullptr, nullptr, SW_SHOWNORMAL)) > 32)
    return true;
  if (errorText)
    MessageBoxA(mPlugWnd, errorText, windowTitle, MB_OK);
  return false;
}

bool IGraphicsWin::GetTextFromClipboard(TextBuffer* pText)
{
  if (!pText)
    return false;
  TextBuffer& text = *pText;
  bool ok = false;
  if (IsClipboardFormatAvailable(CF_UNICODETEXT) && OpenClipboard(mPlugWnd))
  {
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* wide = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (wide)
    {
      // The block need not hold a terminator: convert no further than its size.
      const size_t maxChars = GlobalSize(data) / sizeof(wchar_t);
      const int len = int(wcsnlen(wide, maxChars));
      const int size = len ? WideCharToMultiByte(CP_UTF8, 0, wide, len, nullptr, 0, nullptr, nullptr) : 0;
      char* utf8 = size > 0 ? static_cast<char*>(std::malloc(size_t(size) + 1)) : nullptr;
      if (len == 0)
      {
        text.Set("");
        ok = true;
      }
      else if (utf8 && WideCharToMultiByte(CP_UTF8, 0, wide, len, utf8, size, nullptr, nullptr) == size)
      {
        utf8[size] = '\0';
        text.Set(utf8);
        ok = true;
      }
      std::free(utf8);
      GlobalUnlock(data);
    }
    CloseClipboard();
  }
  if (!ok)
    text.Set("");
  return ok;
}
