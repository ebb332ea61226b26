// Resources without the Windows loader: the module handle is a table of PNG
// entries made by the caller.
#include "drawing/LICE_MemBitmap.h"
#include "drawing/LICE_PNG.h"

LICE_IBitmap* LICE_LoadPNGFromResource(HINSTANCE module, int id)
{
  const LICE_ResourceModule* table = reinterpret_cast<const LICE_ResourceModule*>(module);
  if (!table)
    return nullptr;
  id &= 0xFFFF;
  for (int i = 0; i < table->mCount; ++i)
  {
    const LICE_ResourceEntry& e = table->mEntries[i];
    if (e.mId == id)
      return e.mSize < 8 ? nullptr : LICE_LoadPNGFromMemory(e.mData, e.mSize);
  }
  return nullptr;
}
