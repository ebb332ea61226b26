#pragma once

#include "drawing/LICE_IBitmap.h"

// The window-sized draw target. On Windows its pixels are a top-down 32-bit DIB
// section selected into a memory device context, so GDI can draw into it and the
// window can be painted from it. Other builds keep the pixels on the heap and
// have no device context.
class LICE_SysBitmap : public LICE_IBitmap
{
public:
  explicit LICE_SysBitmap(int width = 0, int height = 0);
  ~LICE_SysBitmap() override;

  LICE_SysBitmap(const LICE_SysBitmap&) = delete;
  LICE_SysBitmap& operator=(const LICE_SysBitmap&) = delete;

  LICE_Pixel* GetBits() override { return mBits; }
  int GetWidth() override { return mWidth; }
  int GetHeight() override { return mHeight; }
  int GetRowSpan() override { return mAllocWidth; }
  bool IsFlipped() override { return false; }
  // True when the size changed and pixels exist for it; false for the same
  // size, a zero size or a failed allocation.
  bool Resize(int width, int height) override;
  HDC GetDeviceContext() override { return mDC; }
  intptr_t Extended(int, void*) override { return 0; }

private:
  // Platform parts. False when no pixel store can ever be made (Windows: no DC).
  bool CanHoldPixels() const;
  // Makes a store of mAllocWidth x mAllocHeight pixels and sets mBits; false on failure.
  bool CreateSection();
  // Frees the current pixel store (and, on Windows, deselects the section).
  void FreeSection();

  int mWidth = 0;
  int mHeight = 0;
  HDC mDC = nullptr;
  LICE_Pixel* mBits = nullptr;
  int mAllocWidth = 0;
  int mAllocHeight = 0;
  void* mSection = nullptr;     // HBITMAP on Windows, the heap block elsewhere
  void* mPrevBitmap = nullptr;  // bitmap the section replaced in mDC (Windows)
};
