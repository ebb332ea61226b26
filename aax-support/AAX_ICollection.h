#pragma once

// The module being described (wrapped by AAX_VCollection).

#include "aax-support/interfaces/AaxTypes.h"
#include "aax-support/interfaces/AcfBase.h"

class AAX_IEffectDescriptor;
class AAX_IPropertyMap;

class AAX_ICollection
{
public:
	virtual ~AAX_ICollection () = default;
	virtual AAX_IEffectDescriptor* NewDescriptor () = 0;
	virtual AaxResult AddEffect (const char* effectId, AAX_IEffectDescriptor* descriptor) = 0;
	virtual AaxResult AddManufacturerName (const char* name) = 0;
	virtual AaxResult AddPackageName (const char* name) = 0;
	virtual AaxResult SetPackageVersion (uint32_t version) = 0;
	virtual AAX_IPropertyMap* NewPropertyMap () = 0;
	virtual AaxResult Slot11 (AAX_IPropertyMap* properties) = 0;
};
