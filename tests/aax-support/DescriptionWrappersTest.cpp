// The describe-time wrappers against the fake host: host objects are created
// through the factory, children are owned by their parents, the host receives
// its own objects in place of our wrappers, and every reference is given back.

#include "aax-support/AAX_VCollection.h"
#include "aax-support/AAX_VComponentDescriptor.h"
#include "aax-support/AAX_VEffectDescriptor.h"
#include "aax-support/AAX_VPropertyMap.h"
#include "aax-support/AaxError.h"

#include "FakeAaxHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using aaxhost::FakeAaxHost;
using aaxhost::HostConfig;
using testing::ElementsAre;

namespace {

void DummyProc ()
{
}

TEST (DescriptionWrappers, ADescriptionReachesTheHostAndReleasesEverything)
{
	FakeAaxHost host;
	{
		AAX_VCollection collection (host.Unknown ());
		AAX_IEffectDescriptor* effect = collection.NewDescriptor ();
		EXPECT_EQ (effect->AddName ("ZentikQX40"), kAaxSuccess);
		EXPECT_EQ (effect->AddCategory (0x40), kAaxSuccess);
		AAX_IComponentDescriptor* component = effect->NewComponentDescriptor ();
		EXPECT_EQ (component->AddAudioIn (0), kAaxSuccess);
		EXPECT_EQ (component->AddAudioOut (1), kAaxSuccess);
		EXPECT_EQ (component->AddAudioBufferLength (3), kAaxSuccess);
		EXPECT_EQ (component->AddMIDINode (7, 3, "Transport", 0xFFFF), kAaxSuccess);
		EXPECT_EQ (component->AddPrivateData (8, 4, 0), kAaxSuccess);
		AAX_IPropertyMap* properties = component->NewPropertyMap ();
		EXPECT_EQ (properties->AddProperty (11, 0x5A6E746B), kAaxSuccess);
		EXPECT_EQ (component->AddProcessProc (reinterpret_cast<AaxProcPtr> (&DummyProc), properties, 0, 0, 0), kAaxSuccess);
		EXPECT_EQ (effect->AddComponent (component), kAaxSuccess);
		EXPECT_EQ (effect->AddProcPtr (reinterpret_cast<AaxProcPtr> (&DummyProc), 0), kAaxSuccess);
		EXPECT_EQ (collection.AddEffect ("com.Zentik.aax.ZentikQX40", effect), kAaxSuccess);
		EXPECT_EQ (collection.AddManufacturerName ("Zentik"), kAaxSuccess);
		EXPECT_EQ (collection.AddPackageName ("ZentikQX40"), kAaxSuccess);
		EXPECT_EQ (collection.SetPackageVersion (0x00010101), kAaxSuccess);
		EXPECT_GT (host.PluginReferences (), 0);
	}
	EXPECT_EQ (host.PluginReferences (), 0);
	EXPECT_EQ (host.OverReleases (), 0u);

	ASSERT_EQ (host.Collections ().size (), 1u);
	const aaxhost::FakeCollection& c = *host.Collections ()[0];
	ASSERT_EQ (c.mEffects.size (), 1u);
	EXPECT_EQ (c.mEffects[0].mId, "com.Zentik.aax.ZentikQX40");
	EXPECT_THAT (c.mManufacturerNames, ElementsAre ("Zentik"));
	EXPECT_EQ (c.mPackageVersion, 0x00010101u);
	const aaxhost::FakeEffectDescriptor& e = *c.mEffects[0].mDescriptor;
	EXPECT_THAT (e.mNames, ElementsAre ("ZentikQX40"));
	EXPECT_EQ (e.mProcs.at (0), reinterpret_cast<AaxProcPtr> (&DummyProc));
	ASSERT_EQ (e.mComponents.size (), 1u);
	EXPECT_THAT (e.mComponents[0]->mDeclarations,
	             ElementsAre ("AddAudioIn(0)", "AddAudioOut(1)", "AddAudioBufferLength(3)",
	                          "AddMIDINode(7,3,Transport,0xFFFF)", "AddPrivateData(8,4,0)",
	                          "AddProcessProc(proc,map,0,0,0)"));
	ASSERT_NE (e.mComponents[0]->mProcessProperties, nullptr);
	EXPECT_EQ (e.mComponents[0]->mProcessProperties->mProperties.at (11), 0x5A6E746B);
}

TEST (DescriptionWrappers, ComponentOperationsReachTheirHostSlots)
{
	FakeAaxHost host;
	AAX_VComponentDescriptor component (host.Unknown ());
	AAX_IPropertyMap* map = component.NewPropertyMap ();
	const uint32_t meters[] = { 1, 2 };
	component.Slot3 ();
	component.Slot8 (1);
	component.Slot9 (2);
	component.Slot10 (3);
	component.Slot11 (1, 2, 3);
	component.AddAuxOutputStem (0, 0x00010002, "Aux");
	component.Slot19 (4, 5);
	component.Slot14 (6, 7);
	component.AddMeters (9, meters, 2);
	component.Slot4 (8, 9);
	component.Slot17 (1, 2, map, 3, 4, 5);
	ASSERT_EQ (host.ComponentDescriptors ().size (), 1u);
	EXPECT_THAT (host.ComponentDescriptors ()[0]->mDeclarations,
	             ElementsAre ("Slot3", "Slot8(1)", "Slot9(2)", "Slot10(3)", "Slot11(1,2,3)",
	                          "AddAuxOutputStem(0,0x00010002,Aux)", "Slot19(4,5)", "Slot14(6,7)", "AddMeters(9,ids,2)",
	                          "Slot4(8,9)", "Slot17(1,2,map,3,4,5)"));
}

TEST (DescriptionWrappers, WithoutAFactoryEverythingAnswersMissing)
{
	HostConfig noFactory;
	noFactory.mFactory = false;
	FakeAaxHost host (noFactory);
	AAX_VCollection collection (host.Unknown ());
	EXPECT_EQ (collection.HostCollection (), nullptr);
	AAX_IEffectDescriptor* effect = collection.NewDescriptor ();
	ASSERT_NE (effect, nullptr);
	EXPECT_EQ (effect->AddName ("x"), kAaxErrMissingInterface);
	EXPECT_EQ (effect->Slot11 (1, 2, 3, 4), kAaxErrNotImplemented);
	AAX_IComponentDescriptor* component = effect->NewComponentDescriptor ();
	EXPECT_EQ (component->AddAudioIn (0), kAaxErrMissingInterface);
	EXPECT_EQ (component->Slot19 (0, 0), kAaxErrNotImplemented);
	AAX_IPropertyMap* map = component->NewPropertyMap ();
	AaxPropertyValue value = 7;
	EXPECT_FALSE (map->QueryProperty (11, &value));
	EXPECT_EQ (map->AddProperty (11, 1), kAaxErrMissingInterface);
	EXPECT_EQ (map->Slot6 (1, 2, 3), kAaxErrNotImplemented);
	EXPECT_FALSE (map->Slot7 (1, 2, 3));
	AAX_IPropertyMap* copy = component->CopyPropertyMap (map);
	EXPECT_FALSE (copy->QueryProperty (11, &value));
	EXPECT_EQ (collection.AddEffect ("id", effect), kAaxErrMissingInterface);
	EXPECT_EQ (collection.AddPackageName ("x"), kAaxErrMissingInterface);
	EXPECT_EQ (host.Factory ().PluginReferences (), 0);
}

TEST (DescriptionWrappers, AddEffectWithoutADescriptorDoesNotCallTheHost)
{
	FakeAaxHost host;
	AAX_VCollection collection (host.Unknown ());
	EXPECT_EQ (collection.AddEffect ("id", nullptr), kAaxErrMissingInterface);
	EXPECT_EQ (host.Log ().Count ("Collection.AddEffect"), 0u);
}

TEST (DescriptionWrappers, CopyPropertyMapCarriesIds10To351)
{
	FakeAaxHost host;
	AAX_VComponentDescriptor component (host.Unknown ());
	AAX_IPropertyMap* source = component.NewPropertyMap ();
	for (AaxPropertyID id : { 9u, 10u, 351u, 352u })
		source->AddProperty (id, static_cast<AaxPropertyValue> (id * 2));
	AAX_IPropertyMap* copy = component.CopyPropertyMap (source);
	AaxPropertyValue value = 0;
	EXPECT_FALSE (copy->QueryProperty (9, &value));
	EXPECT_TRUE (copy->QueryProperty (10, &value));
	EXPECT_EQ (value, 20);
	EXPECT_TRUE (copy->QueryProperty (351, &value));
	EXPECT_EQ (value, 702);
	EXPECT_FALSE (copy->QueryProperty (352, &value));
	ASSERT_EQ (host.PropertyMaps ().size (), 2u);
	EXPECT_EQ (host.PropertyMaps ()[1]->mProperties.size (), 2u);
	EXPECT_NE (component.CopyPropertyMap (nullptr), nullptr);
}

TEST (DescriptionWrappers, SecondVersionsFollowTheHost)
{
	HostConfig firstOnly;
	firstOnly.mDescribeV2 = false;
	FakeAaxHost host (firstOnly);
	AAX_VEffectDescriptor effect (host.Unknown ());
	AAX_VComponentDescriptor component (host.Unknown ());
	AAX_VPropertyMap map (host.Unknown ());
	EXPECT_EQ (effect.AddName ("x"), kAaxSuccess);
	EXPECT_EQ (effect.Slot11 (1, 2, 3, 4), kAaxErrNotImplemented);
	EXPECT_EQ (component.Slot19 (1, 2), kAaxErrNotImplemented);
	EXPECT_EQ (map.Slot6 (1, 2, 3), kAaxErrNotImplemented);
	EXPECT_FALSE (map.Slot7 (1, 2, 3));

	FakeAaxHost full;
	AAX_VEffectDescriptor effect2 (full.Unknown ());
	AAX_VPropertyMap map2 (full.Unknown ());
	EXPECT_EQ (effect2.Slot11 (1, 2, 3, 4), kAaxSuccess);
	EXPECT_TRUE (map2.Slot7 (1, 2, 3));
	EXPECT_EQ (effect2.Slot8 (&map2), kAaxSuccess);
	EXPECT_EQ (effect2.Slot10 (1, 2, nullptr), kAaxSuccess);
	EXPECT_THAT (full.Log ().CallsStartingWith ("Effect."),
	             ElementsAre ("Effect.Slot11(1,2,3,4)", "Effect.Slot8(map)", "Effect.Slot10(1,2,null)"));
}

TEST (DescriptionWrappers, ANullFactoryRaisesAnError)
{
	HostConfig nullFactory;
	nullFactory.mNullFactory = true;
	FakeAaxHost host (nullFactory);
	AaxResult raised = 0;
	try
	{
		AAX_VCollection collection (host.Unknown ());
	}
	catch (const AaxError& e)
	{
		raised = e.mResult;
	}
	EXPECT_EQ (raised, kAcfNullFactory);
	EXPECT_EQ (host.PluginReferences (), 0);
}

} // namespace
