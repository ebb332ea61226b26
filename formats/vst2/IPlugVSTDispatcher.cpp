// The dispatcher: every host request that is not audio or a direct parameter
// read or write, each under the plug-in lock.

#include "formats/vst2/IPlugVST.h"

#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "framework/TextCopy.h"
#include "framework/Trace.h"
#include "gui/IGraphics.h"

namespace {

// Host buffers carry no size: the sizes are the ABI's, and the copy is cut to
// fit and always terminated.
void CopyToHost(void* dest, const char* text, int size)
{
  CopyTextBounded(static_cast<char*>(dest), text, size_t(size));
}

void CopyFromHost(char* dest, const void* text, int size)
{
  CopyTextBounded(dest, static_cast<const char*>(text), size_t(size));
}

const VstIntPtr kVendorSpecificAnswer = 0xBEEF;
const VstIntPtr kCanDoVendorAnswer = static_cast<VstIntPtr>(static_cast<VstInt32>(0xBEEF0000u));

} // namespace

VstIntPtr VSTCALLBACK IPlugVST::VSTDispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                              VstIntPtr value, void* ptr, float opt)
{
  IPlugVST* plug = effect ? static_cast<IPlugVST*>(effect->object) : nullptr;
  if (!plug) return 0;

  if (opcode == kEffClose)
  {
    {
      LockGuard lock(plug->mMutex);
      Trace("IPlugVST::VSTDispatcher", __LINE__, "%d(%s):%d:%d", opcode, "effClose", index, int(value));
    }
    // The lock lives in the object: it is left before the object goes.
    delete plug;
    return 0;
  }

  LockGuard lock(plug->mMutex);
  if (opcode != kEffEditIdle && opcode != kEffIdle)
    Trace("IPlugVST::VSTDispatcher", __LINE__, "%d(%s):%d:%d", opcode, "", index, int(value));
  return plug->Dispatch(opcode, index, value, ptr, opt);
}

