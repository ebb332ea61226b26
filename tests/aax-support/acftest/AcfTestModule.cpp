// A small ACF module for the entry-point tests: a one-effect description and a
// create procedure (id 0) for a bare ACF object, so that ACFCanUnloadNow can be
// watched following live objects.

#include "aax-support/AAX_ICollection.h"
#include "aax-support/AAX_IComponentDescriptor.h"
#include "aax-support/AAX_IEffectDescriptor.h"
#include "aax-support/AAX_IPropertyMap.h"
#include "aax-support/AAX_VHostServices.h"
#include "aax-support/AcfExports.h"
#include "aax-support/CACFUnknown.h"
#include "aax-support/interfaces/AaxPluginInterfaces.h"

namespace {

class AcfTestObject : public IACFUnknown, public CACFUnknown
{
public:
	ACF_UNKNOWN_DELEGATE
};

IACFUnknown* CreateAcfTestObject ()
{
	return static_cast<IACFUnknown*> (new AcfTestObject);
}

void RenderNothing (void* const*, void* const*)
{
}

// The first failure is the one reported.
void Keep (AaxResult& result, AaxResult next)
{
	if (result == kAaxSuccess)
		result = next;
}

} // namespace

AaxResult DescribeEffects (AAX_ICollection* collection)
{
	AAX_IEffectDescriptor* effect = collection->NewDescriptor ();
	if (!effect)
		return kAaxErrMissingInterface;
	AaxResult result = kAaxSuccess;
	Keep (result, effect->AddName ("AcfTest"));
	collection->AddPackageName ("AcfTest");
	Keep (result, effect->AddCategory (0x40));
	AAX_IComponentDescriptor* component = effect->NewComponentDescriptor ();
	Keep (result, component->AddAudioIn (0));
	Keep (result, component->AddAudioOut (1));
	Keep (result, component->AddPrivateData (8, 4, 0));
	AAX_IPropertyMap* properties = component->NewPropertyMap ();
	Keep (result, properties->AddProperty (11, 0x5A6E746B));
	Keep (result, component->AddProcessProc (reinterpret_cast<AaxProcPtr> (&RenderNothing), properties, 0, 0, 0));
	Keep (result, effect->AddComponent (component));
	Keep (result, effect->AddProcPtr (reinterpret_cast<AaxProcPtr> (&CreateAcfTestObject), kAaxProcEffectParameters));
	if (result == kAaxSuccess)
		result = collection->AddEffect ("com.Zentik.aax.AcfTest", effect);
	collection->AddManufacturerName ("Zentik");
	collection->SetPackageVersion (0x00010101);
	AaxTrace (0x08000000, "described %s", "AcfTest");
	return result;
}
