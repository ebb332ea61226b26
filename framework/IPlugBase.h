#pragma once

#include <mutex>

#include "framework/ChannelIO.h"
#include "framework/HeapBuffer.h"
#include "framework/IParamRecord.h"
#include "framework/IPlugPreset.h"
#include "framework/IStateChunk.h"
#include "framework/LatencyDelayLine.h"
#include "framework/MidiMessage.h"
#include "framework/PlugTypes.h"
#include "framework/PointerList.h"
#include "framework/RecursiveLock.h"
#include "framework/TextBuffer.h"

class IGraphics;

// Base of every plug-in object. It owns the parameters, presets, channel
// tables and buffer routing, identity, host identity, the editor's graphics
// context and the one plug-in lock. The plug-in class overrides the
// processing hooks; each format adapter implements the pure host operations.
//
// A block, as the adapters drive it:
//   1. ConnectInputChannels/ConnectOutputChannels for what the host supplies;
//   2. AttachInputBuffers{Double,Float}, AttachOutputBuffers{Double,Float};
//   3. host bypass ? PassThrough{Double,Float} : ProcessBuffers{Double,Float}.
// SetBlockSize must have announced the host's maximum block first. A longer
// block is processed in slices of at most the block size; before any block
// size is set, connected outputs receive silence.
//
// Locking: one re-entrant lock (mMutex). Adapters hold it around processing,
// state and parameter entries; Reset, HandleParamChange, SetParameterFromGUI,
// AttachGraphics and the state functions take it themselves.
class IPlugBase
{
public:
  typedef std::lock_guard<RecursiveLock> LockGuard;

  // channelIOStr: space-separated "in-out" pairs such as "1-1 2-2"; the
  // largest counts size the channel tables. A malformed string stops the
  // program (it is the plug-in's own constant). vendorVersion is packed
  // major << 16 | minor << 8 | bugfix; the ids are four-character codes.
  IPlugBase(int nParams, const char* channelIOStr, int nPresets, const char* effectName,
            const char* productName, const char* makerName, int vendorVersion, int uniqueID,
            int makerID, int latency, bool doesMIDI, bool doesChunks, bool isInst, ApiKind apiKind);

  IPlugBase(const IPlugBase&) = delete;
  IPlugBase& operator=(const IPlugBase&) = delete;

  // ---- Virtual operations, in slot order -------------------------------

  virtual ~IPlugBase();

  // Plug-in hooks (the base versions take and release the lock).
  virtual void Reset();
  // fromStateRestore: false for edits from the editor or host, true when
  // restoring state.
  virtual void HandleParamChange(int paramIdx, bool fromStateRestore);
  // One double buffer per channel of the channel tables. The base copies
  // input i to output i and zeroes outputs without an input.
  virtual void ProcessAudioDouble(double** inputs, double** outputs, int nFrames);
  virtual void ProcessAudioFloat(float** inputs, float** outputs, int nFrames);

  virtual void OnGuiOpened() {}
  virtual void OnGuiClosed() {}
  virtual void ReservedHook7() {}
  virtual void OnActivate(bool active);
  // The base echoes the message to SendMidiOut.
  virtual void ProcessMidiIn(const MidiMessage& msg);
  virtual void ProcessSysExIn(const SysExMessage& /*msg*/) {}
  // Writes "" into `name` (of `nameSize` bytes) and returns false.
  virtual bool GetMidiNoteName(int noteNumber, char* name, int nameSize);

  // Plug-in state; the base forwards to SerializeParams/UnserializeParams.
  virtual bool SerializeState(IStateChunk& chunk);
  virtual int UnserializeState(const IStateChunk& chunk, int startPos);
  // True when every parameter i matches the double at index start + i of
  // `values` to within 1e-5 in single precision. `sizeBytes` is how many
  // bytes are readable at `values`; too few gives false. No alignment needed.
  virtual bool StateMatches(const void* values, int start, int sizeBytes);

