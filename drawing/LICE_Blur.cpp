#include <cstdlib>
#include <cstring>

#include "drawing/LICE_Blit.h"

namespace
{
  inline LICE_Pixel Half(LICE_Pixel p) { return (p >> 1) & 0x7F7F7F7F; }
  inline LICE_Pixel Quarter(LICE_Pixel p) { return (p >> 2) & 0x3F3F3F3F; }
  inline LICE_Pixel Eighth(LICE_Pixel p) { return (p >> 3) & 0x1F1F1F1F; }

  constexpr int kStackWidth = 1024;

  // First and last rows: one neighbour row (below, or the blurred row above).
  // self/left come from the unblurred copy when there is one.
  void BlurEdgeRow(LICE_Pixel* row, const LICE_Pixel* orig, const LICE_Pixel* other, int w)
  {
    const LICE_Pixel* o = orig ? orig : row;
    LICE_Pixel left = o[0];
    row[0] = Half(o[0]) + Quarter(o[1]) + Quarter(other[0]);
    for (int x = 1; x < w - 1; ++x)
    {
      const LICE_Pixel self = o[x];
      row[x] = Half(self) + Eighth(left) + Eighth(o[x + 1]) + Quarter(other[x]);
      left = self;
    }
    row[w - 1] = Half(o[w - 1]) + Quarter(left) + Quarter(other[w - 1]);
  }

  void BlurInnerRow(LICE_Pixel* row, const LICE_Pixel* orig, const LICE_Pixel* above, const LICE_Pixel* below, int w)
  {
    const LICE_Pixel* o = orig ? orig : row;
    LICE_Pixel left = o[0];
    row[0] = Half(o[0]) + Quarter(o[1]) + Eighth(above[0]) + Eighth(below[0]);
    for (int x = 1; x < w - 1; ++x)
    {
      const LICE_Pixel self = o[x];
      row[x] = Half(self) + Eighth(left) + Eighth(o[x + 1]) + Eighth(above[x]) + Eighth(below[x]);
      left = self;
    }
    row[w - 1] = Half(o[w - 1]) + Quarter(left) + Eighth(above[w - 1]) + Eighth(below[w - 1]);
  }
}

void LICE_BlurRaster(LICE_IBitmap* raster, int width, int height)
{
  if (!raster)
    return;
  if (width > raster->GetWidth())
    width = raster->GetWidth();
  if (height > raster->GetHeight())
    height = raster->GetHeight();
  if (width < 2 || height < 2 || !raster->GetBits())
    return;

  // Unblurred copies of the previous and the current row.
  LICE_Pixel stackBuf[2 * kStackWidth];
  LICE_Pixel* heapBuf = nullptr;
  LICE_Pixel* buf = stackBuf;
  if (width > kStackWidth)
  {
    heapBuf = (LICE_Pixel*)malloc(sizeof(LICE_Pixel) * 2 * (size_t)width);
    buf = heapBuf;
  }
  LICE_Pixel* prev = buf;
  LICE_Pixel* cur = buf ? buf + width : nullptr;
  const size_t rowBytes = sizeof(LICE_Pixel) * (size_t)width;

  LICE_Pixel* row = LICE_RowPointer(raster, 0);
  const ptrdiff_t stride = LICE_RowStride(raster);

  if (cur)
    memcpy(cur, row, rowBytes);
  BlurEdgeRow(row, cur, row + stride, width);

  for (int y = 1; y < height - 1; ++y)
  {
    LICE_Pixel* r = row + stride * y;
    if (cur)
    {
      LICE_Pixel* t = prev;
      prev = cur;
      cur = t;
      memcpy(cur, r, rowBytes);
    }
    // Without a buffer the row above is read as already blurred.
    BlurInnerRow(r, cur, prev ? prev : r - stride, r + stride, width);
  }

  LICE_Pixel* last = row + stride * (height - 1);
  if (cur)
    memcpy(cur, last, rowBytes);
  BlurEdgeRow(last, cur, last - stride, width);

  free(heapBuf);
}
