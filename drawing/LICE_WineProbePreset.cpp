// Apart from the probe, so that only the programs that preset it link it.
#include "drawing/LICE_CachedFont.h"

void LICE_CachedFont::PresetWineProbeForTests(int isWine)
{
  IsWineHost = isWine < 0 ? -1 : (isWine ? 1 : 0);
}