  virtual void OnGuiResized() {}
  virtual bool ReservedQuery16() { return false; }
  virtual void OnAdapterInitialized() {}
  // Asks the host for its context menu of a parameter; the base has none.
  virtual bool PopupHostParamMenu(int /*paramIdx*/, int /*x*/, int /*y*/) { return false; }

  // A control moved: under the lock, sets the parameter, tells the host and
  // calls HandleParamChange(paramIdx, false).
  virtual void SetParameterFromGUI(int paramIdx, double normalisedValue);
  // The host moved a parameter: its value limited to [0, 1] (a NaN is
  // ignored) sets the record and the editor's controls, then
  // HandleParamChange(paramIdx, false). The caller holds the lock.
  void SetParameterFromHost(int paramIdx, double normalisedValue);

  // Host notifications, supplied by the adapter.
  virtual void BeginInformHostOfParamChange(int paramIdx) = 0;
  virtual void InformHostOfParamChange(int paramIdx, double normalisedValue) = 0;
  virtual void EndInformHostOfParamChange(int paramIdx) = 0;
  virtual void InformHostOfDisplayChange() = 0;

  // Host time and transport, supplied by the adapter.
  virtual bool IsRenderingOffline() { return false; }
  virtual int GetSamplePosition() = 0;
  virtual double GetTempo() = 0;
  virtual void GetTimeSignature(int& numerator, int& denominator) = 0;
  virtual void GetTransportInfo(TransportInfo& info) = 0;

  virtual HostKind GetHostKind() { return mHost; }
  virtual ApiKind GetApiKind() { return mApiKind; }
  // The editor changed size; the adapter tells the host.
  virtual void ResizeGui(int width, int height) = 0;
  virtual void HostSpecificSetup() {}

  // Takes ownership of the editor's graphics context (nullptr does nothing):
  // under the lock every parameter's normalised value is pushed into the
  // controls bound to it, then the context prepares its drawing.
  virtual void AttachGraphics(IGraphics* graphics);

  // Stores the latency; a delay line is resized to it and cleared.
  // Takes no lock: callers changing latency while processing serialise it.
  virtual void SetLatencySamples(int samples);

  virtual bool SendMidiOut(const MidiMessage& msg) = 0;
  virtual bool SendSysExOut(const SysExMessage& /*msg*/) { return false; }

  // Framework state: each parameter's plain value as a little-endian
  // binary64, in parameter order (8 x NParams() bytes, no header). Both take
  // the lock. Serialize appends and returns false only when the chunk could
  // not grow. Unserialize reads from startPos, clamps each value to its
  // range (a NaN takes the default), calls HandleParamChange(i, true) for
  // every parameter, and returns the position after the last value, or -1
  // when the chunk ran short (the parameter at the end takes 0 clamped).
  virtual bool SerializeParams(IStateChunk& chunk);
  virtual int UnserializeParams(const IStateChunk& chunk, int startPos);

  // Pushes every parameter's plain value to the attached editor, if any.
  virtual void PushAllParamsToGui();
  virtual void MarkStateDirty() {}
  virtual void OnPresetsChanged() {}

  // The host's maximum block size. A new size resizes and zeroes every
  // channel's scratch buffer; the current size changes nothing. False, with
  // the previous size and buffers kept, when the buffers cannot be had.
  virtual bool SetBlockSize(int blockSize);

  // ---- Identity and host -----------------------------------------------

  const char* GetEffectName() const { return mEffectName; }
  const char* GetProductName() const { return mProductName; }
  const char* GetMakerName() const { return mMakerName; }
  int GetUniqueID() const { return mUniqueID; }
  int GetMakerID() const { return mMakerID; }
  // Packed (0x00010101 for 1.1.1), or as major x 10000 + minor x 100 + bugfix.
  int GetEffectVersion(bool decimal) const;
  bool DoesMIDI() const { return mDoesMIDI; }
  bool DoesChunks() const { return mDoesChunks; }
  bool IsInst() const { return mIsInst; }

  // Identifies the host by name (HostKindFromName) and keeps its version.
  void SetHost(const char* name, int version);
  int GetHostVersion() const { return mHostVersion; }

  // ---- Parameters and presets -------------------------------------------

