#include "aax-support/AAX_VPropertyMap.h"

AAX_VPropertyMap::AAX_VPropertyMap (IACFUnknown* hostUnknown)
{
	AcfCreateHostObject (hostUnknown, CLSID_AAX_PropertyMap, IID_AAX_IACFPropertyMap, mPropertyMap, IID_AAX_IACFPropertyMap_V2, mPropertyMapV2);
}

// The second version is declared last, so it is released first.
AAX_VPropertyMap::~AAX_VPropertyMap () = default;

bool AAX_VPropertyMap::QueryProperty (AaxPropertyID id, AaxPropertyValue* value) const
{
	return mPropertyMap ? mPropertyMap->QueryProperty (id, value) : false;
}

AaxResult AAX_VPropertyMap::AddProperty (AaxPropertyID id, AaxPropertyValue value)
{
	return mPropertyMap ? mPropertyMap->AddProperty (id, value) : kAaxErrMissingInterface;
}

AaxResult AAX_VPropertyMap::Slot5 (AaxWord a)
{
	return mPropertyMap ? mPropertyMap->Slot5 (a) : kAaxErrMissingInterface;
}

AaxResult AAX_VPropertyMap::Slot6 (AaxWord a, AaxWord b, AaxWord c)
{
	return mPropertyMapV2 ? mPropertyMapV2->Slot6 (a, b, c) : kAaxErrNotImplemented;
}

bool AAX_VPropertyMap::Slot7 (AaxWord a, AaxWord b, AaxWord c) const
{
	return mPropertyMapV2 ? mPropertyMapV2->Slot7 (a, b, c) : false;
}

AAX_IACFPropertyMap* AAX_VPropertyMap::HostObjectOf (const AAX_IPropertyMap* map)
{
	const AAX_VPropertyMap* ours = dynamic_cast<const AAX_VPropertyMap*> (map);
	return ours ? ours->HostPropertyMap () : nullptr;
}
