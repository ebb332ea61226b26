#pragma once

// The shipped VST3 library (ZentikQX40.vst3) loaded by our host in this
// process, and one instance of its effect initialised as a host does.

#include "tests/hosts/HostClasses.h"
#include "tests/hosts/PluginInstance.h"
#include "tests/hosts/PluginModule.h"

#include "pluginterfaces/vst/vstspeaker.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace zqhost {

const unsigned char kZentikQX40ClassID[16] = {0x0D, 0xE7, 0xAE, 0xF2, 0x4E, 0x4F, 0xDE, 0x00,
                                              0x5A, 0x6E, 0x74, 0x6B, 0x51, 0x58, 0x34, 0x30};

inline std::unique_ptr<PluginModule> loadPlugin()
{
  std::string error;
  auto module = PluginModule::load(ZQ_PLUGIN_PATH, error);
  EXPECT_TRUE(module) << error;
  return module;
}

// One instance, initialised as a host does, with its handler and host object.
struct Instance
{
  explicit Instance(PluginModule& module, SpeakerArrangement arrangement = SpeakerArr::kStereo)
  : host("vst3host")
  {
    std::string error;
    plug = PluginInstance::create(module.factory(), reinterpret_cast<const int8*>(kZentikQX40ClassID), error);
    if (!plug)
    {
      ADD_FAILURE() << error;
      return;
    }
    EXPECT_EQ(plug->initialize(&host, &handler), kResultOk);
    SpeakerArrangement in = arrangement, out = arrangement;
    EXPECT_EQ(plug->processor->setBusArrangements(&in, 1, &out, 1), kResultOk);
  }
  ~Instance()
  {
    if (plug)
    {
      plug->stop();
      plug->terminate();
    }
  }
  NamedHostApplication host;
  RecordingComponentHandler handler;
  std::unique_ptr<PluginInstance> plug;
};

} // namespace zqhost
