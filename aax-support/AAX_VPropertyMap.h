#pragma once

// Property-map wrapper over a host property map it creates.

#include "aax-support/AAX_IPropertyMap.h"
#include "aax-support/AcfPtr.h"
#include "aax-support/interfaces/AaxDescribeInterfaces.h"

class AAX_VPropertyMap : public AAX_IPropertyMap
{
public:
	explicit AAX_VPropertyMap (IACFUnknown* hostUnknown);
	~AAX_VPropertyMap () override;

	bool QueryProperty (AaxPropertyID id, AaxPropertyValue* value) const override;
	AaxResult AddProperty (AaxPropertyID id, AaxPropertyValue value) override;
	AaxResult Slot5 (AaxWord) override;
	AaxResult Slot6 (AaxWord, AaxWord, AaxWord) override;
	bool Slot7 (AaxWord, AaxWord, AaxWord) const override;

	AAX_IACFPropertyMap* HostPropertyMap () const { return mPropertyMap.Get (); }
	// The host object behind a map of ours; null for null or a foreign map.
	static AAX_IACFPropertyMap* HostObjectOf (const AAX_IPropertyMap* map);

private:
	AcfPtr<AAX_IACFPropertyMap> mPropertyMap;
	AcfPtr<AAX_IACFPropertyMap_V2> mPropertyMapV2;
};
