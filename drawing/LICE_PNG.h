#pragma once
// PNG decoding into 32-bit bitmaps (LICE_Pixel order, alpha kept as stored,
// not premultiplied). Every failure gives null and leaves nothing allocated.

#include "drawing/LICE_IBitmap.h"

class LICE_MemBitmap;

// The resource of type "PNG" with the integer id (low 16 bits) in module.
LICE_IBitmap* LICE_LoadPNGFromResource(HINSTANCE module, int id);

// Decodes size bytes at data into a new bitmap that the caller owns.
LICE_MemBitmap* LICE_LoadPNGFromMemory(const void* data, int size);

// Decodes the file at path (UTF-8) into bitmap, resized to fit, or into a new
// LICE_MemBitmap when bitmap is null. A caller's bitmap is never deleted.
LICE_IBitmap* LICE_LoadPNG(const char* path, LICE_IBitmap* bitmap = nullptr);

// As LICE_LoadPNG; with checkExtension the name must end in ".png" (any case).
LICE_IBitmap* LICE_LoadPNGByName(const char* path, bool checkExtension, LICE_IBitmap* bitmap);

const char* LICE_PNGDescription();

// Process-wide list of file image loaders; the PNG loader enters itself at
// static initialisation.
struct ImageLoaderRecord
{
  LICE_IBitmap* (*mLoad)(const char* path, bool checkExtension, LICE_IBitmap* bitmap);
  const char* (*mDescription)();
  ImageLoaderRecord* mNext;
};
extern ImageLoaderRecord* ImageLoaderList;

#ifndef _WIN32
// Builds without Windows resources pass, as the module handle, a table of
// PNG resources (see LICE_ResourceModuleHandle).
struct LICE_ResourceEntry
{
  int mId;
  const unsigned char* mData;
  int mSize;
};
struct LICE_ResourceModule
{
  const LICE_ResourceEntry* mEntries;
  int mCount;
};
inline HINSTANCE LICE_ResourceModuleHandle(const LICE_ResourceModule* module)
{
  return reinterpret_cast<HINSTANCE>(const_cast<LICE_ResourceModule*>(module));
}
#endif
