#pragma once

// One ZentikQX40 instance in the fake AAX host: the module registered, the
// effect-parameters object created and initialised through the procedure it
// registered, and render calls made as a host makes them (render context,
// real buffers, the transport node, the private-data field the plug-in
// itself filled).

#include "AaxHostSession.h"

#include <memory>
#include <string>
#include <vector>

#include "aax-support/AAX_VTransport.h"
#include "formats/aax/AaxRenderContext.h"

namespace aaxtest {

// The transport node of the render context: yields the host transport.
class TransportNode : public AaxTransportNode
{
public:
	explicit TransportNode (IACFUnknown* hostUnknown) : mTransport (hostUnknown) {}
	void Slot0 () override {}
	void Slot1 () override {}
	void Slot2 () override {}
	AAX_ITransport* GetTransport () override { return &mTransport; }

private:
	AAX_VTransport mTransport;
};

// The plug-in the tests were built against: its library (Windows) or the
// entry points linked in (native).
std::unique_ptr<aaxhost::AaxModule> OpenPlugin ();

class PluginHost
{
public:
	PluginHost () : PluginHost (OpenPlugin ()) {}
	// Not Ready() when the module is null or does not register and initialise.
	explicit PluginHost (std::unique_ptr<aaxhost::AaxModule> module);
	~PluginHost ();

	aaxhost::AaxHostSession& Session () { return *mSession; }
	aaxhost::FakeAaxHost& Host () { return mSession->Host (); }
	AAX_IACFEffectParameters_V2* Effect () const { return mEffect; }
	bool Ready () const { return mEffect != nullptr; }

	// Sets a host parameter as the host's automation does.
	AaxResult SetParameter (const char* id, double normalized);

	// Renders in place: channels.size() inputs and outputs (the controller's stem
	// formats must match), all frames in one call.
	void Render (std::vector<std::vector<float>>& channels, int frames);
	// The whole signal in calls of `block` frames.
	void RenderBlocks (std::vector<std::vector<float>>& channels, int block);

	std::vector<uint8_t> Chunk ();
	AaxResult SetChunk (const std::vector<uint8_t>& data, int32_t sizeWord);

	// Uninitialises and releases the effect; the session goes on.
	void ReleaseEffect ();
	// Releases the effect and ends the session; true when the module could unload.
	bool Close ();

private:
	std::unique_ptr<aaxhost::AaxHostSession> mSession;
	AAX_IACFEffectParameters_V2* mEffect = nullptr;
	std::unique_ptr<TransportNode> mTransportNode;
	AaxRenderProc mRender = nullptr;
};

} // namespace aaxtest
