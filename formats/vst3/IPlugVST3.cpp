#include "formats/vst3/IPlugVST3.h"

#include "formats/vst3/IPlugVST3View.h"
#include "formats/vst3/Vst3Text.h"
#include "gui/IGraphics.h"

#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "pluginterfaces/vst/ivsthostapplication.h"

#include <cstdio>
#include <cstring>
#include <new>

using namespace Steinberg;
using namespace Steinberg::Vst;

IPlugVST3::IPlugVST3(IPlugInstanceInfo /*instanceInfo*/, int nParams, const char* channelIOStr,
                     int nPresets, const char* effectName, const char* productName,
                     const char* makerName, int vendorVersion, int uniqueID, int makerID,
                     int latency, bool doesMIDI, bool doesChunks, bool isInst,
                     int nSideChainChans)
: IPlugBase(nParams, channelIOStr, nPresets, effectName, productName, makerName, vendorVersion,
            uniqueID, makerID, latency, doesMIDI, doesChunks, isInst, kApiVST3)
, mSideChainChans(nSideChainChans > 0 ? nSideChainChans : 0)
{
  std::memset(&mProcessContext, 0, sizeof(mProcessContext));

  ConnectInputChannels(0, NInChannels(), true);
  ConnectOutputChannels(0, NOutChannels(), true);
  CreateLatencyDelayLine();

  SetInputBusName(0, "Main Input");
  if (mSideChainChans)
    SetInputBusName(1, "Aux Input");
  if (IsInst())
  {
    char name[32];
    for (int i = 0; 2 * i < NOutChannels(); ++i)
    {
      std::snprintf(name, sizeof(name), "Output %i", i + 1);
      SetOutputBusName(i, name);
    }
  }
  else
  {
    SetOutputBusName(0, "Output");
  }
}

IPlugVST3::~IPlugVST3()
{
  // The views belong to the host; only the list goes.
  mViews.Empty();
}

IPlugVST3::SpeakerArrangement IPlugVST3::ArrangementForChannels(int nChannels)
{
  switch (nChannels)
  {
    case 1: return 0x80000;     // mono
    case 2: return 0x3;         // stereo
    case 3: return 0x103;       // 3.0 music
    case 4: return 0xF00000;    // first-order B-format
    case 5: return 0x37;        // 5.0
    case 6: return 0x3F;        // 5.1
    default: return 0;
  }
}

static int SpeakerCount(SpeakerArrangement arr)
{
  int n = 0;
  for (; arr; arr &= arr - 1)
    ++n;
  return n;
}

tresult PLUGIN_API IPlugVST3::initialize(FUnknown* context)
{
  try
  {
    tresult result = SingleComponentEffect::initialize(context);

    if (context)
    {
      IHostApplication* app = nullptr;
      if (context->queryInterface(IHostApplication::iid, reinterpret_cast<void**>(&app)) == kResultOk && app)
      {
        String128 name = {};
        if (app->getName(name) == kResultOk)
        {
          char narrow[129];
          vst3text::ToNarrow(name, narrow, sizeof(narrow));
          SetHost(narrow, 0);
        }
        app->release();
      }
    }

    if (result == kResultOk)
      result = DeclareBusesAndParameters();

    OnAdapterInitialized();
    RestorePreset(0);
    return result;
  }
  catch (...)
  {
    return kOutOfMemory;
  }
}

