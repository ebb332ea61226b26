#pragma once

#include "drawing/LICE_IBitmap.h"

// A bitmap in plain heap memory: rows of whole multiples of 4 pixels, the first
// pixel 64-byte aligned. The buffer only ever grows.
class LICE_MemBitmap : public LICE_IBitmap
{
public:
  explicit LICE_MemBitmap(int width = 0, int height = 0);
  ~LICE_MemBitmap() override;

  LICE_MemBitmap(const LICE_MemBitmap&) = delete;
  LICE_MemBitmap& operator=(const LICE_MemBitmap&) = delete;

  LICE_Pixel* GetBits() override;
  int GetWidth() override { return mWidth; }
  int GetHeight() override { return mHeight; }
  int GetRowSpan() override { return (mWidth + 3) & ~mRowGranularityMask; }
  bool IsFlipped() override { return false; }
  bool Resize(int width, int height) override;
  HDC GetDeviceContext() override { return nullptr; }
  intptr_t Extended(int, void*) override { return 0; }

  // Usable bytes of the buffer (the alignment slack not counted).
  int GetAllocatedBytes() const { return mAllocatedBytes; }

private:
  void* mBuffer = nullptr;
  int mWidth = 0;
  int mHeight = 0;
  int mAllocatedBytes = 0;
  int mRowGranularityMask = 3;
};
