// The test library's factory: one class per adapter shape under test.

#include "tests/vst3/testplug/TestPlug.h"

#include "formats/vst3/PluginFactory.h"
#include "framework/PlugCreationLock.h"
#include "formats/vst3/Vst3Module.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <cstring>
#include <mutex>
#include <new>

using namespace Steinberg;

namespace {

// Class ids "ZQ-TESTPLUG-0" .. "-3", zero padded.
const TestPlugConfig kConfigs[] = {
  {"ZQ Test Gain", "1-1 2-2", 2, 0, false, false, 0},
  {"ZQ Test Synth", "0-6", 0, 0, true, true, 0},
  {"ZQ Test Side", "5-2", 1, 5, false, false, 3},
  {"ZQ Test Seven", "7-2", 1, 0, false, false, 0},
};

template <int Index>
FUnknown* createPlug(void*)
{
  return Vst3CreateInstance([]() -> FUnknown* {
    std::lock_guard<RecursiveLock> lock(PlugCreationLock());
    TestPlug* plug = new (std::nothrow) TestPlug(kConfigs[Index]);
    return plug ? static_cast<Vst::IAudioProcessor*>(plug) : nullptr;
  });
}

const CPluginFactory::CreateFunc kCreate[] = {createPlug<0>, createPlug<1>, createPlug<2>, createPlug<3>};

} // namespace

extern "C" SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory()
{
  if (gPluginFactory)
  {
    gPluginFactory->addRef();
    return gPluginFactory;
  }
  PFactoryInfo info("Zentik", "https://www.zentik.audio", "support@zentik.audio", PFactoryInfo::kUnicode);
  auto* factory = new (std::nothrow) CPluginFactory(info);
  if (!factory)
    return nullptr;
  for (int i = 0; i < 4; ++i)
  {
    TUID cid = {};
    std::memcpy(cid, "ZQ-TESTPLUG-", 12);
    cid[12] = static_cast<int8>('0' + i);
    PClassInfo2 ci(cid, PClassInfo::kManyInstances, kVstAudioEffectClass, kConfigs[i].name, 2,
                   kConfigs[i].isInst ? "Instrument" : "Fx", "", "1.2.3", "VST 3.5.2");
    factory->registerClass(ci, kCreate[i]);
  }
  gPluginFactory = factory;
  return factory;
}