tresult IPlugVST3::DeclareBusesAndParameters()
{
  String128 text;

  const int nMain = NInChannels() - mSideChainChans;
  if (nMain >= 1 && nMain <= 6)
  {
    vst3text::ToString128(text, GetInputBusName(0));
    if (!addAudioInput(text, ArrangementForChannels(nMain), kMain, BusInfo::kDefaultActive))
      return kOutOfMemory;
  }

  if (IsInst())
  {
    for (int i = 0; 2 * i < NOutChannels(); ++i)
    {
      vst3text::ToString128(text, GetOutputBusName(i));
      if (!addAudioOutput(text, SpeakerArr::kStereo, kMain, BusInfo::kDefaultActive))
        return kOutOfMemory;
    }
  }
  else
  {
    vst3text::ToString128(text, GetOutputBusName(0));
    if (!addAudioOutput(text, ArrangementForChannels(NOutChannels()), kMain, BusInfo::kDefaultActive))
      return kOutOfMemory;
  }

  if (mSideChainChans)
  {
    if (mSideChainChans > 2)
      mSideChainChans = 2;
    vst3text::ToString128(text, GetInputBusName(1));
    if (!addAudioInput(text, ArrangementForChannels(mSideChainChans), kAux, 0))
      return kOutOfMemory;
  }

  if (DoesMIDI() && !addEventInput(STR16("MIDI Input"), 1, kMain, BusInfo::kDefaultActive))
    return kOutOfMemory;

  if (NPresets() > 0)
    parameters.addParameter(STR16("Preset"), STR16(""), NPresets(), 0.0,
                            ParameterInfo::kIsProgramChange, static_cast<int32>(kPresetParamID),
                            kRootUnitId);

  if (!IsInst())
  {
    auto* bypass = new (std::nothrow) StringListParameter(
        STR16("Bypass"), kBypassParamID, nullptr,
        ParameterInfo::kCanAutomate | ParameterInfo::kIsList | ParameterInfo::kIsBypass, kRootUnitId);
    if (!bypass)
      return kOutOfMemory;
    bypass->appendString(STR16("off"));
    bypass->appendString(STR16("on"));
    parameters.addParameter(bypass);
  }

  for (int i = 0; i < NParams(); ++i)
  {
    IParamRecord* param = GetParam(i);

    UnitID unit = kRootUnitId;
    const char* group = param->GetGroupForHost();
    if (group && *group)
    {
      int found = -1;
      for (int u = 0; u < mUnitNames.GetSize(); ++u)
        if (std::strcmp(mUnitNames.Get(u), group) == 0)
        {
          found = u;
          break;
        }
      if (found < 0)
      {
        mUnitNames.Add(group);
        found = mUnitNames.GetSize() - 1;
      }
      unit = found + 1;
    }

    String128 title, units;
    vst3text::ToString128(title, param->GetNameForHost());
    vst3text::ToString128(units, param->GetLabelForHost());
    const int32 automate = param->GetCanAutomate() ? ParameterInfo::kCanAutomate : 0;

    Parameter* declared = nullptr;
    switch (param->Kind())
    {
      case IParamRecord::kBool:
      case IParamRecord::kEnum:
      {
        auto* list = new (std::nothrow)
            StringListParameter(title, static_cast<ParamID>(i), units,
                                automate | ParameterInfo::kIsList, unit);
        if (list)
        {
          for (int k = 0; k < param->GetDisplayTextCount(); ++k)
          {
            vst3text::ToString128(text, param->GetDisplayTextForValue(k));
            list->appendString(text);
          }
          // As for ranges: a reset to default lands on the record's default.
          const double def = param->ToNormalised(param->GetDefault());
          list->getInfo().defaultNormalizedValue = def;
          list->setNormalized(def);
        }
        declared = list;
        break;
      }
      case IParamRecord::kInt:
      case IParamRecord::kDouble:
      {
        auto* range = new (std::nothrow)
            RangeParameter(title, static_cast<ParamID>(i), units, param->GetMin(), param->GetMax(),
                           param->GetDefault(), 0, automate, unit);
        if (range)
        {
          // A host resetting to default must land on the record's default, so
          // the declared default goes through the record's own shape.
          const double def = param->ToNormalised(param->GetDefault());
          range->getInfo().defaultNormalizedValue = def;
          range->setNormalized(def);
          range->setPrecision(param->GetPrecision());
        }
        declared = range;
        break;
      }
      default:
        continue;
    }
    if (!declared)
      return kOutOfMemory;
    parameters.addParameter(declared);
  }

  if (DoesMIDI())
  {
    for (int cc = 0; cc < 128; ++cc)
    {
      auto* range = new (std::nothrow)
          RangeParameter(STR16("MIDI CC"), static_cast<ParamID>(NParams() + cc), STR16(""), 0.0,
                         127.0, 0.0, 0, ParameterInfo::kCanAutomate, kRootUnitId);
      if (!range)
        return kOutOfMemory;
      range->setPrecision(1);
      parameters.addParameter(range);
    }
  }
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3::terminate()
{
  try
  {
    // A view still attached closes its window while the host's handler can
    // still take the end of an open edit.
    if (mWindowView)
      mWindowView->CloseOwnWindow();
    mViews.Empty();   // the views are the host's to release
    return SingleComponentEffect::terminate();
  }
  catch (...)
  {
    return kInternalError;
  }
}

tresult PLUGIN_API IPlugVST3::setComponentHandler(IComponentHandler* handler)
{
  if (handler != getComponentHandler())
    if (IGraphics* graphics = GetGUI())
      graphics->OnMouseCaptureLost();
  return SingleComponentEffect::setComponentHandler(handler);
}

AudioBus* IPlugVST3::AudioBusAt(BusList& list, int index)
{
  return FCast<AudioBus>(busAt(&list, index));
}

// A bus of nChannels in place of `bus` when that exists with another channel
// count (else `made` stays empty); false only when it cannot be allocated.
static bool MakeReplacementBus(AudioBus* bus, int nChannels, const char* name, BusType type,
                               int32 flags, IPtr<AudioBus>& made)
{
  if (!bus || SpeakerArr::getChannelCount(bus->getArrangement()) == nChannels)
    return true;
  String128 text;
  vst3text::ToString128(text, name);
  made = owned(new (std::nothrow)
                   AudioBus(text, type, flags, IPlugVST3::ArrangementForChannels(nChannels)));
  return made != nullptr;
}

tresult PLUGIN_API IPlugVST3::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                 SpeakerArrangement* outputs, int32 numOuts)
{
  try
  {
    // Everything is checked before any bus or channel changes.
    if (numIns < 1 || numOuts < 1 || !inputs || !outputs)
      return kResultFalse;
    if (mSideChainChans ? numIns != 2 : numIns != 1)
      return kResultFalse;
    const int nIn = SpeakerCount(inputs[0]);
    const int nOut = SpeakerCount(outputs[0]);
    if (!LegalIO(nIn, nOut))
      return kResultFalse;

    // Replacement buses are made first, so a failed allocation changes nothing.
    IPtr<AudioBus> newIn, newOut, newSide;
    if (!MakeReplacementBus(AudioBusAt(audioInputs, 0), nIn, "Input", kMain,
                            BusInfo::kDefaultActive, newIn) ||
        !MakeReplacementBus(AudioBusAt(audioOutputs, 0), nOut, "Output", kMain,
                            BusInfo::kDefaultActive, newOut) ||
        (mSideChainChans && !MakeReplacementBus(AudioBusAt(audioInputs, 1),
                                                SpeakerCount(inputs[1]), "Sidechain Input", kAux,
                                                0, newSide)))
      return kOutOfMemory;

    ConnectInputChannels(0, NInChannels(), false);
    ConnectOutputChannels(0, NOutChannels(), false);
    // Replaced in place: the main bus stays first, an auxiliary bus after it.
    // A host does not activate a bus again after new arrangements, so the
    // replacement keeps the activation of the bus it replaces.
    auto replace = [](BusList& list, size_t index, AudioBus* bus) {
      bus->setActive(list[index]->isActive());
      list[index] = IPtr<Vst::Bus>(bus);
    };
    if (newIn)
      replace(audioInputs, 0, newIn.get());
    if (newOut)
      replace(audioOutputs, 0, newOut.get());
    if (newSide)
      replace(audioInputs, 1, newSide.get());
    return kResultOk;
  }
  catch (...)
  {
    return kOutOfMemory;
  }
}

