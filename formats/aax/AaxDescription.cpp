#include "formats/aax/AaxDescription.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "aax-support/AAX_ICollection.h"
#include "aax-support/AAX_IComponentDescriptor.h"
#include "aax-support/AAX_IEffectDescriptor.h"
#include "aax-support/AAX_IPropertyMap.h"
#include "formats/aax/AAX_CIPlugParameters.h"
#include "formats/aax/AaxRenderContext.h"

namespace
{

// Node kinds and property ids as the host numbers them.
enum : uint32_t
{
  kMidiNodeInput = 0,
  kMidiNodeGlobal = 2,
  kMidiNodeTransport = 3,
};

enum : AaxPropertyID
{
  kPropManufacturerID = 11,
  kPropProductID = 12,
  kPropNativeID = 13,
  kPropOfflineID = 14,
  kPropInputStem = 51,
  kPropOutputStem = 52,
  kProp56 = 56,
  kProp60 = 60,
  kProp151 = 151,
};

// Plug-in IDs of the configurations, in the order the channel-I/O string lists them.
const uint32_t kNativeIDs[] = { AaxFourCC('E', 'F', 'N', '1'), AaxFourCC('E', 'F', 'N', '2') };
const uint32_t kOfflineIDs[] = { AaxFourCC('E', 'F', 'A', '1'), AaxFourCC('E', 'F', 'A', '2') };
constexpr int kConfigurations = sizeof kNativeIDs / sizeof kNativeIDs[0];

constexpr uint32_t kPlaceholderSize = 4;

// Calls fn for each line of text; the walk ends at an empty line or after a
// line that no "\n" follows.
template <class F>
void ForEachLine(const char* text, F fn)
{
  while (text && *text && *text != '\n')
  {
    const char* end = std::strchr(text, '\n');
    std::string line = end ? std::string(text, end) : std::string(text);
    fn(line.c_str());
    if (!end)
      break;
    text = end + 1;
  }
}

} // namespace

void InitEffectDescription(EffectDescription& d)
{
  d.mGlobalMidiEnabled = false;
  d.mGlobalMidiName = "GlobalMIDI";
  d.mGlobalMidiMask = 0xFFFF;
  d.mInputMidiEnabled = false;
  d.mInputMidiName = "InputMIDI";
  d.mInputMidiMask = 0xFFFF;
  d.mTransportEnabled = false;
  d.mTransportName = "Transport";
  d.mMeterCount = 0;
  d.mMeterIDs = nullptr;
  d.mAuxOutputCount = 0;
  for (int i = 0; i < kAaxMaxAuxOutputs; ++i)
  {
    d.mAuxOutputNames[i] = nullptr;
    d.mAuxOutputStems[i] = 1;
  }
  d.mInputStem = 1;
  d.mOutputStem = 1;
  d.mExtraProperty = false;
  d.mProperty60 = true;
  d.mManufacturerID = kAaxNoID;
  d.mProductID = kAaxNoID;
  d.mNativeID = kAaxNoID;
  d.mOfflineID = kAaxNoID;
  d.mProperty56 = 0;
}

AaxStemFormat StemFormatForChannels(int channels)
{
  static const AaxStemFormat kStems[] = { 0x00000001, 0x00010002, 0x00020003, 0x00040004,
                                          0x00050005, 0x00060006, 0x00080007, 0x000C0008 };
  if (channels >= 1 && channels <= 8)
    return kStems[channels - 1];
  return 0xFF9C0000;
}

