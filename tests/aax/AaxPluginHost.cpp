#include "AaxPluginHost.h"

#include <cstring>

#include "aax-support/AAX_CChunkDataParser.h"
#include "aax-support/interfaces/AcfIds.h"

namespace aaxtest {

namespace {

constexpr uint32_t kStateChunkID = 0x51583430;  // 'QX40'

} // namespace

std::unique_ptr<aaxhost::AaxModule> OpenPlugin ()
{
#if defined(ZQ_AAXPLUGIN_PATH)
	std::string error;
	return aaxhost::AaxModule::Load (ZQ_AAXPLUGIN_PATH, error);
#elif !defined(_WIN32)
	return aaxhost::AaxModule::Linked ();
#else
	return nullptr;
#endif
}

PluginHost::PluginHost (std::unique_ptr<aaxhost::AaxModule> module)
{
	if (!module)
		return;
	mSession.reset (new aaxhost::AaxHostSession (std::move (module)));
	if (mSession->Startup () != kAaxSuccess || mSession->Register () != kAaxSuccess)
		return;
	const auto& components = mSession->Host ().ComponentDescriptors ();
	if (components.empty ())
		return;
	mRender = reinterpret_cast<AaxRenderProc> (components.back ()->mProcessProc);
	AAX_IACFEffectParameters* effect = mSession->CreateEffectParameters ();
	if (!effect)
		return;
	void* v2 = nullptr;
	effect->QueryInterface (IID_AAX_IACFEffectParameters_V2, &v2);
	effect->Release ();
	mEffect = static_cast<AAX_IACFEffectParameters_V2*> (v2);
	if (mEffect && mEffect->InitializeEffect (Host ().Unknown ()) != kAaxSuccess)
	{
		mEffect->Release ();
		mEffect = nullptr;
	}
	mTransportNode.reset (new TransportNode (Host ().Unknown ()));
}

PluginHost::~PluginHost ()
{
	Close ();
}

AaxResult PluginHost::SetParameter (const char* id, double normalized)
{
	return mEffect->UpdateParameterNormalizedValue (id, normalized, 0);
}

void PluginHost::Render (std::vector<std::vector<float>>& channels, int frames)
{
	std::vector<float*> pointers;
	for (auto& channel : channels)
		pointers.push_back (channel.data ());
	// The host asks the plug-in what its private-data field holds.
	AAX_CIPlugParameters* instance = nullptr;
	mEffect->ResetFieldData (kAaxFieldPrivateData, &instance, sizeof instance);
	int32_t length = frames;
	uint32_t placeholders[3] = { 0xDEADBEEF, 0xDEADBEEF, 0xDEADBEEF };
	AaxRenderContext context = {};
	context.mInputs = pointers.data ();
	context.mOutputs = pointers.data ();
	context.mBufferLength = &length;
	// Fields the description declared as placeholders hold junk a node read would trip on.
	context.mInputMidi = reinterpret_cast<AaxMidiNode*> (&placeholders[0]);
	context.mGlobalMidi = &placeholders[1];
	context.mMeters = &placeholders[2];
	context.mTransportNode = mTransportNode.get ();
	context.mPrivateData = &instance;
	void* contexts[] = { &context };
	mRender (contexts, contexts + 1);
}

void PluginHost::RenderBlocks (std::vector<std::vector<float>>& channels, int block)
{
	const int total = static_cast<int> (channels.front ().size ());
	std::vector<std::vector<float>> part (channels.size ());
	for (int start = 0; start < total; start += block)
	{
		const int n = std::min (block, total - start);
		for (size_t c = 0; c < channels.size (); ++c)
			part[c].assign (channels[c].begin () + start, channels[c].begin () + start + n);
		Render (part, n);
		for (size_t c = 0; c < channels.size (); ++c)
			std::copy (part[c].begin (), part[c].end (), channels[c].begin () + start);
	}
}

std::vector<uint8_t> PluginHost::Chunk ()
{
	uint32_t size = 0;
	if (mEffect->GetChunkSize (kStateChunkID, &size) != kAaxSuccess)
		return {};
	// A zero-filled record of the reported size: the plug-in writes the size word.
	std::vector<uint8_t> record (kAaxChunkHeaderSize + size, 0);
	AaxChunk* chunk = reinterpret_cast<AaxChunk*> (record.data ());
	if (mEffect->GetChunk (kStateChunkID, chunk) != kAaxSuccess || chunk->mSize != static_cast<int32_t> (size))
		return {};
	return std::vector<uint8_t> (record.begin () + kAaxChunkHeaderSize, record.end ());
}

AaxResult PluginHost::SetChunk (const std::vector<uint8_t>& data, int32_t sizeWord)
{
	// Exactly the data given follows the header, so a read past it is a fault the sanitizers see.
	std::vector<uint8_t> record (kAaxChunkHeaderSize + data.size ());
	AaxChunk* chunk = reinterpret_cast<AaxChunk*> (record.data ());
	chunk->mSize = sizeWord;
	chunk->mChunkID = kStateChunkID;
	if (!data.empty ())
		std::memcpy (record.data () + kAaxChunkHeaderSize, data.data (), data.size ());
	return mEffect->SetChunk (kStateChunkID, chunk);
}

void PluginHost::ReleaseEffect ()
{
	if (!mEffect)
		return;
	mEffect->UninitializeEffect ();
	mEffect->Release ();
	mEffect = nullptr;
}

bool PluginHost::Close ()
{
	if (!mSession)
		return false;
	ReleaseEffect ();
	mTransportNode.reset ();
	const bool canUnload = mSession->CanUnloadNow () == kAaxSuccess;
	mSession.reset ();
	return canUnload;
}

} // namespace aaxtest
