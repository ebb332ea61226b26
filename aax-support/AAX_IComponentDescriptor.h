#pragma once

// One processing configuration of an effect (wrapped by AAX_VComponentDescriptor).
// The order is fixed; it is not the host's slot order.

#include "aax-support/interfaces/AaxTypes.h"
#include "aax-support/interfaces/AcfBase.h"

class AAX_IPropertyMap;

class AAX_IComponentDescriptor
{
public:
	virtual ~AAX_IComponentDescriptor () = default;
	virtual AaxResult Slot3 () = 0;
	virtual AaxResult AddAudioIn (AaxFieldIndex field) = 0;
	virtual AaxResult AddAudioOut (AaxFieldIndex field) = 0;
	virtual AaxResult AddAudioBufferLength (AaxFieldIndex field) = 0;
	virtual AaxResult Slot8 (AaxWord) = 0;
	virtual AaxResult Slot9 (AaxWord) = 0;
	virtual AaxResult Slot10 (AaxWord) = 0;
	virtual AaxResult Slot11 (AaxWord, AaxWord, AaxWord) = 0;
	virtual AaxResult AddAuxOutputStem (AaxWord first, AaxStemFormat format, const char* name) = 0;
	virtual AaxResult AddPrivateData (AaxFieldIndex field, int32_t size, uint32_t options) = 0;
	virtual AaxResult Slot19 (AaxWord, AaxWord) = 0;
	virtual AaxResult Slot14 (AaxWord, AaxWord) = 0;
	virtual AaxResult AddMeters (AaxFieldIndex field, const uint32_t* meterIds, uint32_t count) = 0;
	virtual AaxResult AddMIDINode (AaxFieldIndex field, uint32_t kind, const char* name, uint32_t channelMask) = 0;
	virtual AaxResult Slot4 (AaxWord, AaxWord) = 0;
	virtual AAX_IPropertyMap* NewPropertyMap () = 0;
	virtual AAX_IPropertyMap* CopyPropertyMap (const AAX_IPropertyMap* source) = 0;
	virtual AaxResult AddProcessProc (AaxProcPtr proc, AAX_IPropertyMap* properties, AaxWord, AaxWord, AaxWord) = 0;
	virtual AaxResult Slot17 (AaxWord, AaxWord, AAX_IPropertyMap* properties, AaxWord, AaxWord, AaxWord) = 0;
};
