#pragma once

// The VST 2.4 binary interface between a host and this library: the effect
// record, the callback types, the records passed through the dispatcher's
// pointer argument, and the opcode numbers this library uses. Layouts are
// the host's: natural alignment, every callback cdecl.

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define VSTCALLBACK __cdecl
#else
#define VSTCALLBACK
#endif

typedef int32_t VstInt32;
typedef intptr_t VstIntPtr;

struct AEffect;

typedef VstIntPtr(VSTCALLBACK* audioMasterCallback)(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                     VstIntPtr value, void* ptr, float opt);
typedef VstIntPtr(VSTCALLBACK* AEffectDispatcherProc)(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                       VstIntPtr value, void* ptr, float opt);
typedef void(VSTCALLBACK* AEffectProcessProc)(AEffect* effect, float** inputs, float** outputs,
                                              VstInt32 sampleFrames);
typedef void(VSTCALLBACK* AEffectProcessDoubleProc)(AEffect* effect, double** inputs, double** outputs,
                                                    VstInt32 sampleFrames);
typedef void(VSTCALLBACK* AEffectSetParameterProc)(AEffect* effect, VstInt32 index, float parameter);
typedef float(VSTCALLBACK* AEffectGetParameterProc)(AEffect* effect, VstInt32 index);

const VstInt32 kEffectMagic = 0x56737450;   // 'VstP'

struct AEffect
{
  VstInt32 magic;
  AEffectDispatcherProc dispatcher;
  AEffectProcessProc process;               // accumulating
  AEffectSetParameterProc setParameter;
  AEffectGetParameterProc getParameter;
  VstInt32 numPrograms;
  VstInt32 numParams;
  VstInt32 numInputs;
  VstInt32 numOutputs;
  VstInt32 flags;
  VstIntPtr resvd1;
  VstIntPtr resvd2;
  VstInt32 initialDelay;
  VstInt32 realQualities;
  VstInt32 offQualities;
  float ioRatio;
  void* object;                             // the plug-in object
  void* user;
  VstInt32 uniqueID;
  VstInt32 version;
  AEffectProcessProc processReplacing;
  AEffectProcessDoubleProc processDoubleReplacing;
  char future[56];
};

// AEffect::flags
enum
{
  kEffFlagsHasEditor = 1 << 0,
  kEffFlagsCanMono = 1 << 3,
  kEffFlagsCanReplacing = 1 << 4,
  kEffFlagsProgramChunks = 1 << 5,
  kEffFlagsIsSynth = 1 << 8,
  kEffFlagsCanDoubleReplacing = 1 << 12
};

// Dispatcher opcodes.
enum
{
  kEffOpen = 0,
  kEffClose = 1,
  kEffSetProgram = 2,
  kEffGetProgram = 3,
  kEffSetProgramName = 4,
  kEffGetProgramName = 5,
  kEffGetParamLabel = 6,
  kEffGetParamDisplay = 7,
  kEffGetParamName = 8,
  kEffSetSampleRate = 10,
  kEffSetBlockSize = 11,
  kEffMainsChanged = 12,
  kEffEditGetRect = 13,
  kEffEditOpen = 14,
  kEffEditClose = 15,
  kEffEditIdle = 19,
  kEffIdentify = 22,
  kEffGetChunk = 23,
  kEffSetChunk = 24,
  kEffProcessEvents = 25,
  kEffCanBeAutomated = 26,
  kEffString2Parameter = 27,
  kEffGetProgramNameIndexed = 29,
  kEffGetInputProperties = 33,
  kEffGetOutputProperties = 34,
  kEffGetPlugCategory = 35,
  kEffSetSpeakerArrangement = 42,
  kEffGetEffectName = 45,
  kEffGetVendorString = 47,
  kEffGetProductString = 48,
  kEffGetVendorVersion = 49,
  kEffVendorSpecific = 50,
  kEffCanDo = 51,
  kEffGetTailSize = 52,
  kEffIdle = 53,
  kEffGetVstVersion = 58,
  kEffGetMidiKeyName = 66,
  kEffGetSpeakerArrangement = 69
};

