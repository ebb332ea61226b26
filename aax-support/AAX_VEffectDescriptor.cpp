#include "aax-support/AAX_VEffectDescriptor.h"

#include "aax-support/AAX_VComponentDescriptor.h"
#include "aax-support/AAX_VPropertyMap.h"

#define FORWARD1(call) return mDescriptor ? mDescriptor->call : kAaxErrMissingInterface
#define FORWARD2(call) return mDescriptorV2 ? mDescriptorV2->call : kAaxErrNotImplemented

AAX_VEffectDescriptor::AAX_VEffectDescriptor (IACFUnknown* hostUnknown)
{
	mHostUnknown.Share (hostUnknown);
	AcfCreateHostObject (hostUnknown, CLSID_AAX_EffectDescriptor, IID_AAX_IACFEffectDescriptor, mDescriptor, IID_AAX_IACFEffectDescriptor_V2, mDescriptorV2);
}

// Members go in reverse order: child wrappers first, then the host objects, then the host unknown.
AAX_VEffectDescriptor::~AAX_VEffectDescriptor () = default;

AAX_IComponentDescriptor* AAX_VEffectDescriptor::NewComponentDescriptor ()
{
	mComponents.emplace_back (new AAX_VComponentDescriptor (mHostUnknown.Get ()));
	return mComponents.back ().get ();
}

AaxResult AAX_VEffectDescriptor::AddComponent (AAX_IComponentDescriptor* component)
{
	const AAX_VComponentDescriptor* ours = dynamic_cast<const AAX_VComponentDescriptor*> (component);
	FORWARD1 (AddComponent (ours ? ours->HostComponentDescriptor () : nullptr));
}

AaxResult AAX_VEffectDescriptor::AddName (const char* name) { FORWARD1 (AddName (name)); }
AaxResult AAX_VEffectDescriptor::AddCategory (uint32_t category) { FORWARD1 (AddCategory (category)); }
AaxResult AAX_VEffectDescriptor::Slot6 (AaxWord a, AaxWord b) { FORWARD1 (Slot6 (a, b)); }
AaxResult AAX_VEffectDescriptor::AddProcPtr (AaxProcPtr proc, uint32_t procId) { FORWARD1 (AddProcPtr (proc, procId)); }

AAX_IPropertyMap* AAX_VEffectDescriptor::NewPropertyMap ()
{
	mPropertyMaps.emplace_back (new AAX_VPropertyMap (mHostUnknown.Get ()));
	return mPropertyMaps.back ().get ();
}

AaxResult AAX_VEffectDescriptor::Slot8 (AAX_IPropertyMap* properties) { FORWARD1 (Slot8 (AAX_VPropertyMap::HostObjectOf (properties))); }
AaxResult AAX_VEffectDescriptor::Slot9 (AaxWord a, AaxWord b) { FORWARD1 (Slot9 (a, b)); }
AaxResult AAX_VEffectDescriptor::Slot10 (AaxWord a, AaxWord b, AAX_IPropertyMap* properties) { FORWARD1 (Slot10 (a, b, AAX_VPropertyMap::HostObjectOf (properties))); }
AaxResult AAX_VEffectDescriptor::Slot11 (AaxWord a, AaxWord b, AaxWord c, AaxWord d) { FORWARD2 (Slot11 (a, b, c, d)); }

AAX_IACFEffectDescriptor* AAX_VEffectDescriptor::HostObjectOf (const AAX_IEffectDescriptor* descriptor)
{
	const AAX_VEffectDescriptor* ours = dynamic_cast<const AAX_VEffectDescriptor*> (descriptor);
	return ours ? ours->HostEffectDescriptor () : nullptr;
}
