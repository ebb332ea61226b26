#pragma once

// Effect-descriptor wrapper: creates its host object, owns the component
// descriptors and property maps it makes and hands the host their host objects.

#include "aax-support/AAX_IEffectDescriptor.h"
#include "aax-support/AcfPtr.h"
#include "aax-support/interfaces/AaxDescribeInterfaces.h"

#include <memory>
#include <vector>

class AAX_VComponentDescriptor;
class AAX_VPropertyMap;

class AAX_VEffectDescriptor : public AAX_IEffectDescriptor
{
public:
	explicit AAX_VEffectDescriptor (IACFUnknown* hostUnknown);
	~AAX_VEffectDescriptor () override;

	AAX_IComponentDescriptor* NewComponentDescriptor () override;
	AaxResult AddComponent (AAX_IComponentDescriptor* component) override;
	AaxResult AddName (const char* name) override;
	AaxResult AddCategory (uint32_t category) override;
	AaxResult Slot6 (AaxWord, AaxWord) override;
	AaxResult AddProcPtr (AaxProcPtr proc, uint32_t procId) override;
	AAX_IPropertyMap* NewPropertyMap () override;
	AaxResult Slot8 (AAX_IPropertyMap* properties) override;
	AaxResult Slot9 (AaxWord, AaxWord) override;
	AaxResult Slot10 (AaxWord, AaxWord, AAX_IPropertyMap* properties) override;
	AaxResult Slot11 (AaxWord, AaxWord, AaxWord, AaxWord) override;

	AAX_IACFEffectDescriptor* HostEffectDescriptor () const { return mDescriptor.Get (); }
	// The host object behind a descriptor of ours; null for null or a foreign one.
	static AAX_IACFEffectDescriptor* HostObjectOf (const AAX_IEffectDescriptor* descriptor);

private:
	AcfPtr<IACFUnknown> mHostUnknown;
	AcfPtr<AAX_IACFEffectDescriptor> mDescriptor;
	AcfPtr<AAX_IACFEffectDescriptor_V2> mDescriptorV2;
	std::vector<std::unique_ptr<AAX_VComponentDescriptor>> mComponents;
	std::vector<std::unique_ptr<AAX_VPropertyMap>> mPropertyMaps;
};