// Host (audioMaster) opcodes.
enum
{
  kAudioMasterAutomate = 0,
  kAudioMasterVersion = 1,
  kAudioMasterIdle = 3,
  kAudioMasterWantMidi = 6,
  kAudioMasterGetTime = 7,
  kAudioMasterProcessEvents = 8,
  kAudioMasterSizeWindow = 15,
  kAudioMasterGetCurrentProcessLevel = 23,
  kAudioMasterGetVendorString = 32,
  kAudioMasterGetProductString = 33,
  kAudioMasterGetVendorVersion = 34,
  kAudioMasterCanDo = 37,
  kAudioMasterUpdateDisplay = 42,
  kAudioMasterBeginEdit = 43,
  kAudioMasterEndEdit = 44
};

const VstInt32 kVstProcessLevelOffline = 4;
const VstIntPtr kEffIdentifyAnswer = 0x4E764566;   // 'NvEf'
const VstIntPtr kVstVersion = 2400;

// Sizes of the host's text buffers, terminator included.
enum
{
  kVstMaxParamStrLen = 8,
  // Parameter names: hosts give at least this much, and the framework's
  // names fit it whole ("Analog Saturation" and "Analog Hiss" stay apart).
  kVstExtMaxParamStrLen = 32,
  kVstMaxProgNameLen = 24,
  kVstMaxEffectNameLen = 32,
  kVstMaxNameLen = 64,
  kVstMaxLabelLen = 64,
  kVstMaxShortLabelLen = 8,
  kVstMaxVendorStrLen = 64,
  kVstMaxProductStrLen = 64
};

struct VstEvent
{
  VstInt32 type;
  VstInt32 byteSize;
  VstInt32 deltaFrames;
  VstInt32 flags;
  char data[16];
};

enum
{
  kVstMidiType = 1,
  kVstSysExType = 6
};

struct VstEvents
{
  VstInt32 numEvents;
  VstIntPtr reserved;
  VstEvent* events[2];                      // numEvents entries in fact
};

struct VstMidiEvent
{
  VstInt32 type;
  VstInt32 byteSize;
  VstInt32 deltaFrames;
  VstInt32 flags;
  VstInt32 noteLength;
  VstInt32 noteOffset;
  char midiData[4];
  char detune;
  char noteOffVelocity;
  char reserved1;
  char reserved2;
};

struct VstMidiSysexEvent
{
  VstInt32 type;
  VstInt32 byteSize;
  VstInt32 deltaFrames;
  VstInt32 flags;
  VstInt32 dumpBytes;
  VstIntPtr resvd1;
  char* sysexDump;
  VstIntPtr resvd2;
};

struct VstTimeInfo
{
  double samplePos;
  double sampleRate;
  double nanoSeconds;
  double ppqPos;
  double tempo;
  double barStartPos;
  double cycleStartPos;
  double cycleEndPos;
  VstInt32 timeSigNumerator;
  VstInt32 timeSigDenominator;
  VstInt32 smpteOffset;
  VstInt32 smpteFrameRate;
  VstInt32 samplesToNextClock;
  VstInt32 flags;
};

// VstTimeInfo::flags, and the filter of kAudioMasterGetTime.
enum
{
  kVstTransportChanged = 1,
  kVstTransportPlaying = 1 << 1,
  kVstTransportCycleActive = 1 << 2,
  kVstPpqPosValid = 1 << 9,
  kVstTempoValid = 1 << 10,
  kVstBarsValid = 1 << 11,
  kVstCyclePosValid = 1 << 12,
  kVstTimeSigValid = 1 << 13
};

struct VstPinProperties
{
  char label[kVstMaxLabelLen];
  VstInt32 flags;
  VstInt32 arrangementType;
  char shortLabel[kVstMaxShortLabelLen];
  char future[48];
};

enum
{
  kVstPinIsActive = 1 << 0,
  kVstPinIsStereo = 1 << 1
};

struct VstSpeakerProperties
{
  float azimuth;
  float elevation;
  float radius;
  float reserved;
  char name[kVstMaxNameLen];
  VstInt32 type;
  char future[28];
};

