// The VST2 library's entry: one distortion plug-in object per call.

#include "effect/ZentikQX40.h"

#include "formats/vst2/Vst2Module.h"

#include <new>

namespace {

IPlugVST* CreatePlugin(audioMasterCallback host)
{
  return new (std::nothrow) ZentikQX40(host);
}

} // namespace

// Exported undecorated, and again as "main" (ZentikQX40Vst2.def).
extern "C" AEffect* VSTPluginMain(audioMasterCallback host)
{
  return Vst2CreateEffect(host, CreatePlugin);
}
