#pragma once

// Host objects the plug-in describes itself through while it registers, in the
// host's slot order (0-2 are IACFUnknown). Slots 3-6 of the collection are
// never called by the plug-in.

#include "AcfBase.h"
#include "AcfIds.h"
#include "AaxTypes.h"

class AAX_IACFPropertyMap : public IACFUnknown
{
public:
	virtual bool ACF_CALL QueryProperty (AaxPropertyID id, AaxPropertyValue* value) = 0;    // 3
	virtual AaxResult ACF_CALL AddProperty (AaxPropertyID id, AaxPropertyValue value) = 0; // 4
	virtual AaxResult ACF_CALL Slot5 (AaxWord) = 0;
};

class AAX_IACFPropertyMap_V2 : public AAX_IACFPropertyMap
{
public:
	virtual AaxResult ACF_CALL Slot6 (AaxWord, AaxWord, AaxWord) = 0;
	virtual bool ACF_CALL Slot7 (AaxWord, AaxWord, AaxWord) = 0;
};

class AAX_IACFComponentDescriptor : public IACFUnknown
{
public:
	virtual AaxResult ACF_CALL Slot3 () = 0;
	virtual AaxResult ACF_CALL Slot4 (AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL AddAudioIn (AaxFieldIndex field) = 0;                      // 5
	virtual AaxResult ACF_CALL AddAudioOut (AaxFieldIndex field) = 0;                     // 6
	virtual AaxResult ACF_CALL AddAudioBufferLength (AaxFieldIndex field) = 0;            // 7
	virtual AaxResult ACF_CALL Slot8 (AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot9 (AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot10 (AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot11 (AaxWord, AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL AddAuxOutputStem (AaxWord first, AaxStemFormat format, const char* name) = 0; // 12
	virtual AaxResult ACF_CALL AddPrivateData (AaxFieldIndex field, int32_t size, uint32_t options) = 0;    // 13
	virtual AaxResult ACF_CALL Slot14 (AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL AddMIDINode (AaxFieldIndex field, uint32_t kind, const char* name, uint32_t channelMask) = 0; // 15
	virtual AaxResult ACF_CALL AddProcessProc (AaxProcPtr proc, AAX_IACFPropertyMap* properties, AaxWord, AaxWord, AaxWord) = 0; // 16
	virtual AaxResult ACF_CALL Slot17 (AaxWord, AaxWord, AAX_IACFPropertyMap* properties, AaxWord, AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL AddMeters (AaxFieldIndex field, const uint32_t* meterIds, uint32_t count) = 0; // 18
};

class AAX_IACFComponentDescriptor_V2 : public AAX_IACFComponentDescriptor
{
public:
	virtual AaxResult ACF_CALL Slot19 (AaxWord, AaxWord) = 0;
};

class AAX_IACFEffectDescriptor : public IACFUnknown
{
public:
	virtual AaxResult ACF_CALL AddComponent (AAX_IACFComponentDescriptor* component) = 0; // 3
	virtual AaxResult ACF_CALL AddName (const char* name) = 0;                            // 4
	virtual AaxResult ACF_CALL AddCategory (uint32_t category) = 0;                       // 5
	virtual AaxResult ACF_CALL Slot6 (AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL AddProcPtr (AaxProcPtr proc, uint32_t procId) = 0;        // 7
	virtual AaxResult ACF_CALL Slot8 (AAX_IACFPropertyMap* properties) = 0;
	virtual AaxResult ACF_CALL Slot9 (AaxWord, AaxWord) = 0;
	virtual AaxResult ACF_CALL Slot10 (AaxWord, AaxWord, AAX_IACFPropertyMap* properties) = 0;
};

class AAX_IACFEffectDescriptor_V2 : public AAX_IACFEffectDescriptor
{
public:
	virtual AaxResult ACF_CALL Slot11 (AaxWord, AaxWord, AaxWord, AaxWord) = 0;
};

class AAX_IACFCollection : public IACFUnknown
{
public:
	virtual AaxResult ACF_CALL Slot3 () = 0;
	virtual AaxResult ACF_CALL Slot4 () = 0;
	virtual AaxResult ACF_CALL Slot5 () = 0;
	virtual AaxResult ACF_CALL Slot6 () = 0;
	virtual AaxResult ACF_CALL AddEffect (const char* effectId, AAX_IACFEffectDescriptor* descriptor) = 0; // 7
	virtual AaxResult ACF_CALL AddManufacturerName (const char* name) = 0;                // 8
	virtual AaxResult ACF_CALL AddPackageName (const char* name) = 0;                     // 9
	virtual AaxResult ACF_CALL SetPackageVersion (uint32_t version) = 0;                  // 10
	virtual AaxResult ACF_CALL Slot11 (AAX_IACFPropertyMap* properties) = 0;
};