  int NParams() const { return mParams.GetSize(); }
  // nullptr when out of range.
  IParamRecord* GetParam(int idx) const { return mParams.Get(idx); }

  int NPresets() const { return mPresets.GetSize(); }
  int GetCurrentPresetIdx() const { return mCurrentPreset; }
  // "" when out of range.
  const char* GetPresetName(int idx) const;
  // Loads an initialised preset; an uninitialised one is first captured from
  // the current state as "user preset N". On success it becomes the current
  // preset, OnPresetsChanged runs and the editor is updated.
  bool RestorePreset(int idx);
  // `count` times: the first uninitialised preset gets `name` ("Empty" for
  // nullptr) and captures the current state.
  void StoreDefaultPresets(const char* name, int count);

  IGraphics* GetGUI() const { return mGraphics; }
  // The plug-in lock, for editor code that replaces what the audio thread may
  // be writing into (the controls).
  RecursiveLock& GetLock() { return mMutex; }

  // HandleParamChange(i, false) for every parameter in order.
  void NotifyAllParamsChanged();

  // ---- Preset banks (the VST2 chunks) ------------------------------------

  static const int kChunkMagic = 0x70666674;     // 'pfft', bytes 74 66 66 70
  static const int kChunkVersion = 0x00010000;

  // Empties the chunk, then writes the magic and the version. False when the
  // chunk could not grow.
  bool PutChunkHeader(IStateChunk& chunk);
  // Reads the header at `position`: with the magic there, returns the version
  // and moves `position` past it (-1 when the version is cut off); without
  // it, returns 0 and leaves `position`, so a bare state is accepted.
  int GetChunkHeaderVersion(const IStateChunk& chunk, int& position) const;
  // Captures the current state into the current preset and, when `name` is
  // non-empty, renames it (cut to the name field). The initialised flag stays.
  void ModifyCurrentPreset(const char* name = nullptr);
  // Appends every preset: name length, name bytes, initialised flag, and the
  // stored state of an initialised preset. False when the chunk could not grow.
  bool SerializePresets(IStateChunk& chunk);
  // Reads presets written by SerializePresets from `startPos` into the
  // preset slots (names cut to their field), then restores the current
  // preset. Returns the position after the bank, or -1 when it ran short;
  // presets read before that keep what they got.
  int UnserializePresets(const IStateChunk& chunk, int startPos);
  // Every preset still uninitialised becomes "Empty" with the current state.
  void EnsureDefaultPresets();

  // ---- Channels and buses -----------------------------------------------

  int NChannelIO() const { return mChannelIO.GetSize(); }
  // nullptr when out of range.
  const ChannelIOPair* GetChannelIO(int idx) const { return mChannelIO.Get(idx); }
  // True when some pair has these counts; a negative count matches any.
  bool LegalIO(int nIn, int nOut) const;

  int NInChannels() const { return mInChannels.GetSize(); }
  int NOutChannels() const { return mOutChannels.GetSize(); }
  bool IsInChannelConnected(int idx) const;
  bool IsOutChannelConnected(int idx) const;
  // nullptr when out of range.
  const char* GetInputChannelLabel(int idx) const;
  const char* GetOutputChannelLabel(int idx) const;

  // Input buses 0 (main) and 1 (auxiliary) only; outputs any index >= 0.
  // Replaces the name at the index; an index past the end appends.
  void SetInputBusName(int idx, const char* name);
  void SetOutputBusName(int idx, const char* name);
  // "" when not set.
  const char* GetInputBusName(int idx) const;
  const char* GetOutputBusName(int idx) const;

  // ---- Processing frame -------------------------------------------------

  double GetSampleRate() const { return mSampleRate; }
  void SetSampleRate(double sampleRate) { mSampleRate = sampleRate; }
  int GetBlockSize() const { return mBlockSize; }
  int GetLatency() const { return mLatency; }
  int GetTailSize() const { return mTailSize; }
  bool GetHostBypass() const { return mHostBypass; }

  // Channel ranges below are clamped to the channel tables.