VstIntPtr IPlugVST::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
  switch (opcode)
  {
    case kEffOpen:
      HostSpecificSetup();
      NotifyAllParamsChanged();
      return 0;

    case kEffSetProgram:
      if (!DoesChunks()) ModifyCurrentPreset();
      RestorePreset(int(value));
      return 0;

    case kEffGetProgram:
      return GetCurrentPresetIdx();

    case kEffSetProgramName:
      if (ptr)
      {
        char name[IPlugPreset::kNameSize];
        CopyFromHost(name, ptr, int(sizeof(name)));
        ModifyCurrentPreset(name);
        OnPresetsChanged();
      }
      return 0;

    case kEffGetProgramName:
      if (ptr) CopyToHost(ptr, GetPresetName(GetCurrentPresetIdx()), kVstMaxProgNameLen);
      return 0;

    case kEffGetParamLabel:
    case kEffGetParamDisplay:
    case kEffGetParamName:
    {
      const IParamRecord* param = GetParam(index);
      if (!param || !ptr) return 0;
      if (opcode == kEffGetParamLabel)
        CopyToHost(ptr, param->GetLabelForHost(), kVstMaxParamStrLen);
      else if (opcode == kEffGetParamName)
        CopyToHost(ptr, param->GetNameForHost(), kVstExtMaxParamStrLen);
      else
        param->FormatValue(param->Value(), false, static_cast<char*>(ptr), kVstMaxParamStrLen, true);
      return 0;
    }

    case kEffSetSampleRate:
      SetSampleRate(opt);
      Reset();
      return 0;

    case kEffSetBlockSize:
      // No block fits a size below 1: it is ignored, as is one whose
      // buffers cannot be had (the previous size stays).
      if (value < 1) return 0;
      if (SetBlockSize(value > 0x7FFFFFFF ? 0x7FFFFFFF : int(value))) Reset();
      return 0;

    case kEffMainsChanged:
      if (value)
        OnActivate(true);
      else
      {
        OnActivate(false);
        Reset();
      }
      return 0;

    case kEffEditGetRect:
      if (!ptr || !GetGUI()) return 0;
      *static_cast<ERect**>(ptr) = &mEditRect;
      return 1;

    case kEffEditOpen:
      if (!GetGUI() || !OpenEditor(ptr)) return 0;
      OnGuiOpened();
      return 1;

    case kEffEditClose:
      if (!GetGUI()) return 0;
      OnGuiClosed();
      CloseEditor();
      return 1;

    case kEffIdentify:
      return kEffIdentifyAnswer;

    case kEffGetChunk:
      return ptr ? GetChunk(static_cast<void**>(ptr), index == 0) : 0;

    case kEffSetChunk:
      return ptr ? SetChunk(ptr, value, index == 0) : 0;

    case kEffProcessEvents:
      return ProcessEvents(static_cast<const VstEvents*>(ptr));

    case kEffCanBeAutomated:
      return 1;

    case kEffString2Parameter:
      return StringToParameter(index, static_cast<const char*>(ptr));

    case kEffGetProgramNameIndexed:
    {
      if (!ptr) return 0;
      const char* name = GetPresetName(index);
      CopyToHost(ptr, name, kVstMaxProgNameLen);
      return name[0] ? 1 : 0;
    }

    case kEffGetInputProperties:
    case kEffGetOutputProperties:
      return GetPinProperties(index, opcode == kEffGetInputProperties,
                              static_cast<VstPinProperties*>(ptr));

    case kEffGetPlugCategory:
      return IsInst() ? 2 : 1;

    case kEffSetSpeakerArrangement:
    {
      const auto* in = reinterpret_cast<const VstSpeakerArrangement*>(value);
      const auto* out = static_cast<const VstSpeakerArrangement*>(ptr);
      // Only a layout the plug-in can run is taken; a missing side matches any.
      if ((in && in->numChannels < 0) || (out && out->numChannels < 0)) return 0;
      if (!LegalIO(in ? in->numChannels : -1, out ? out->numChannels : -1)) return 0;
      ConnectForArrangement(in, true);
      ConnectForArrangement(out, false);
      return 1;
    }

    case kEffGetEffectName:
      if (!ptr) return 0;
      CopyToHost(ptr, GetEffectName(), kVstMaxEffectNameLen);
      return 1;

    case kEffGetVendorString:
      if (!ptr) return 0;
      CopyToHost(ptr, GetMakerName(), kVstMaxVendorStrLen);
      return 1;

    case kEffGetProductString:
      if (!ptr) return 0;
      CopyToHost(ptr, GetProductName(), kVstMaxProductStrLen);
      return 1;

    case kEffGetVendorVersion:
      return GetEffectVersion(true);

    case kEffVendorSpecific:
      return VendorSpecific(index, value, ptr, opt);

    case kEffCanDo:
      return CanDo(static_cast<const char*>(ptr));

    case kEffGetTailSize:
      return GetTailSize();

    case kEffGetVstVersion:
      return kVstVersion;

    case kEffGetMidiKeyName:
    {
      MidiKeyName* key = static_cast<MidiKeyName*>(ptr);
      if (!key) return 0;
      key->keyName[0] = 0;
      return GetMidiNoteName(key->thisKeyNumber, key->keyName, kVstMaxNameLen) ? 1 : 0;
    }

    case kEffGetSpeakerArrangement:
      if (value) *reinterpret_cast<VstSpeakerArrangement**>(value) = &mInputSpkrArr;
      if (ptr) *static_cast<VstSpeakerArrangement**>(ptr) = &mOutputSpkrArr;
      return 1;

    default:
      return 0;
  }
}

void IPlugVST::ConnectForArrangement(const VstSpeakerArrangement* arrangement, bool input)
{
  if (!arrangement) return;
  const int n = arrangement->numChannels;
  if (input)
  {
    ConnectInputChannels(0, n, true);
    ConnectInputChannels(n, NInChannels() - n, false);
  }
  else
  {
    ConnectOutputChannels(0, n, true);
    ConnectOutputChannels(n, NOutChannels() - n, false);
  }
}

