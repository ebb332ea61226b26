#include "drawing/LICE_FileOpen.h"

FILE* LICE_OpenFileForReading(const char* utf8Path)
{
  return fopen(utf8Path, "rb");
}
