#pragma once
// The VST3 adapter through a real library under Wine: the test plug-ins of
// ZqTestPlug.vst3 in the shapes the distortion effect lacks (instrument with
// MIDI, side-chain, parameter groups, latency, edits reported to the host).
// Natively the same tests drive the test plug-ins linked in.

#include "tests/hosts/HostClasses.h"
#include "tests/hosts/PluginInstance.h"
#include "tests/hosts/PluginModule.h"
#include "tests/hosts/QuietStdout.h"

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/ivstunits.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>

namespace adaptertest {

using namespace zqhost;

enum TestClass { kGain = 0, kSynth = 1, kSide = 2, kSeven = 3 };

const ParamID kBypass = 0x62706173;   // 'bpas'
const ParamID kPreset = 0x70727374;   // 'prst'

// One loaded library with one initialised instance of a test class.
struct Loaded
{
  explicit Loaded(TestClass which, const char* hostName = "vst3host")
  : host(hostName)
  {
    std::string error;
    module = PluginModule::load(ZQ_TESTPLUG_PATH, error);
    if (!module)
    {
      ADD_FAILURE() << error;
      return;
    }
    TUID cid = {};
    std::memcpy(cid, "ZQ-TESTPLUG-", 12);
    cid[12] = static_cast<int8>('0' + which);
    plug = PluginInstance::create(module->factory(), cid, error);
    if (!plug)
    {
      ADD_FAILURE() << error;
      return;
    }
    EXPECT_EQ(plug->initialize(&host, &handler), kResultOk);
  }
  ~Loaded()
  {
    if (plug)
      plug->terminate();
    plug.reset();
  }
  bool ok() const { return plug != nullptr; }
  // Set up for processing (64-bit unless asked otherwise) and started.
  bool running(double rate, int32 maxBlock, int32 sampleSize = kSample64,
               int32 mode = kRealtime)
  {
    return ok() && plug->setup(rate, maxBlock, sampleSize, mode) == kResultOk &&
           plug->start() == kResultOk;
  }

  ParameterInfo info(ParamID id)
  {
    ParameterInfo pi = {};
    for (int32 i = 0; i < plug->controller->getParameterCount(); ++i)
      if (plug->controller->getParameterInfo(i, pi) == kResultOk && pi.id == id)
        return pi;
    ADD_FAILURE() << "no parameter " << id;
    return pi;
  }
  BusInfo bus(MediaType type, BusDirection dir, int32 index)
  {
    BusInfo bi = {};
    EXPECT_EQ(plug->component->getBusInfo(type, dir, index, bi), kResultOk);
    return bi;
  }
  IUnitInfo* units()
  {
    IUnitInfo* u = nullptr;
    plug->component->queryInterface(IUnitInfo::iid, reinterpret_cast<void**>(&u));
    return u;
  }

  NamedHostApplication host;
  RecordingComponentHandler handler;
  std::unique_ptr<PluginModule> module;
  std::unique_ptr<PluginInstance> plug;
};

inline Buffers ramp(size_t channels, size_t frames)
{
  Buffers b(channels, std::vector<double>(frames));
  for (size_t c = 0; c < channels; ++c)
    for (size_t i = 0; i < frames; ++i)
      b[c][i] = 0.001 * double(i % 700) - 0.3 + 0.1 * double(c);
  return b;
}

// Processes one block with stdout quiet (the framework reports float attaches there).
inline tresult run(PluginInstance& p, const Buffers& in, Buffers& out, int32 n,
            IParameterChanges* changes = nullptr, ProcessContext* ctx = nullptr,
            IEventList* events = nullptr, const std::vector<int>& outLayout = {})
{
  QuietStdout quiet;
  return p.processBlock(in, 0, out, 0, n, changes, ctx, events, {}, outLayout);
}

} // namespace adaptertest