VstIntPtr IPlugVST::ProcessEvents(const VstEvents* events)
{
  if (!events) return 0;
  for (int i = 0; i < events->numEvents; ++i)
  {
    const VstEvent* event = events->events[i];
    if (!event) continue;
    if (event->type == kVstMidiType)
    {
      const VstMidiEvent* midi = reinterpret_cast<const VstMidiEvent*>(event);
      MidiMessage msg;
      msg.mOffset = midi->deltaFrames;
      msg.mStatus = uint8_t(midi->midiData[0]);
      msg.mData1 = uint8_t(midi->midiData[1]);
      msg.mData2 = uint8_t(midi->midiData[2]);
      ProcessMidiIn(msg);
    }
    else if (event->type == kVstSysExType)
    {
      const VstMidiSysexEvent* sysex = reinterpret_cast<const VstMidiSysexEvent*>(event);
      SysExMessage msg;
      msg.mOffset = sysex->deltaFrames;
      msg.mSize = sysex->dumpBytes;
      msg.mData = reinterpret_cast<const uint8_t*>(sysex->sysexDump);
      ProcessSysExIn(msg);
    }
  }
  return 1;
}

VstIntPtr IPlugVST::StringToParameter(int index, const char* text)
{
  IParamRecord* param = GetParam(index);
  if (!param) return 0;
  if (!text) return 1;

  char copy[256];
  CopyFromHost(copy, text, int(sizeof(copy)));
  double v;
  if (param->GetDisplayTextCount() > 0)
  {
    int key = 0;
    int i = 0;
    for (const char* entry; (entry = param->GetDisplayTextAtIndex(i, &key)); ++i)
      if (!std::strcmp(entry, copy)) break;
    if (i == param->GetDisplayTextCount()) return 0;
    v = key;
  }
  else
  {
    v = std::atof(copy);
    if (param->GetNegateDisplay()) v = -v;
  }
  // The editor shows the value the parameter takes.
  v = param->LimitPlain(v);
  if (IGraphics* graphics = GetGUI()) graphics->SetParameterFromPlug(index, v, false);
  param->Set(v);
  HandleParamChange(index, false);
  return 1;
}

VstIntPtr IPlugVST::GetPinProperties(int index, bool input, VstPinProperties* props)
{
  const int n = input ? NInChannels() : NOutChannels();
  if (!props || index < 0 || index >= n) return 0;
  props->flags = kVstPinIsActive;
  if (index % 2 == 0 && index < n - 1) props->flags |= kVstPinIsStereo;
  const char* label = input ? GetInputChannelLabel(index) : GetOutputChannelLabel(index);
  if (label && label[0])
    std::snprintf(props->label, sizeof(props->label), "%s", label);
  else
    std::snprintf(props->label, sizeof(props->label), input ? "Input %d" : "Output %d", index + 1);
  return 1;
}

VstIntPtr IPlugVST::VendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
  if (index == 7)
  {
    if (!ptr) return 0;
    const IParamRecord* param = (value >= 0 && value < NParams()) ? GetParam(int(value)) : nullptr;
    if (param) param->FormatValue(opt, true, static_cast<char*>(ptr), kVstMaxParamStrLen, true);
    return kVendorSpecificAnswer;
  }
  if (index == 8)
  {
    const IParamRecord* param = (value >= 0 && value < NParams()) ? GetParam(int(value)) : nullptr;
    return (param && param->Kind() != IParamRecord::kDouble) ? kVendorSpecificAnswer : 0;
  }
  return 0;
}

VstIntPtr IPlugVST::CanDo(const char* text)
{
  if (!text) return 0;
  Trace("IPlugVST::VSTDispatcher", __LINE__, "VSTCanDo(%s)", "");
  if (!std::strcmp(text, "receiveVstTimeInfo")) return 1;
  if (DoesMIDI())
  {
    static const char* const kMidiCanDos[] = {"sendVstEvents", "sendVstMidiEvent",
                                              "receiveVstEvents", "receiveVstMidiEvent"};
    for (const char* canDo : kMidiCanDos)
      if (!std::strcmp(text, canDo)) return 1;
  }
  if (!std::strcmp(text, "hasHostVendorExtensions"))
  {
    mHostExtensions |= kHostVendorExtensions;
    return kCanDoVendorAnswer;
  }
  if (!std::strcmp(text, "hasHostVendorViewAsConfig"))
  {
    mHostExtensions |= kHostVendorViewAsConfig;
    return kCanDoVendorAnswer;
  }
  return 0;
}
