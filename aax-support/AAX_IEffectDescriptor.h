#pragma once

// One effect of the description (wrapped by AAX_VEffectDescriptor).

#include "aax-support/interfaces/AaxTypes.h"
#include "aax-support/interfaces/AcfBase.h"

class AAX_IComponentDescriptor;
class AAX_IPropertyMap;

class AAX_IEffectDescriptor
{
public:
	virtual ~AAX_IEffectDescriptor () = default;
	virtual AAX_IComponentDescriptor* NewComponentDescriptor () = 0;
	virtual AaxResult AddComponent (AAX_IComponentDescriptor* component) = 0;
	virtual AaxResult AddName (const char* name) = 0;
	virtual AaxResult AddCategory (uint32_t category) = 0;
	virtual AaxResult Slot6 (AaxWord, AaxWord) = 0;
	virtual AaxResult AddProcPtr (AaxProcPtr proc, uint32_t procId) = 0;
	virtual AAX_IPropertyMap* NewPropertyMap () = 0;
	virtual AaxResult Slot8 (AAX_IPropertyMap* properties) = 0;
	virtual AaxResult Slot9 (AaxWord, AaxWord) = 0;
	virtual AaxResult Slot10 (AaxWord, AaxWord, AAX_IPropertyMap* properties) = 0;
	virtual AaxResult Slot11 (AaxWord, AaxWord, AaxWord, AaxWord) = 0;
};
