#pragma once

// The effect description handed to the AAX host at registration, and the
// native render procedure it names.

#include <cstdint>

#include "aax-support/interfaces/AaxTypes.h"
#include "aax-support/interfaces/AcfBase.h"

class AAX_ICollection;
class AAX_IEffectDescriptor;

constexpr uint32_t AaxFourCC(char a, char b, char c, char d)
{
  return (uint32_t(uint8_t(a)) << 24) | (uint32_t(uint8_t(b)) << 16) | (uint32_t(uint8_t(c)) << 8) |
         uint32_t(uint8_t(d));
}

constexpr uint32_t kAaxNoID = AaxFourCC('n', 'o', 'n', 'e');
constexpr int kAaxMaxAuxOutputs = 16;

// One channel configuration's description.
struct EffectDescription
{
  bool mGlobalMidiEnabled;
  const char* mGlobalMidiName;
  uint32_t mGlobalMidiMask;
  bool mInputMidiEnabled;
  const char* mInputMidiName;
  uint32_t mInputMidiMask;
  bool mTransportEnabled;
  const char* mTransportName;
  int32_t mMeterCount;
  const uint32_t* mMeterIDs;
  int32_t mAuxOutputCount;
  const char* mAuxOutputNames[kAaxMaxAuxOutputs];
  AaxStemFormat mAuxOutputStems[kAaxMaxAuxOutputs];
  AaxStemFormat mInputStem;
  AaxStemFormat mOutputStem;
  bool mExtraProperty;
  bool mProperty60;
  uint32_t mManufacturerID;
  uint32_t mProductID;
  uint32_t mNativeID;
  uint32_t mOfflineID;
  int32_t mProperty56;
};

// What the library describes of its plug-in.
struct AaxPluginIdentity
{
  const char* mNames;         // "\n"-separated
  const char* mMakerNames;    // "\n"-separated
  const char* mChannelIO;     // "1-1 2-2"
  const char* mEffectID;      // the bundle id
  uint32_t mManufacturerID;
  uint32_t mProductID;
  uint32_t mVersion;
  uint32_t mCategory;
  AaxProcPtr mCreateEffectParameters;  // procedure 0
  AaxProcPtr mCreateGUI;               // procedure 1
};

void InitEffectDescription(EffectDescription& description);
AaxStemFormat StemFormatForChannels(int channels);
// One processing component; the OR of the declarations' results.
AaxResult DescribeAaxComponent(AAX_IEffectDescriptor* effect, const EffectDescription& description);
// The whole description; 0 on success.
AaxResult DescribeAaxPlugin(AAX_ICollection* collection, const AaxPluginIdentity& identity);

// The input MIDI node is never declared, so the render context's field 5 is a
// placeholder.
inline bool AaxDescribesInputMidi()
{
  return false;
}

// The native render procedure: every context in [first, last).
void ProcessAaxInstances(void* const* first, void* const* last);
