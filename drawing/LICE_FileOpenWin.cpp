#include "drawing/LICE_FileOpen.h"

#include <windows.h>

FILE* LICE_OpenFileForReading(const char* utf8Path)
{
  WCHAR wide[2048];
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Path, -1, wide, 2048) > 0)
  {
    if (FILE* fp = _wfopen(wide, L"rb"))
      return fp;
  }
  return fopen(utf8Path, "rb");
}
