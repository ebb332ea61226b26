// libFuzzer target: LICE_LoadPNGFromMemory on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "drawing/LICE_MemBitmap.h"
#include "drawing/LICE_PNG.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size > 0x7FFFFFFF)
    return 0;
  LICE_MemBitmap* bm = LICE_LoadPNGFromMemory(data, (int)size);
  if (bm)
  {
    // Touch every reported pixel so a size larger than the buffer shows up.
    volatile uint32_t sum = 0;
    for (int y = 0; y < bm->GetHeight(); ++y)
    {
      const LICE_Pixel* row = LICE_RowPointer(bm, y);
      for (int x = 0; x < bm->GetWidth(); ++x)
        sum = sum + row[x];
    }
    delete bm;
  }
  return 0;
}
