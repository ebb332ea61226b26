#pragma once
// Windows builds only: selects a GDI font into a DC for the lifetime of the
// object and restores the previous one. A null font keeps the DC's own.

#include <windows.h>

class LICE_SelectedFont
{
public:
  LICE_SelectedFont(HDC dc, HFONT font) : mDC(dc), mPrevious(font ? SelectObject(dc, font) : nullptr) {}
  ~LICE_SelectedFont()
  {
    if (mPrevious)
      SelectObject(mDC, mPrevious);
  }
  LICE_SelectedFont(const LICE_SelectedFont&) = delete;
  LICE_SelectedFont& operator=(const LICE_SelectedFont&) = delete;

  // Selects the font again, e.g. after the DC's bitmap was replaced.
  void Reselect(HFONT font)
  {
    if (font)
      SelectObject(mDC, font);
  }

private:
  HDC mDC;
  HGDIOBJ mPrevious;
};
