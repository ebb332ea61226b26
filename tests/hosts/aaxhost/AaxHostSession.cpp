#include "AaxHostSession.h"

#include <cstdio>

namespace aaxhost {

AaxHostSession::AaxHostSession (std::unique_ptr<AaxModule> module, HostConfig config)
	: mHost (config)
	, mModule (std::move (module))
{
}

AaxHostSession::~AaxHostSession ()
{
	if (mPluginDefinition)
		mPluginDefinition->Release ();
	if (mStarted)
		Shutdown ();
}

AaxResult AaxHostSession::Startup ()
{
	const AaxResult result = Entries ().mStartup (mHost.Unknown ());
	mStarted = mStarted || result == kAaxSuccess;
	return result;
}

AaxResult AaxHostSession::Shutdown ()
{
	mStarted = false;
	return Entries ().mShutdown (mHost.Unknown ());
}

AaxResult AaxHostSession::Register ()
{
	IACFUnknown* definition = nullptr;
	const AaxResult result = Entries ().mRegisterPlugin (mHost.Unknown (), &definition);
	if (result == kAaxSuccess && definition)
	{
		if (mPluginDefinition)
			mPluginDefinition->Release ();
		mPluginDefinition = definition;
	}
	return result;
}

AaxResult AaxHostSession::CanUnloadNow ()
{
	return Entries ().mCanUnloadNow (mHost.Unknown ());
}

FakeCollection* AaxHostSession::Collection () const
{
	const auto& collections = const_cast<FakeAaxHost&> (mHost).Collections ();
	return collections.empty () ? nullptr : collections.back ();
}

FakeEffectDescriptor* AaxHostSession::FirstEffect () const
{
	FakeCollection* collection = Collection ();
	if (!collection || collection->mEffects.empty ())
		return nullptr;
	return collection->mEffects.front ().mDescriptor;
}

void* AaxHostSession::CreateObject (uint32_t procId, AcfRefIID iid)
{
	FakeEffectDescriptor* effect = FirstEffect ();
	if (!effect)
		return nullptr;
	auto it = effect->mProcs.find (procId);
	if (it == effect->mProcs.end () || !it->second)
		return nullptr;
	IACFUnknown* object = reinterpret_cast<AaxCreateObjectProc> (it->second) ();
	if (!object)
		return nullptr;
	void* answer = nullptr;
	// Holding a reference across the query keeps a count-0 object alive.
	object->AddRef ();
	object->QueryInterface (iid, &answer);
	object->Release ();
	return answer;
}

AAX_IACFEffectParameters* AaxHostSession::CreateEffectParameters ()
{
	return static_cast<AAX_IACFEffectParameters*> (CreateObject (kAaxProcEffectParameters, IID_AAX_IACFEffectParameters));
}

AAX_IACFEffectGUI* AaxHostSession::CreateEffectGUI ()
{
	return static_cast<AAX_IACFEffectGUI*> (CreateObject (kAaxProcEffectGUI, IID_AAX_IACFEffectGUI));
}

namespace {
std::string FourCC (int32_t v)
{
	const uint32_t u = static_cast<uint32_t> (v);
	char text[5] = { char (u >> 24), char (u >> 16), char (u >> 8), char (u), 0 };
	for (int i = 0; i < 4; ++i)
		if (text[i] < 32 || text[i] > 126)
			return std::to_string (v);
	return std::string ("'") + text + "'";
}
} // namespace

void AaxHostSession::PrintDescription (std::ostream& out) const
{
	FakeCollection* collection = Collection ();
	if (!collection)
	{
		out << "no collection\n";
		return;
	}
	char version[16];
	std::snprintf (version, sizeof version, "0x%08X", collection->mPackageVersion);
	out << "package version " << version << "\n";
	for (const std::string& name : collection->mPackageNames)
		out << "package name " << name << "\n";
	for (const std::string& name : collection->mManufacturerNames)
		out << "manufacturer " << name << "\n";
	for (const FakeCollection::Effect& effect : collection->mEffects)
	{
		out << "effect " << effect.mId << "\n";
		for (const std::string& name : effect.mDescriptor->mNames)
			out << "  name " << name << "\n";
		for (uint32_t category : effect.mDescriptor->mCategories)
			out << "  category " << category << "\n";
		for (const auto& proc : effect.mDescriptor->mProcs)
			out << "  procedure " << proc.first << "\n";
		for (const FakeComponentDescriptor* component : effect.mDescriptor->mComponents)
		{
			out << "  component\n";
			for (const std::string& declaration : component->mDeclarations)
				out << "    " << declaration << "\n";
			if (component->mProcessProperties)
				for (const auto& property : component->mProcessProperties->mProperties)
					out << "    property " << property.first << " = " << FourCC (property.second) << "\n";
		}
	}
}

} // namespace aaxhost
