#include "tests/hosts/Vst2Host.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

namespace zqhost {

namespace {

std::mutex sRegistryLock;
std::map<AEffect*, Vst2Host*> sRegistry;
// The host whose entry call is running on this thread: calls from inside the
// entry come before the effect is known.
thread_local Vst2Host* sCreating = nullptr;

Vst2Host* hostOf(AEffect* effect)
{
  std::lock_guard<std::mutex> lock(sRegistryLock);
  auto it = sRegistry.find(effect);
  return it != sRegistry.end() ? it->second : sCreating;
}

} // namespace

Vst2Host::Vst2Host(Vst2Entry entry)
{
  std::memset(&timeInfo, 0, sizeof(timeInfo));
  timeInfo.sampleRate = 44100.0;
  timeInfo.tempo = 120.0;
  timeInfo.timeSigNumerator = 4;
  timeInfo.timeSigDenominator = 4;
  timeInfo.flags = kVstTransportPlaying | kVstTempoValid | kVstTimeSigValid | kVstPpqPosValid;
  if (!entry)
    return;
  sCreating = this;
  AEffect* effect = entry(callback);
  sCreating = nullptr;
  if (!effect)
    return;
  std::lock_guard<std::mutex> lock(sRegistryLock);
  sRegistry[effect] = this;
  mEffect = effect;
}

Vst2Host::~Vst2Host()
{
  close();
}

VstIntPtr Vst2Host::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
  return mEffect ? mEffect->dispatcher(mEffect, opcode, index, value, ptr, opt) : 0;
}

void Vst2Host::close()
{
  if (!mEffect)
    return;
  AEffect* effect = mEffect;
  effect->dispatcher(effect, kEffClose, 0, 0, nullptr, 0.0f);
  mEffect = nullptr;
  std::lock_guard<std::mutex> lock(sRegistryLock);
  sRegistry.erase(effect);
}

void Vst2Host::start(double sampleRate, int maxBlock)
{
  dispatch(kEffOpen);
  dispatch(kEffSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
  dispatch(kEffSetBlockSize, 0, maxBlock);
  dispatch(kEffMainsChanged, 0, 1);
  timeInfo.sampleRate = sampleRate;
}

std::string Vst2Host::text(VstInt32 opcode, VstInt32 index, int size, VstIntPtr* result, int* written)
{
  std::vector<char> buffer(static_cast<size_t>(size) + 64, 0x7F);
  const VstIntPtr r = dispatch(opcode, index, 0, buffer.data());
  if (result)
    *result = r;
  if (written)
  {
    int last = -1;
    for (size_t i = 0; i < buffer.size(); ++i)
      if (buffer[i] != 0x7F)
        last = static_cast<int>(i);
    *written = last + 1;
  }
  const auto end = std::find(buffer.begin(), buffer.end(), '\0');
  return std::string(buffer.begin(), end == buffer.end() ? buffer.begin() : end);
}

std::vector<Vst2HostCall> Vst2Host::calls(VstInt32 opcode) const
{
  std::lock_guard<std::mutex> lock(mCallsLock);
  std::vector<Vst2HostCall> out;
  for (const Vst2HostCall& c : mCalls)
    if (c.opcode == opcode)
      out.push_back(c);
  return out;
}

std::vector<Vst2HostCall> Vst2Host::calls() const
{
  std::lock_guard<std::mutex> lock(mCallsLock);
  return mCalls;
}

void Vst2Host::clearCalls()
{
  std::lock_guard<std::mutex> lock(mCallsLock);
  mCalls.clear();
  sentEvents.clear();
}

VstIntPtr VSTCALLBACK Vst2Host::callback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                         VstIntPtr value, void* ptr, float opt)
{
  Vst2Host* host = hostOf(effect);
  return host ? host->answer(opcode, index, value, ptr, opt) : 0;
}

VstIntPtr Vst2Host::answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
  {
    std::lock_guard<std::mutex> lock(mCallsLock);
    mCalls.push_back({opcode, index, value, opt});
  }
  switch (opcode)
  {
    case kAudioMasterVersion:
      return 2400;
    case kAudioMasterGetTime:
      return timeAvailable ? reinterpret_cast<VstIntPtr>(&timeInfo) : 0;
    case kAudioMasterProcessEvents:
    {
      const VstEvents* events = static_cast<const VstEvents*>(ptr);
      for (int i = 0; events && i < events->numEvents; ++i)
      {
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(events->events[i]);
        sentEvents.emplace_back(bytes, bytes + sizeof(VstEvent));
      }
      return processEventsAnswer;
    }
    case kAudioMasterGetCurrentProcessLevel:
      return processLevel;
    case kAudioMasterGetProductString:
    case kAudioMasterGetVendorString:
      if (ptr)
      {
        const std::string name = opcode == kAudioMasterGetProductString ? productName : "Zq Tests";
        std::snprintf(static_cast<char*>(ptr), kVstMaxProductStrLen, "%s", name.c_str());
      }
      return 1;
    case kAudioMasterGetVendorVersion:
      return vendorVersion;
    case kAudioMasterAutomate:
    case kAudioMasterBeginEdit:
    case kAudioMasterEndEdit:
    case kAudioMasterUpdateDisplay:
    case kAudioMasterIdle:
    case kAudioMasterWantMidi:
    case kAudioMasterSizeWindow:
      return 1;
    default:
      (void)index;
      (void)value;
      (void)opt;
      return 0;
  }
}

void Vst2Processor::process(const Buffers& in, Buffers& out, size_t pos, int frames)
{
  const size_t nIn = in.size(), nOut = out.size();
  if (mUse64)
  {
    std::vector<double*> inPtrs(nIn), outPtrs(nOut);
    for (size_t c = 0; c < nIn; ++c)
      inPtrs[c] = const_cast<double*>(in[c].data()) + pos;
    for (size_t c = 0; c < nOut; ++c)
      outPtrs[c] = out[c].data() + pos;
    mEffect->processDoubleReplacing(mEffect, inPtrs.data(), outPtrs.data(), frames);
    return;
  }
  mFloatIn.resize(nIn);
  mFloatOut.resize(nOut);
  std::vector<float*> inPtrs(nIn), outPtrs(nOut);
  for (size_t c = 0; c < nIn; ++c)
  {
    mFloatIn[c].assign(static_cast<size_t>(frames), 0.0f);
    for (int f = 0; f < frames; ++f)
      mFloatIn[c][static_cast<size_t>(f)] = static_cast<float>(in[c][pos + static_cast<size_t>(f)]);
    inPtrs[c] = mFloatIn[c].data();
  }
  for (size_t c = 0; c < nOut; ++c)
  {
    mFloatOut[c].assign(static_cast<size_t>(frames), 0.0f);
    outPtrs[c] = mFloatOut[c].data();
  }
  mEffect->processReplacing(mEffect, inPtrs.data(), outPtrs.data(), frames);
  for (size_t c = 0; c < nOut; ++c)
    for (int f = 0; f < frames; ++f)
      out[c][pos + static_cast<size_t>(f)] = mFloatOut[c][static_cast<size_t>(f)];
}

} // namespace zqhost
