#include "formats/vst3/SingleComponentEffect.h"

#include "formats/vst3/Vst3Text.h"
#include "framework/IParamRecord.h"

#include "pluginterfaces/gui/iplugview.h"

#include <cmath>
#include <cstdlib>
#include <new>

namespace Steinberg {

// The SDK sources this tree builds declare the view interfaces' ids but define
// them nowhere (the factory source that did is not part of the copy); the
// controller refers to them, so they are defined with it.
DEF_CLASS_IID (IPlugView)
DEF_CLASS_IID (IPlugFrame)

namespace Vst {

// True when the text starts (after blanks) with a decimal number that is finite.
static bool HoldsFiniteNumber (const TChar* string)
{
	char text[129];
	vst3text::ToNarrow (string, text, sizeof (text));
	char* end = nullptr;
	const double v = std::strtod (text, &end);
	return end != text && std::isfinite (v);
}

SingleComponentEffect::SingleComponentEffect ()
: audioInputs (kAudio, kInput)
, audioOutputs (kAudio, kOutput)
, eventInputs (kEvent, kInput)
{
	processSetup.processMode = kRealtime;
	processSetup.symbolicSampleSize = kSample32;
	processSetup.maxSamplesPerBlock = 1024;
	processSetup.sampleRate = 44100.0;
}

SingleComponentEffect::~SingleComponentEffect ()
{
}

// The lists hold counted pointers; a bus that cannot be stored is released here.
template <class B>
static B* appendBus (BusList& list, B* bus)
{
	if (!bus)
		return nullptr;
	try
	{
		list.push_back (IPtr<Vst::Bus> (bus, false));
	}
	catch (...)
	{
		bus->release ();
		return nullptr;
	}
	return bus;
}

AudioBus* SingleComponentEffect::addAudioInput (const TChar* name, SpeakerArrangement arr,
                                                BusType busType, int32 flags)
{
	return appendBus (audioInputs, new (std::nothrow) AudioBus (name, busType, flags, arr));
}

AudioBus* SingleComponentEffect::addAudioOutput (const TChar* name, SpeakerArrangement arr,
                                                 BusType busType, int32 flags)
{
	return appendBus (audioOutputs, new (std::nothrow) AudioBus (name, busType, flags, arr));
}

EventBus* SingleComponentEffect::addEventInput (const TChar* name, int32 channels, BusType busType,
                                                int32 flags)
{
	return appendBus (eventInputs, new (std::nothrow) EventBus (name, busType, flags, channels));
}

void SingleComponentEffect::removeAudioBusses ()
{
	audioInputs.clear ();
	audioOutputs.clear ();
}

void SingleComponentEffect::removeEventBusses ()
{
	eventInputs.clear ();
}

void SingleComponentEffect::removeAllBusses ()
{
	removeAudioBusses ();
	removeEventBusses ();
}

tresult PLUGIN_API SingleComponentEffect::initialize (FUnknown* context)
{
	return EditController::initialize (context);
}

tresult PLUGIN_API SingleComponentEffect::terminate ()
{
	parameters.removeAll ();
	removeAllBusses ();
	return EditController::terminate ();
}

tresult PLUGIN_API SingleComponentEffect::getState (IBStream* /*state*/)
{
	return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::setState (IBStream* /*state*/)
{
	return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::setComponentState (IBStream* /*state*/)
{
	return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::getParameterInfo (int32 paramIndex, ParameterInfo& info)
{
	// The container indexes with a throwing accessor; a host's bad index is only a false result.
	if (paramIndex < 0 || paramIndex >= parameters.getParameterCount ())
		return kResultFalse;
	return EditController::getParameterInfo (paramIndex, info);
}

tresult PLUGIN_API SingleComponentEffect::getParamValueByString (ParamID id, TChar* string,
                                                                 ParamValue& valueNormalized)
{
	// The SDK's conversion measures the string first; a missing one is refused here.
	if (!string)
		return kInvalidArgument;
	Parameter* parameter = getParameterObject (id);
	if (!parameter)
		return kResultFalse;
	// A list matches its own texts. Otherwise the SDK's scan answers success
	// for text without a number (leaving the value unwritten) and passes
	// "nan" and "inf" through: only text that holds a finite number counts.
	if ((parameter->getInfo ().flags & ParameterInfo::kIsList) == 0 && !HoldsFiniteNumber (string))
		return kResultFalse;
	ParamValue value = 0.0;
	if (!parameter->fromString (string, value) || !std::isfinite (value))
		return kResultFalse;
	// A plain parameter reads its text as the normalised value itself.
	IParamRecord::LimitNormalised (value);
	valueNormalized = value;
	return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::getControllerClassId (TUID /*classId*/)
{
	return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::setIoMode (IoMode /*mode*/)
{
	return kNotImplemented;
}

BusList* SingleComponentEffect::getBusList (MediaType type, BusDirection dir)
{
	if (type == kAudio)
		return dir == kInput ? &audioInputs : (dir == kOutput ? &audioOutputs : nullptr);
	if (type == kEvent)
		return dir == kInput ? &eventInputs : nullptr;   // no MIDI output
	return nullptr;
}

Bus* SingleComponentEffect::busAt (BusList* list, int32 index)
{
	if (!list || index < 0 || index >= static_cast<int32> (list->size ()))
		return nullptr;
	return (*list)[static_cast<size_t> (index)];
}

int32 PLUGIN_API SingleComponentEffect::getBusCount (MediaType type, BusDirection dir)
{
	BusList* list = getBusList (type, dir);
	return list ? static_cast<int32> (list->size ()) : 0;
}

tresult PLUGIN_API SingleComponentEffect::getBusInfo (MediaType type, BusDirection dir, int32 index,
                                                      BusInfo& info)
{
	Bus* bus = busAt (getBusList (type, dir), index);
	if (!bus)
		return kInvalidArgument;
	info.mediaType = type;
	info.direction = dir;
	return bus->getInfo (info) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::getRoutingInfo (RoutingInfo& /*inInfo*/,
                                                          RoutingInfo& /*outInfo*/)
{
	return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::activateBus (MediaType type, BusDirection dir,
                                                       int32 index, TBool state)
{
	Bus* bus = busAt (getBusList (type, dir), index);
	if (!bus)
		return kInvalidArgument;
	bus->setActive (state);
	return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::setActive (TBool /*state*/)
{
	return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setBusArrangements (SpeakerArrangement* inputs,
                                                              int32 numIns,
                                                              SpeakerArrangement* outputs,
                                                              int32 numOuts)
{
	// Accepts only what matches the declared buses one for one.
	if (numIns < 0 || numOuts < 0)
		return kInvalidArgument;
	if (numIns != static_cast<int32> (audioInputs.size ()) ||
	    numOuts != static_cast<int32> (audioOutputs.size ()))
		return kResultFalse;
	if ((numIns > 0 && !inputs) || (numOuts > 0 && !outputs))
		return kInvalidArgument;
	for (int32 i = 0; i < numIns; ++i)
		if (auto* bus = FCast<AudioBus> (audioInputs[static_cast<size_t> (i)].get ()))
			bus->setArrangement (inputs[i]);
	for (int32 i = 0; i < numOuts; ++i)
		if (auto* bus = FCast<AudioBus> (audioOutputs[static_cast<size_t> (i)].get ()))
			bus->setArrangement (outputs[i]);
	return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::getBusArrangement (BusDirection dir, int32 index,
                                                             SpeakerArrangement& arr)
{
	auto* bus = FCast<AudioBus> (busAt (getBusList (kAudio, dir), index));
	if (!bus)
		return kInvalidArgument;
	arr = bus->getArrangement ();
	return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::canProcessSampleSize (int32 symbolicSampleSize)
{
	return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::setupProcessing (ProcessSetup& setup)
{
	if (canProcessSampleSize (setup.symbolicSampleSize) != kResultTrue)
		return kResultFalse;
	processSetup = setup;
	return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setProcessing (TBool /*state*/)
{
	return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::process (ProcessData& /*data*/)
{
	return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::queryInterface (const TUID iid, void** obj)
{
	if (!obj)
		return kInvalidArgument;
	QUERY_INTERFACE (iid, obj, IAudioProcessor::iid, IAudioProcessor)
	QUERY_INTERFACE (iid, obj, IComponent::iid, IComponent)
	return EditController::queryInterface (iid, obj);
}

} // namespace Vst
} // namespace Steinberg