AaxResult DescribeAaxComponent(AAX_IEffectDescriptor* effect, const EffectDescription& d)
{
  AAX_IComponentDescriptor* component = effect->NewComponentDescriptor();
  if (!component)
    return kAaxErrMissingInterface;
  AaxResult result = kAaxSuccess;

  result |= d.mGlobalMidiEnabled
              ? component->AddMIDINode(kAaxFieldGlobalMidi, kMidiNodeGlobal, d.mGlobalMidiName, d.mGlobalMidiMask)
              : component->AddPrivateData(kAaxFieldGlobalMidi, kPlaceholderSize, 0);
  result |= d.mInputMidiEnabled
              ? component->AddMIDINode(kAaxFieldInputMidi, kMidiNodeInput, d.mInputMidiName, d.mInputMidiMask)
              : component->AddPrivateData(kAaxFieldInputMidi, kPlaceholderSize, 0);
  result |= d.mTransportEnabled
              ? component->AddMIDINode(kAaxFieldTransport, kMidiNodeTransport, "Transport", 0xFFFF)
              : component->AddPrivateData(kAaxFieldTransport, kPlaceholderSize, 0);
  result |= component->AddAudioIn(kAaxFieldInputs);
  result |= component->AddAudioOut(kAaxFieldOutputs);
  result |= component->AddAudioBufferLength(kAaxFieldBufferLength);
  result |= d.mMeterCount >= 1
              ? component->AddMeters(kAaxFieldMeters, d.mMeterIDs, static_cast<uint32_t>(d.mMeterCount))
              : component->AddPrivateData(kAaxFieldMeters, kPlaceholderSize, 0);
  const int auxCount = d.mAuxOutputCount < kAaxMaxAuxOutputs ? d.mAuxOutputCount : kAaxMaxAuxOutputs;
  for (int i = 0; i < auxCount; ++i)
    result |= component->AddAuxOutputStem(0, d.mAuxOutputStems[i], d.mAuxOutputNames[i]);
  result |= component->AddPrivateData(kAaxFieldPrivateData, static_cast<int32_t>(sizeof(AAX_CIPlugParameters*)), 0);

  AAX_IPropertyMap* properties = component->NewPropertyMap();
  if (!properties)
    return result | kAaxErrMissingInterface;
  if (d.mExtraProperty)
    properties->AddProperty(kProp151, 1);
  result |= properties->AddProperty(kProp56, d.mProperty56);
  result |= properties->AddProperty(kPropInputStem, static_cast<AaxPropertyValue>(d.mInputStem));
  result |= properties->AddProperty(kPropOutputStem, static_cast<AaxPropertyValue>(d.mOutputStem));
  result |= properties->AddProperty(kProp60, d.mProperty60 ? 1 : 0);
  result |= properties->AddProperty(kPropManufacturerID, static_cast<AaxPropertyValue>(d.mManufacturerID));
  result |= properties->AddProperty(kPropProductID, static_cast<AaxPropertyValue>(d.mProductID));
  result |= properties->AddProperty(kPropNativeID, static_cast<AaxPropertyValue>(d.mNativeID));
  if (d.mOfflineID != kAaxNoID)
    result |= properties->AddProperty(kPropOfflineID, static_cast<AaxPropertyValue>(d.mOfflineID));

  result |= component->AddProcessProc(reinterpret_cast<AaxProcPtr>(&ProcessAaxInstances), properties, 0, 0, 0);
  result |= effect->AddComponent(component);
  return result;
}

AaxResult DescribeAaxPlugin(AAX_ICollection* collection, const AaxPluginIdentity& id)
{
  AAX_IEffectDescriptor* effect = collection->NewDescriptor();
  if (!effect)
    return kAaxErrMissingInterface;
  AaxResult result = kAaxSuccess;

  ForEachLine(id.mNames, [&](const char* line) {
    result |= effect->AddName(line);
    collection->AddPackageName(line);
  });
  result |= effect->AddCategory(id.mCategory);

  int k = 0;
  const char* token = id.mChannelIO;
  while (token && *token)
  {
    int inputs = 0;
    int outputs = 0;
    if (std::sscanf(token, "%d-%d", &inputs, &outputs) == 2)
    {
      // The plug-in IDs are known for the listed configurations only.
      if (k < kConfigurations)
      {
        if (inputs < 1)
          inputs = 1;
        std::printf("***** inputs %d *****\n", inputs);
        EffectDescription d;
        InitEffectDescription(d);
        d.mInputStem = StemFormatForChannels(inputs);
        d.mOutputStem = StemFormatForChannels(outputs);
        d.mManufacturerID = id.mManufacturerID;
        d.mProductID = id.mProductID;
        d.mNativeID = kNativeIDs[k];
        d.mOfflineID = kOfflineIDs[k];
        d.mProperty60 = true;
        d.mInputMidiEnabled = AaxDescribesInputMidi();
        d.mInputMidiName = "ZentikQX40 Midi";
        d.mInputMidiMask = 1;
        d.mTransportEnabled = true;
        d.mProperty56 = 0;
        result |= DescribeAaxComponent(effect, d);
      }
      ++k;
    }
    const char* space = std::strchr(token, ' ');
    token = space ? space + 1 : nullptr;
  }

  result |= effect->AddProcPtr(id.mCreateEffectParameters, 0);
  result |= effect->AddProcPtr(id.mCreateGUI, 1);
  if (result == kAaxSuccess)
    result = collection->AddEffect(id.mEffectID, effect);

  ForEachLine(id.mMakerNames, [&](const char* line) { collection->AddManufacturerName(line); });
  collection->SetPackageVersion(id.mVersion);
  return result;
}

void ProcessAaxInstances(void* const* first, void* const* last)
{
  for (void* const* it = first; it && it < last; ++it)
  {
    AaxRenderContext* context = static_cast<AaxRenderContext*>(*it);
    if (!context || !context->mPrivateData)
      continue;
    if (AAX_CIPlugParameters* instance = *context->mPrivateData)
      instance->RenderAudio(context);
  }
}
