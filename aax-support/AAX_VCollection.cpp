#include "aax-support/AAX_VCollection.h"

#include "aax-support/AAX_VEffectDescriptor.h"
#include "aax-support/AAX_VPropertyMap.h"

#define FORWARD1(call) return mCollection ? mCollection->call : kAaxErrMissingInterface

AAX_VCollection::AAX_VCollection (IACFUnknown* hostUnknown)
{
	mHostUnknown.Share (hostUnknown);
	AcfCreateHostObject (hostUnknown, CLSID_AAX_Collection, IID_AAX_IACFCollection, mCollection);
}

// Members go in reverse order: child wrappers first, then the host objects, then the host unknown.
AAX_VCollection::~AAX_VCollection () = default;

AAX_IEffectDescriptor* AAX_VCollection::NewDescriptor ()
{
	mDescriptors.emplace_back (new AAX_VEffectDescriptor (mHostUnknown.Get ()));
	return mDescriptors.back ().get ();
}

AaxResult AAX_VCollection::AddEffect (const char* effectId, AAX_IEffectDescriptor* descriptor)
{
	AAX_IACFEffectDescriptor* host = AAX_VEffectDescriptor::HostObjectOf (descriptor);
	if (!host)
		return kAaxErrMissingInterface;
	FORWARD1 (AddEffect (effectId, host));
}

AaxResult AAX_VCollection::AddManufacturerName (const char* name) { FORWARD1 (AddManufacturerName (name)); }
AaxResult AAX_VCollection::AddPackageName (const char* name) { FORWARD1 (AddPackageName (name)); }
AaxResult AAX_VCollection::SetPackageVersion (uint32_t version) { FORWARD1 (SetPackageVersion (version)); }

AAX_IPropertyMap* AAX_VCollection::NewPropertyMap ()
{
	mPropertyMaps.emplace_back (new AAX_VPropertyMap (mHostUnknown.Get ()));
	return mPropertyMaps.back ().get ();
}

AaxResult AAX_VCollection::Slot11 (AAX_IPropertyMap* properties) { FORWARD1 (Slot11 (AAX_VPropertyMap::HostObjectOf (properties))); }