struct VstSpeakerArrangement
{
  VstInt32 type;
  VstInt32 numChannels;
  VstSpeakerProperties speakers[8];
};

enum
{
  kSpeakerArrUserDefined = -2,
  kSpeakerArrEmpty = -1,
  kSpeakerArrMono = 0,
  kSpeakerArrStereo = 1
};

struct ERect
{
  int16_t top;
  int16_t left;
  int16_t bottom;
  int16_t right;
};

struct MidiKeyName
{
  VstInt32 thisProgramIndex;
  VstInt32 thisKeyNumber;
  char keyName[kVstMaxNameLen];
  VstInt32 reserved;
  VstInt32 flags;
};

// Where hosts read and write: sizes and offsets they compile against.
static_assert(sizeof(VstEvent) == 32, "VstEvent");
static_assert(sizeof(VstMidiEvent) == 32, "VstMidiEvent");
static_assert(offsetof(VstMidiEvent, midiData) == 24, "VstMidiEvent::midiData");
static_assert(sizeof(VstTimeInfo) == 88, "VstTimeInfo");
static_assert(offsetof(VstTimeInfo, tempo) == 32, "VstTimeInfo::tempo");
static_assert(offsetof(VstTimeInfo, timeSigNumerator) == 64, "VstTimeInfo::timeSigNumerator");
static_assert(offsetof(VstTimeInfo, flags) == 84, "VstTimeInfo::flags");
static_assert(sizeof(VstPinProperties) == 128, "VstPinProperties");
static_assert(offsetof(VstPinProperties, flags) == 64, "VstPinProperties::flags");
static_assert(sizeof(VstSpeakerProperties) == 112, "VstSpeakerProperties");
static_assert(sizeof(VstSpeakerArrangement) == 904, "VstSpeakerArrangement");
static_assert(sizeof(ERect) == 8, "ERect");
static_assert(sizeof(MidiKeyName) == 80, "MidiKeyName");
static_assert(offsetof(MidiKeyName, keyName) == 8, "MidiKeyName::keyName");

#if defined(__i386__) || defined(_M_IX86)
static_assert(sizeof(AEffect) == 144, "AEffect");
static_assert(offsetof(AEffect, dispatcher) == 4, "AEffect::dispatcher");
static_assert(offsetof(AEffect, numPrograms) == 20, "AEffect::numPrograms");
static_assert(offsetof(AEffect, flags) == 36, "AEffect::flags");
static_assert(offsetof(AEffect, initialDelay) == 48, "AEffect::initialDelay");
static_assert(offsetof(AEffect, ioRatio) == 60, "AEffect::ioRatio");
static_assert(offsetof(AEffect, object) == 64, "AEffect::object");
static_assert(offsetof(AEffect, uniqueID) == 72, "AEffect::uniqueID");
static_assert(offsetof(AEffect, version) == 76, "AEffect::version");
static_assert(offsetof(AEffect, processReplacing) == 80, "AEffect::processReplacing");
static_assert(offsetof(AEffect, processDoubleReplacing) == 84, "AEffect::processDoubleReplacing");
static_assert(sizeof(VstEvents) == 16, "VstEvents");
static_assert(sizeof(VstMidiSysexEvent) == 32, "VstMidiSysexEvent");
static_assert(offsetof(VstMidiSysexEvent, sysexDump) == 24, "VstMidiSysexEvent::sysexDump");
#elif defined(__x86_64__) || defined(_M_X64)
static_assert(sizeof(AEffect) == 192, "AEffect");
static_assert(offsetof(AEffect, numPrograms) == 40, "AEffect::numPrograms");
static_assert(offsetof(AEffect, resvd1) == 64, "AEffect::resvd1");
static_assert(offsetof(AEffect, object) == 96, "AEffect::object");
static_assert(offsetof(AEffect, uniqueID) == 112, "AEffect::uniqueID");
static_assert(offsetof(AEffect, processDoubleReplacing) == 128, "AEffect::processDoubleReplacing");
static_assert(sizeof(VstEvents) == 32, "VstEvents");
static_assert(sizeof(VstMidiSysexEvent) == 48, "VstMidiSysexEvent");
#endif