  // Sets the connection flag of channels [first, first + count); an
  // unconnected channel reads and writes its own scratch buffer. An input
  // that was connected is cleared as it disconnects, so it reads silence.
  void ConnectInputChannels(int first, int count, bool connected);
  void ConnectOutputChannels(int first, int count, bool connected);
  // For hosts that give no more than a stereo pair: inputs from the third on
  // are disconnected, outputs from the third on connected.
  void LimitToStereoInputs();

  // Connected channels of the range take the next host buffer, in order;
  // unconnected channels consume none. A null host buffer reads as silence
  // (inputs) or is left alone (outputs).
  void AttachInputBuffersDouble(int first, int count, double* const* buffers);
  // Converts host floats into the channels' scratch buffers; prints
  // "attaching channel %d ..." and "done\n" per channel of the range.
  void AttachInputBuffersFloat(int first, int count, float* const* buffers, int nFrames);
  void AttachOutputBuffersDouble(int first, int count, double* const* buffers);
  // The plug-in writes the scratch buffers; ProcessBuffersFloat and
  // PassThroughFloat convert them into these host buffers.
  void AttachOutputBuffersFloat(int first, int count, float* const* buffers);

  // Runs ProcessAudioDouble on the channel tables (then converts to float).
  void ProcessBuffersDouble(int nFrames);
  void ProcessBuffersFloat(int nFrames);
  // As ProcessBuffersFloat, but each result is added to what the host's
  // float output already holds.
  void ProcessBuffersAccumulating(int nFrames);
  // Bypass: through the latency delay line when latency > 0 and one exists,
  // else the base copy (never the plug-in's ProcessAudioDouble). Outputs
  // without an input get silence either way.
  void PassThroughDouble(int nFrames);
  void PassThroughFloat(int nFrames);

  // Zeroes every channel's scratch buffer.
  void ClearChannelScratch();

protected:
  // Creates the latency delay line for the channel tables and the current
  // latency, when there is at least one input channel. Adapters that offer
  // latency-compensated bypass call it once after construction.
  void CreateLatencyDelayLine();

  // Created first, destroyed last.
  RecursiveLock mMutex;

  PointerList<ChannelIOPair> mChannelIO;
  char mEffectName[128];
  char mProductName[128];
  char mMakerName[128];
  int mUniqueID;
  int mMakerID;
  int mVersion;
  ApiKind mApiKind;
  HostKind mHost = kHostUnknown;
  int mHostVersion = 0;
  bool mDoesChunks;
  bool mIsInst;
  bool mDoesMIDI;
  bool mHostBypass = false;   // set by an adapter's own bypass parameter
  int mCurrentPreset = 0;
  double mSampleRate = 44100.0;
  int mBlockSize = 0;
  int mLatency;
  int mTailSize = 0;
  LatencyDelayLine* mDelay = nullptr;     // owned
  PointerList<const char> mUnitNames;     // borrowed group names (VST3 units)
  IGraphics* mGraphics = nullptr;         // owned
  PointerList<IParamRecord> mParams;
  PointerList<IPlugPreset> mPresets;
  HeapBuffer mInData;                     // input pointer table, one double* per channel
  HeapBuffer mOutData;                    // output pointer table
  PointerList<InputChannel> mInChannels;
  PointerList<OutputChannel> mOutChannels;
  PointerList<TextBuffer> mInputBusNames;
  PointerList<TextBuffer> mOutputBusNames;

private:
  double** InputTable() const { return static_cast<double**>(mInData.Get()); }
  double** OutputTable() const { return static_cast<double**>(mOutData.Get()); }

  // How results reach the host: in its double buffers, or converted into its
  // float buffers, replacing or adding to their contents.
  enum FloatOut { kNoFloat, kFloatReplace, kFloatAdd };

  void RunBlock(int nFrames, bool passThrough, FloatOut toFloat);
  void RunSlice(int nFrames, bool passThrough);
  void PointSlotsAtSlice(int offset, int nFrames);
  void RestoreSlots();
  void ConvertOutputsToFloat(int offset, int nFrames, bool add);
  void SilenceConnectedOutputs(int nFrames, FloatOut toFloat);
};
