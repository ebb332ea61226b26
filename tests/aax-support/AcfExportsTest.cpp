// The ACF entry points as a host reaches them: natively the ones linked into
// this program, on Windows the exports of the test module loaded under Wine.

#include "AaxHostSession.h"

#include "aax-support/interfaces/AcfIds.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using aaxhost::AaxHostSession;
using aaxhost::AaxModule;
using aaxhost::HostConfig;
using testing::ElementsAre;

namespace {

std::unique_ptr<AaxModule> OpenModule ()
{
#if defined(_WIN32)
	std::string error;
	std::unique_ptr<AaxModule> module = AaxModule::Load (ZQ_ACFTEST_PATH, error);
	EXPECT_NE (module, nullptr) << error;
	return module;
#else
	return AaxModule::Linked ();
#endif
}

TEST (AcfExports, FixedAnswers)
{
	auto module = OpenModule ();
	ASSERT_TRUE (module);
	const aaxhost::AcfEntries& e = module->Entries ();

	uint64_t version = 0;
	EXPECT_EQ (e.mGetSDKVersion (&version), kAaxSuccess);
	EXPECT_EQ (version, 0x00000201007756BFull);
	EXPECT_EQ (static_cast<uint32_t> (version), 0x007756BFu);
	EXPECT_EQ (e.mGetSDKVersion (nullptr), kAaxErrNullArgument);

	void* factory = reinterpret_cast<void*> (1);
	EXPECT_EQ (e.mGetClassFactory (nullptr, IID_IACFUnknown, IID_IACFUnknown, &factory), kAaxErrNotImplemented);
	EXPECT_EQ (factory, nullptr);

	IACFUnknown* component = reinterpret_cast<IACFUnknown*> (1);
	EXPECT_EQ (e.mRegisterComponent (nullptr, 0, &component), kAaxSuccess);
	EXPECT_EQ (component, nullptr);
	EXPECT_EQ (e.mCanUnloadNow (nullptr), 0);
}

TEST (AcfExports, RegistrationDescribesAndHandsBackThePluginDefinition)
{
	AaxHostSession session (OpenModule ());
	ASSERT_EQ (session.Startup (), kAaxSuccess);
	ASSERT_EQ (session.Register (), kAaxSuccess);
	ASSERT_NE (session.Collection (), nullptr);
	EXPECT_EQ (session.PluginDefinition (), session.Collection ()->Unknown ());
	// Only the plug-in definition is still held once registration returns.
	EXPECT_EQ (session.Host ().PluginReferences (), 1 + 1);  // and the host services of ACFStartup
	ASSERT_EQ (session.Collection ()->mEffects.size (), 1u);
	EXPECT_EQ (session.Collection ()->mEffects[0].mId, "com.Zentik.aax.AcfTest");
	EXPECT_THAT (session.Collection ()->mManufacturerNames, ElementsAre ("Zentik"));
	EXPECT_EQ (session.Collection ()->mPackageVersion, 0x00010101u);
	ASSERT_EQ (session.Host ().HostServices ().size (), 1u);
	EXPECT_THAT (session.Host ().HostServices ()[0]->mTraces, ElementsAre ("described AcfTest"));

	EXPECT_EQ (session.Shutdown (), kAaxSuccess);
	EXPECT_EQ (session.Host ().PluginReferences (), 1);
	EXPECT_EQ (session.Host ().OverReleases (), 0u);
}

TEST (AcfExports, FailedRegistrationLeavesTheOutArgumentAlone)
{
	HostConfig noFactory;
	noFactory.mFactory = false;
	AaxHostSession session (OpenModule (), noFactory);
	IACFUnknown* definition = reinterpret_cast<IACFUnknown*> (0x1234);
	EXPECT_EQ (session.Entries ().mRegisterPlugin (session.Host ().Unknown (), &definition), kAaxErrMissingInterface);
	EXPECT_EQ (definition, reinterpret_cast<IACFUnknown*> (0x1234));
	EXPECT_EQ (session.Entries ().mRegisterPlugin (session.Host ().Unknown (), nullptr), kAaxErrNullArgument);
	EXPECT_EQ (session.Host ().PluginReferences (), 0);
}

TEST (AcfExports, ACollectionWithoutPluginDefinitionFailsRegistration)
{
	HostConfig noDefinition;
	noDefinition.mPluginDefinition = false;
	AaxHostSession session (OpenModule (), noDefinition);
	IACFUnknown* definition = reinterpret_cast<IACFUnknown*> (0x1234);
	EXPECT_EQ (session.Entries ().mRegisterPlugin (session.Host ().Unknown (), &definition), kAaxErrMissingInterface);
	EXPECT_EQ (definition, nullptr);
	EXPECT_EQ (session.Host ().PluginReferences (), 0);
}

TEST (AcfExports, ABrokenHostFactoryIsCaughtAtTheEntryPoints)
{
	HostConfig nullFactory;
	nullFactory.mNullFactory = true;
	AaxHostSession session (OpenModule (), nullFactory);
	EXPECT_EQ (session.Startup (), kAcfUnexpected);
	IACFUnknown* definition = nullptr;
	EXPECT_EQ (session.Entries ().mRegisterPlugin (session.Host ().Unknown (), &definition), kAcfUnexpected);
	EXPECT_EQ (definition, nullptr);
	EXPECT_EQ (session.Host ().PluginReferences (), 0);
	// Still usable afterwards.
	uint64_t version = 0;
	EXPECT_EQ (session.Entries ().mGetSDKVersion (&version), kAaxSuccess);
	EXPECT_EQ (session.Entries ().mShutdown (nullptr), kAaxSuccess);
}

TEST (AcfExports, CanUnloadNowFollowsLiveObjects)
{
	AaxHostSession session (OpenModule ());
	ASSERT_EQ (session.Register (), kAaxSuccess);
	EXPECT_EQ (session.CanUnloadNow (), 0);
	IACFUnknown* a = static_cast<IACFUnknown*> (session.CreateObject (kAaxProcEffectParameters, IID_IACFUnknown));
	IACFUnknown* b = static_cast<IACFUnknown*> (session.CreateObject (kAaxProcEffectParameters, IID_IACFUnknown));
	ASSERT_NE (a, nullptr);
	ASSERT_NE (b, nullptr);
	EXPECT_EQ (session.CanUnloadNow (), 2);
	void* unknown = nullptr;
	EXPECT_EQ (a->QueryInterface (IID_IACFUnknown, &unknown), kAaxSuccess);
	EXPECT_EQ (unknown, a);
	void* none = reinterpret_cast<void*> (1);
	EXPECT_EQ (a->QueryInterface (IID_AAX_IACFEffectGUI, &none), kAcfNoInterface);
	EXPECT_EQ (none, nullptr);
	EXPECT_EQ (a->Release (), 1u);
	EXPECT_EQ (a->Release (), 0u);
	EXPECT_EQ (session.CanUnloadNow (), 1);
	b->Release ();
	EXPECT_EQ (session.CanUnloadNow (), 0);
}

} // namespace
