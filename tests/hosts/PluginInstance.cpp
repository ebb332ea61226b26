#include "tests/hosts/PluginInstance.h"

#include "public.sdk/source/common/memorystream.h"

#include <cstring>

namespace zqhost {

std::unique_ptr<PluginInstance> PluginInstance::create (IPluginFactory* factory, const TUID cid,
                                                        std::string& error)
{
	if (!factory)
	{
		error = "no factory";
		return nullptr;
	}
	std::unique_ptr<PluginInstance> p (new PluginInstance);
	void* obj = nullptr;
	tresult r = factory->createInstance (reinterpret_cast<FIDString> (cid),
	                                     reinterpret_cast<FIDString> (IComponent::iid.toTUID ()), &obj);
	if (r != kResultOk || !obj)
	{
		error = "createInstance failed (" + std::to_string (r) + ")";
		return nullptr;
	}
	p->component = static_cast<IComponent*> (obj);
	if (p->component->queryInterface (IAudioProcessor::iid, reinterpret_cast<void**> (&p->processor)) != kResultOk)
		p->processor = nullptr;
	if (p->component->queryInterface (IEditController::iid, reinterpret_cast<void**> (&p->controller)) != kResultOk)
		p->controller = nullptr;
	if (!p->processor || !p->controller)
	{
		error = "the component is not also an audio processor and edit controller";
		return nullptr;
	}
	return p;
}

std::unique_ptr<PluginInstance> PluginInstance::createFirstEffect (IPluginFactory* factory,
                                                                   std::string& error)
{
	if (!factory)
	{
		error = "no factory";
		return nullptr;
	}
	for (int32 i = 0; i < factory->countClasses (); ++i)
	{
		PClassInfo info;
		if (factory->getClassInfo (i, &info) == kResultOk &&
		    std::strcmp (info.category, kVstAudioEffectClass) == 0)
			return create (factory, info.cid, error);
	}
	error = "no audio effect class in the factory";
	return nullptr;
}

PluginInstance::~PluginInstance ()
{
	if (controller)
		controller->release ();
	if (processor)
		processor->release ();
	if (component)
		component->release ();
}

tresult PluginInstance::initialize (FUnknown* hostContext, IComponentHandler* handler)
{
	tresult r = component->initialize (hostContext);
	if (r != kResultOk)
		return r;
	if (handler)
		controller->setComponentHandler (handler);
	// As hosts do: the buses the plug-in asks for are switched on.
	for (MediaType type : {kAudio, kEvent})
		for (BusDirection dir : {kInput, kOutput})
			for (int32 b = 0; b < component->getBusCount (type, dir); ++b)
			{
				BusInfo info;
				if (component->getBusInfo (type, dir, b, info) == kResultOk &&
				    (info.flags & BusInfo::kDefaultActive))
					component->activateBus (type, dir, b, true);
			}
	return r;
}

tresult PluginInstance::terminate ()
{
	controller->setComponentHandler (nullptr);
	return component->terminate ();
}

tresult PluginInstance::setup (double sampleRate, int32 maxBlock, int32 size, int32 processMode)
{
	ProcessSetup setup;
	setup.processMode = processMode;
	setup.symbolicSampleSize = size;
	setup.maxSamplesPerBlock = maxBlock;
	setup.sampleRate = sampleRate;
	tresult r = processor->setupProcessing (setup);
	if (r == kResultOk)
		sampleSize = size;
	return r;
}

tresult PluginInstance::start ()
{
	tresult r = component->setActive (true);
	if (r != kResultOk)
		return r;
	return processor->setProcessing (true);
}

tresult PluginInstance::stop ()
{
	processor->setProcessing (false);
	return component->setActive (false);
}

static const float kGuard = 1234.5f;

static void splitBuses (std::vector<AudioBusBuffers>& buses, const std::vector<int>& layout,
                        size_t channels, void** pointers)
{
	buses.clear ();
	if (channels == 0)
		return;
	std::vector<int> sizes = layout.empty () ? std::vector<int> {static_cast<int> (channels)} : layout;
	size_t first = 0;
	for (int n : sizes)
	{
		AudioBusBuffers bus;
		bus.numChannels = n;
		bus.channelBuffers64 = reinterpret_cast<Sample64**> (pointers + first);
		buses.push_back (bus);
		first += static_cast<size_t> (n);
	}
}

tresult PluginInstance::processBlock (const Buffers& in, size_t inOffset, Buffers& out,
                                      size_t outOffset, int32 numSamples,
                                      IParameterChanges* changes, ProcessContext* context,
                                      IEventList* events, const std::vector<int>& inLayout,
                                      const std::vector<int>& outLayout)
{
	const size_t nIn = in.size (), nOut = out.size ();
	const size_t n = numSamples > 0 ? static_cast<size_t> (numSamples) : 0;
	void** inPointers;
	void** outPointers;
	if (sampleSize == kSample32)
	{
		mFloatIn.resize (nIn);
		mFloatOut.resize (nOut);
		mFloatInPtrs.resize (nIn + 1);
		mFloatOutPtrs.resize (nOut + 1);
		for (size_t c = 0; c < nIn; ++c)
		{
			mFloatIn[c].resize (n + 1);
			for (size_t i = 0; i < n; ++i)
				mFloatIn[c][i] = static_cast<float> (in[c][inOffset + i]);
			mFloatInPtrs[c] = mFloatIn[c].data ();
		}
		for (size_t c = 0; c < nOut; ++c)
		{
			mFloatOut[c].assign (n + 1, 0.0f);
			mFloatOut[c][n] = kGuard;
			mFloatOutPtrs[c] = mFloatOut[c].data ();
		}
		inPointers = reinterpret_cast<void**> (mFloatInPtrs.data ());
		outPointers = reinterpret_cast<void**> (mFloatOutPtrs.data ());
	}
	else
	{
		// The plug-in gets its own copy of the input, so a test sees if it writes there.
		mDoubleInCopy.resize (nIn * n + 1);
		mDoubleInPtrs.resize (nIn + 1);
		mDoubleOutPtrs.resize (nOut + 1);
		for (size_t c = 0; c < nIn; ++c)
		{
			if (n)
				std::memcpy (&mDoubleInCopy[c * n], &in[c][inOffset], n * sizeof (double));
			mDoubleInPtrs[c] = &mDoubleInCopy[c * n];
		}
		for (size_t c = 0; c < nOut; ++c)
			mDoubleOutPtrs[c] = out[c].data () + outOffset;
		inPointers = reinterpret_cast<void**> (mDoubleInPtrs.data ());
		outPointers = reinterpret_cast<void**> (mDoubleOutPtrs.data ());
	}
	splitBuses (mInBuses, inLayout, nIn, inPointers);
	splitBuses (mOutBuses, outLayout, nOut, outPointers);

	ProcessData data;
	data.processMode = kRealtime;
	data.symbolicSampleSize = sampleSize;
	data.numSamples = numSamples;
	data.numInputs = static_cast<int32> (mInBuses.size ());
	data.numOutputs = static_cast<int32> (mOutBuses.size ());
	data.inputs = mInBuses.empty () ? nullptr : mInBuses.data ();
	data.outputs = mOutBuses.empty () ? nullptr : mOutBuses.data ();
	data.inputParameterChanges = changes;
	data.inputEvents = events;
	data.processContext = context;
	tresult r = processor->process (data);

	guardsIntact = true;
	if (sampleSize == kSample32)
	{
		for (size_t c = 0; c < nOut; ++c)
		{
			for (size_t i = 0; i < n; ++i)
				out[c][outOffset + i] = mFloatOut[c][i];
			guardsIntact = guardsIntact && mFloatOut[c][n] == kGuard;
		}
	}
	else
	{
		for (size_t c = 0; c < nIn; ++c)
			if (n && std::memcmp (&mDoubleInCopy[c * n], &in[c][inOffset], n * sizeof (double)) != 0)
				guardsIntact = false;
	}
	return r;
}

tresult PluginInstance::getState (std::vector<uint8_t>& bytes, bool viaController)
{
	MemoryStream stream;
	tresult r = viaController ? controller->getState (&stream) : component->getState (&stream);
	const char* data = stream.getData ();
	bytes.assign (data, data + stream.getSize ());
	return r;
}

tresult PluginInstance::setState (const std::vector<uint8_t>& bytes, bool viaController)
{
	MemoryStream stream;
	int32 written = 0;
	if (!bytes.empty ())
		stream.write (const_cast<uint8_t*> (bytes.data ()), static_cast<int32> (bytes.size ()), &written);
	stream.seek (0, IBStream::kIBSeekSet, nullptr);
	return viaController ? controller->setState (&stream) : component->setState (&stream);
}

ParamID PluginInstance::findParameter (const std::string& title)
{
	for (int32 i = 0; i < controller->getParameterCount (); ++i)
	{
		ParameterInfo info;
		if (controller->getParameterInfo (i, info) == kResultOk && toAscii (info.title) == title)
			return info.id;
	}
	return kNoParamId;
}

ParamValue PluginInstance::plainToNormalized (ParamID id, ParamValue plain)
{
	return controller->plainParamToNormalized (id, plain);
}

} // namespace zqhost
