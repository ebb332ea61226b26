#pragma once

// A property map of the description (wrapped by AAX_VPropertyMap).

#include "aax-support/interfaces/AaxTypes.h"
#include "aax-support/interfaces/AcfBase.h"

class AAX_IPropertyMap
{
public:
	virtual ~AAX_IPropertyMap () = default;
	virtual bool QueryProperty (AaxPropertyID id, AaxPropertyValue* value) const = 0;
	virtual AaxResult AddProperty (AaxPropertyID id, AaxPropertyValue value) = 0;
	virtual AaxResult Slot5 (AaxWord) = 0;
	virtual AaxResult Slot6 (AaxWord, AaxWord, AaxWord) = 0;
	virtual bool Slot7 (AaxWord, AaxWord, AaxWord) const = 0;
};