tresult PLUGIN_API IPlugVST3::canProcessSampleSize(int32 symbolicSampleSize)
{
  return (symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64) ? kResultOk
                                                                            : kResultFalse;
}

uint32 PLUGIN_API IPlugVST3::getLatencySamples()
{
  return static_cast<uint32>(GetLatency());
}

uint32 PLUGIN_API IPlugVST3::getTailSamples()
{
  return static_cast<uint32>(GetTailSize());
}

IPlugView* PLUGIN_API IPlugVST3::createView(FIDString name)
{
  // "editor" is the only view. It is made even without a graphics context;
  // its calls then fail.
  if (!name || std::strcmp(name, ViewType::kEditor) != 0)
    return nullptr;
  auto* view = new (std::nothrow) IPlugVST3View(this);
  if (!view)
    return nullptr;
  if (!mViews.Add(view))
  {
    view->release();
    return nullptr;
  }
  return view;
}

void IPlugVST3::RemoveView(IPlugVST3View* view)
{
  if (mWindowView == view)
    mWindowView = nullptr;
  for (int i = 0; i < mViews.GetSize(); ++i)
    if (mViews.Get(i) == view)
    {
      mViews.RemoveAt(i);
      return;
    }
}

tresult PLUGIN_API IPlugVST3::queryInterface(const TUID iid, void** obj)
{
  if (!obj)
    return kInvalidArgument;
  QUERY_INTERFACE(iid, obj, IUnitInfo::iid, IUnitInfo)
  QUERY_INTERFACE(iid, obj, IMidiMapping::iid, IMidiMapping)
  return SingleComponentEffect::queryInterface(iid, obj);
}

//---Host notifications

void IPlugVST3::BeginInformHostOfParamChange(int paramIdx)
{
  if (IComponentHandler* handler = getComponentHandler())
    handler->beginEdit(static_cast<ParamID>(paramIdx));
}

void IPlugVST3::InformHostOfParamChange(int paramIdx, double normalisedValue)
{
  if (IComponentHandler* handler = getComponentHandler())
    handler->performEdit(static_cast<ParamID>(paramIdx), normalisedValue);
}

void IPlugVST3::EndInformHostOfParamChange(int paramIdx)
{
  if (IComponentHandler* handler = getComponentHandler())
    handler->endEdit(static_cast<ParamID>(paramIdx));
}

void IPlugVST3::SetLatencySamples(int samples)
{
  IPlugBase::SetLatencySamples(samples);
  if (IComponentHandler* handler = getComponentHandler())
    handler->restartComponent(kLatencyChanged);
}

void IPlugVST3::ResizeGui(int width, int height)
{
  // Through the first view's frame; a host that gave no frame is not asked.
  if (GetGUI() && mViews.GetSize() > 0)
    mViews.Get(0)->RequestResize(width, height);
}

bool IPlugVST3::PopupHostParamMenu(int paramIdx, int x, int y)
{
  IComponentHandler* handler = getComponentHandler();
  if (!handler || mViews.GetSize() == 0)
    return false;
  IComponentHandler3* handler3 = nullptr;
  if (handler->queryInterface(IComponentHandler3::iid, reinterpret_cast<void**>(&handler3)) != kResultOk ||
      !handler3)
    return false;
  const ParamID id = static_cast<ParamID>(paramIdx);
  IContextMenu* menu = handler3->createContextMenu(mViews.Get(0), &id);
  if (menu)
  {
    menu->popup(x, y);
    menu->release();
  }
  handler3->release();
  return menu != nullptr;
}
