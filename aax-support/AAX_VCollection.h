#pragma once

// Collection wrapper: the module being described. Owns every effect descriptor
// and property map it makes; deleting it releases all host references the
// describe pass took.

#include "aax-support/AAX_ICollection.h"
#include "aax-support/AcfPtr.h"
#include "aax-support/interfaces/AaxDescribeInterfaces.h"

#include <memory>
#include <vector>

class AAX_VEffectDescriptor;
class AAX_VPropertyMap;

class AAX_VCollection : public AAX_ICollection
{
public:
	explicit AAX_VCollection (IACFUnknown* hostUnknown);
	~AAX_VCollection () override;

	AAX_IEffectDescriptor* NewDescriptor () override;
	AaxResult AddEffect (const char* effectId, AAX_IEffectDescriptor* descriptor) override;
	AaxResult AddManufacturerName (const char* name) override;
	AaxResult AddPackageName (const char* name) override;
	AaxResult SetPackageVersion (uint32_t version) override;
	AAX_IPropertyMap* NewPropertyMap () override;
	AaxResult Slot11 (AAX_IPropertyMap* properties) override;

	AAX_IACFCollection* HostCollection () const { return mCollection.Get (); }

private:
	AcfPtr<IACFUnknown> mHostUnknown;
	AcfPtr<AAX_IACFCollection> mCollection;
	std::vector<std::unique_ptr<AAX_VEffectDescriptor>> mDescriptors;
	std::vector<std::unique_ptr<AAX_VPropertyMap>> mPropertyMaps;
};
