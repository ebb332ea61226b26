// Linked into test executables only, never into the plug-in libraries.
#include "drawing/LICE_CachedFont.h"

void LICE_CachedFont::PresetWineProbeForTests(int isWine)
{
  IsWineHost = isWine < 0 ? -1 : (isWine ? 1 : 0);
}
