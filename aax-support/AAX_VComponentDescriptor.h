#pragma once

// Component-descriptor wrapper: creates its host object, owns the property maps
// it makes and hands the host their host objects.

#include "aax-support/AAX_IComponentDescriptor.h"
#include "aax-support/AcfPtr.h"
#include "aax-support/interfaces/AaxDescribeInterfaces.h"

#include <memory>
#include <vector>

class AAX_VPropertyMap;

class AAX_VComponentDescriptor : public AAX_IComponentDescriptor
{
public:
	explicit AAX_VComponentDescriptor (IACFUnknown* hostUnknown);
	~AAX_VComponentDescriptor () override;

	AaxResult Slot3 () override;
	AaxResult AddAudioIn (AaxFieldIndex field) override;
	AaxResult AddAudioOut (AaxFieldIndex field) override;
	AaxResult AddAudioBufferLength (AaxFieldIndex field) override;
	AaxResult Slot8 (AaxWord) override;
	AaxResult Slot9 (AaxWord) override;
	AaxResult Slot10 (AaxWord) override;
	AaxResult Slot11 (AaxWord, AaxWord, AaxWord) override;
	AaxResult AddAuxOutputStem (AaxWord first, AaxStemFormat format, const char* name) override;
	AaxResult AddPrivateData (AaxFieldIndex field, int32_t size, uint32_t options) override;
	AaxResult Slot19 (AaxWord, AaxWord) override;
	AaxResult Slot14 (AaxWord, AaxWord) override;
	AaxResult AddMeters (AaxFieldIndex field, const uint32_t* meterIds, uint32_t count) override;
	AaxResult AddMIDINode (AaxFieldIndex field, uint32_t kind, const char* name, uint32_t channelMask) override;
	AaxResult Slot4 (AaxWord, AaxWord) override;
	AAX_IPropertyMap* NewPropertyMap () override;
	AAX_IPropertyMap* CopyPropertyMap (const AAX_IPropertyMap* source) override;
	AaxResult AddProcessProc (AaxProcPtr proc, AAX_IPropertyMap* properties, AaxWord, AaxWord, AaxWord) override;
	AaxResult Slot17 (AaxWord, AaxWord, AAX_IPropertyMap* properties, AaxWord, AaxWord, AaxWord) override;

	AAX_IACFComponentDescriptor* HostComponentDescriptor () const { return mDescriptor.Get (); }

	// Property ids CopyPropertyMap carries over.
	enum { kFirstCopiedProperty = 10, kLastCopiedProperty = 351 };

private:
	AcfPtr<IACFUnknown> mHostUnknown;
	AcfPtr<AAX_IACFComponentDescriptor> mDescriptor;
	AcfPtr<AAX_IACFComponentDescriptor_V2> mDescriptorV2;
	std::vector<std::unique_ptr<AAX_VPropertyMap>> mPropertyMaps;
};
