// The pixel store of LICE_SysBitmap in builds without GDI: heap pixels, no
// device context.
#include "drawing/LICE_SysBitmap.h"

#include <cstdlib>

LICE_SysBitmap::LICE_SysBitmap(int width, int height)
{
  Resize(width, height);
}

LICE_SysBitmap::~LICE_SysBitmap()
{
  FreeSection();
}

void LICE_SysBitmap::FreeSection()
{
  free(mSection);
  mSection = nullptr;
  mPrevBitmap = nullptr;  // only a DC has a bitmap to restore
  mBits = nullptr;
}

bool LICE_SysBitmap::CanHoldPixels() const
{
  return true;
}

bool LICE_SysBitmap::CreateSection()
{
  const size_t bytes = (size_t)mAllocWidth * (size_t)mAllocHeight * sizeof(LICE_Pixel);
  // 64-byte alignment like a DIB section's page-aligned bits.
  mSection = aligned_alloc(64, (bytes + 63) & ~(size_t)63);
  mBits = (LICE_Pixel*)mSection;
  return mBits != nullptr;
}
