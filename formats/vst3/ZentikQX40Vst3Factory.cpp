// The VST3 library's factory: one audio-effect class, the distortion plug-in.

#include "effect/ZentikQX40.h"

#include "formats/vst3/PluginFactory.h"
#include "formats/vst3/Vst3Module.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <new>

using namespace Steinberg;

namespace {

// The class id, in the byte order hosts receive: two fixed words as they lie
// in memory (little-endian), then the maker id 'Zntk' and the plug-in's
// unique id 'QX40', each first character first.
const TUID kClassID = {
  static_cast<int8>(0x0D), static_cast<int8>(0xE7), static_cast<int8>(0xAE), static_cast<int8>(0xF2),
  static_cast<int8>(0x4E), static_cast<int8>(0x4F), static_cast<int8>(0xDE), static_cast<int8>(0x00),
  'Z', 'n', 't', 'k',
  'Q', 'X', '4', '0',
};

FUnknown* createPlugin(void* context)
{
  (void)context;
  return Vst3CreateInstance([]() { return CreateVst3Instance(nullptr); });
}

} // namespace

extern "C" SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory()
{
  // No lock: hosts call this once, from one thread.
  try
  {
    if (gPluginFactory)
    {
      gPluginFactory->addRef();
      return gPluginFactory;
    }
    static const PFactoryInfo factoryInfo("Zentik", "https://www.zentik.audio",
                                          "support@zentik.audio", PFactoryInfo::kUnicode);
    static const PClassInfo2 classInfo(kClassID, PClassInfo::kManyInstances, kVstAudioEffectClass,
                                       "ZentikQX40", Vst::kSimpleModeSupported, "Fx|Distortion",
                                       "", "1.1.1", "VST 3.5.2");
    auto* factory = new (std::nothrow) CPluginFactory(factoryInfo);
    if (!factory)
      return nullptr;
    if (!factory->registerClass(classInfo, createPlugin))
    {
      factory->release();
      return nullptr;
    }
    gPluginFactory = factory;
    return factory;
  }
  catch (...)
  {
    return nullptr;
  }
}
