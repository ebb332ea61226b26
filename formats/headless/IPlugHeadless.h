#pragma once

// An adapter for running a plug-in without a plug-in host: the offline
// renderer, tests and benchmarks drive it directly. It answers the host
// operations as a host with no transport and no editor would, and follows
// the VST3 adapter's life cycle: all channels connected at construction,
// preset 0 restored on Initialize (which pushes every parameter to the
// plug-in), rate and block size then Reset on SetupProcessing.

#include "framework/IPlugBase.h"

typedef void* IPlugInstanceInfo;

class IPlugHeadless : public IPlugBase
{
public:
  // The instance info and the last argument are not used.
  IPlugHeadless(IPlugInstanceInfo instanceInfo, int nParams, const char* channelIOStr, int nPresets,
                const char* effectName, const char* productName, const char* makerName,
                int vendorVersion, int uniqueID, int makerID, int latency, bool doesMIDI,
                bool doesChunks, bool isInst, int nSideChainChans);
  ~IPlugHeadless() override;

  // ---- The host's side ----------------------------------------------------

  // Names the host and restores preset 0, which announces every parameter.
  // Call once, after construction.
  void Initialize(const char* hostName = "headless");
  // Stores the rate and the largest block, then resets the plug-in.
  // blockSize must be at least 1.
  void SetupProcessing(double sampleRate, int blockSize);
  // Sets a parameter to a plain value, clamped to its range, and announces
  // it. False for an unknown index.
  bool SetParameterValue(int paramIdx, double value);
  // The host's own bypass: blocks pass through unprocessed.
  void SetHostBypass(bool bypass) { mHostBypass = bypass; }

  // One block of double buffers, nIn inputs and nOut outputs (a channel-I/O
  // pair of the plug-in). Channels beyond the counts are disconnected.
  // False, with the outputs untouched, for counts the plug-in does not take
  // or a negative frame count.
  bool ProcessDouble(double* const* inputs, int nIn, double* const* outputs, int nOut, int nFrames);

  // ---- Host operations of IPlugBase ----------------------------------------

  void BeginInformHostOfParamChange(int) override {}
  void InformHostOfParamChange(int, double) override {}
  void EndInformHostOfParamChange(int) override {}
  void InformHostOfDisplayChange() override {}
  int GetSamplePosition() override { return 0; }
  double GetTempo() override { return TransportInfo().mTempo; }
  void GetTimeSignature(int& numerator, int& denominator) override;
  void GetTransportInfo(TransportInfo& info) override { info = TransportInfo(); }
  void ResizeGui(int, int) override {}
  bool SendMidiOut(const MidiMessage&) override { return false; }
};
