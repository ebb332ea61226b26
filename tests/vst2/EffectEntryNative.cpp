#include "tests/vst2/EffectFixture.h"

extern "C" AEffect* VSTPluginMain(audioMasterCallback host);

namespace zqtest {

zqhost::Vst2Entry EffectEntry()
{
  return VSTPluginMain;
}

} // namespace zqtest
