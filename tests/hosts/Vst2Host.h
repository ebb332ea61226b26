#pragma once

// A VST2 host of our own: creates an effect through its entry function with a
// host callback that records every call, answers the host queries a plug-in
// makes (time information, product, version, process level), and drives the
// effect through its dispatcher and audio callbacks.

#include "formats/vst2/VstAbi.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace zqhost {

using Buffers = std::vector<std::vector<double>>;
using Vst2Entry = AEffect* (*)(audioMasterCallback);

// One call the plug-in made to the host.
struct Vst2HostCall
{
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  float opt;
};

class Vst2Host
{
public:
  // Calls the entry with this host's callback; effect() is null when it gave none.
  explicit Vst2Host(Vst2Entry entry);
  // Closes the effect if it is still open.
  ~Vst2Host();

  Vst2Host(const Vst2Host&) = delete;
  Vst2Host& operator=(const Vst2Host&) = delete;

  AEffect* effect() const { return mEffect; }
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);
  // Opcode 1; the effect is gone afterwards.
  void close();

  // open, sample rate, block size, resume: what a host does before audio.
  void start(double sampleRate, int maxBlock);

  // A text result of a dispatcher opcode, into a buffer of `size` bytes
  // pre-filled with 0x7F; `written` tells how many bytes changed.
  std::string text(VstInt32 opcode, VstInt32 index, int size, VstIntPtr* result = nullptr,
                   int* written = nullptr);

  // Calls recorded so far with `opcode`.
  std::vector<Vst2HostCall> calls(VstInt32 opcode) const;
  // Every call recorded so far, in order.
  std::vector<Vst2HostCall> calls() const;
  void clearCalls();

  // What the host answers.
  std::string productName = "vst2host";
  VstIntPtr vendorVersion = 2400;
  VstIntPtr processLevel = 1;        // realtime
  bool timeAvailable = true;
  VstTimeInfo timeInfo;
  VstIntPtr processEventsAnswer = 1;
  // Events the plug-in sent (kAudioMasterProcessEvents), each copied whole.
  std::vector<std::vector<uint8_t>> sentEvents;

  // The callback every effect made here gets; it finds its host by effect.
  static VstIntPtr VSTCALLBACK callback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                        VstIntPtr value, void* ptr, float opt);

private:
  VstIntPtr answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

  AEffect* mEffect = nullptr;
  mutable std::mutex mCallsLock;
  std::vector<Vst2HostCall> mCalls;
};

// Block-wise processing of whole signals (one vector per channel) through the
// effect's float (32-bit) or double replacing callback.
class Vst2Processor
{
public:
  Vst2Processor(AEffect* effect, bool use64) : mEffect(effect), mUse64(use64) {}
  // `frames` frames from `pos` of in into out at the same position.
  void process(const Buffers& in, Buffers& out, size_t pos, int frames);

private:
  AEffect* mEffect;
  bool mUse64;
  std::vector<std::vector<float>> mFloatIn, mFloatOut;
};

} // namespace zqhost
