#include <windows.h>

#include "drawing/LICE_MemBitmap.h"
#include "drawing/LICE_PNG.h"

LICE_IBitmap* LICE_LoadPNGFromResource(HINSTANCE module, int id)
{
  HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(id & 0xFFFF), "PNG");
  if (!res)
    return nullptr;
  const DWORD size = SizeofResource(module, res);
  if (size < 8 || size > 0x7FFFFFFF)
    return nullptr;
  HGLOBAL handle = LoadResource(module, res);
  const void* data = handle ? LockResource(handle) : nullptr;
  if (!data)
    return nullptr;
  return LICE_LoadPNGFromMemory(data, (int)size);
}
