#pragma once

// One plug-in object driven as a host drives it: created through a factory,
// initialised with a host application, set up, activated, fed blocks with
// parameter changes and a process context, asked for and given its state,
// terminated and released.

#include "tests/hosts/HostClasses.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zqhost {

using Buffers = std::vector<std::vector<double>>;

class PluginInstance
{
public:
	// Creates the class cid and queries its interfaces; null with error set on failure.
	static std::unique_ptr<PluginInstance> create (IPluginFactory* factory, const TUID cid,
	                                               std::string& error);
	// The first class of category "Audio Module Class".
	static std::unique_ptr<PluginInstance> createFirstEffect (IPluginFactory* factory,
	                                                          std::string& error);
	~PluginInstance ();

	// initialize with the host application, then the component handler;
	// the buses flagged active by default are activated.
	tresult initialize (FUnknown* hostContext, IComponentHandler* handler);
	tresult terminate ();

	tresult setup (double sampleRate, int32 maxBlock, int32 sampleSize,
	               int32 processMode = kRealtime);
	// setActive and setProcessing together.
	tresult start ();
	tresult stop ();

	// One block of numSamples frames; in and out hold one vector per channel
	// (sized by the caller), read and written from the given offsets. The
	// layouts split the channels into buses (empty: one bus with all of them;
	// no channels: no bus). Converts to and from 32-bit samples when the setup
	// asked for them.
	tresult processBlock (const Buffers& in, size_t inOffset, Buffers& out, size_t outOffset,
	                      int32 numSamples, IParameterChanges* changes = nullptr,
	                      ProcessContext* context = nullptr, IEventList* events = nullptr,
	                      const std::vector<int>& inLayout = {},
	                      const std::vector<int>& outLayout = {});

	// The state through the component or the controller interface.
	tresult getState (std::vector<uint8_t>& bytes, bool viaController = false);
	tresult setState (const std::vector<uint8_t>& bytes, bool viaController = false);

	// Parameter lookup by title; the SDK's kNoParamId when missing.
	ParamID findParameter (const std::string& title);
	ParamValue plainToNormalized (ParamID id, ParamValue plain);

	IComponent* component = nullptr;
	IAudioProcessor* processor = nullptr;
	IEditController* controller = nullptr;
	int32 sampleSize = kSample32;
	// After processBlock: false when the plug-in wrote past the end of a
	// 32-bit output buffer or into the (64-bit) input buffers it was given.
	bool guardsIntact = true;

private:
	PluginInstance () = default;
	std::vector<std::vector<float>> mFloatIn, mFloatOut;
	std::vector<float*> mFloatInPtrs, mFloatOutPtrs;
	std::vector<double*> mDoubleInPtrs, mDoubleOutPtrs;
	std::vector<double> mDoubleInCopy;
	std::vector<AudioBusBuffers> mInBuses, mOutBuses;
};

} // namespace zqhost
