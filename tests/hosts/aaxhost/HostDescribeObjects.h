#pragma once

// The fake host's describe-time objects: what ACFRegisterPlugin fills in. They
// keep what the plug-in declared so tests and the driver can read it back.

#include "HostConfig.h"
#include "HostObject.h"

#include "aax-support/interfaces/AaxDescribeInterfaces.h"

#include <map>
#include <string>
#include <vector>

namespace aaxhost {

class FakePropertyMap : public HostObject<AAX_IACFPropertyMap_V2>
{
public:
	FakePropertyMap (HostCallLog& log, const HostConfig& config) : HostObject (log, "PropertyMap"), mConfig (config) {}

	std::map<AaxPropertyID, AaxPropertyValue> mProperties;

	bool ACF_CALL QueryProperty (AaxPropertyID id, AaxPropertyValue* value) override;
	AaxResult ACF_CALL AddProperty (AaxPropertyID id, AaxPropertyValue value) override;
	AaxResult ACF_CALL Slot5 (AaxWord a) override;
	AaxResult ACF_CALL Slot6 (AaxWord a, AaxWord b, AaxWord c) override;
	bool ACF_CALL Slot7 (AaxWord a, AaxWord b, AaxWord c) override;

protected:
	bool Answers (AcfRefIID iid) const override;

private:
	const HostConfig& mConfig;
};

class FakeComponentDescriptor : public HostObject<AAX_IACFComponentDescriptor_V2>
{
public:
	FakeComponentDescriptor (HostCallLog& log, const HostConfig& config) : HostObject (log, "Component"), mConfig (config) {}

	// The declarations in order, e.g. "AddAudioIn(0)", "AddPrivateData(8,4,0)".
	std::vector<std::string> mDeclarations;
	AaxProcPtr mProcessProc = nullptr;
	FakePropertyMap* mProcessProperties = nullptr;

	AaxResult ACF_CALL Slot3 () override;
	AaxResult ACF_CALL Slot4 (AaxWord a, AaxWord b) override;
	AaxResult ACF_CALL AddAudioIn (AaxFieldIndex field) override;
	AaxResult ACF_CALL AddAudioOut (AaxFieldIndex field) override;
	AaxResult ACF_CALL AddAudioBufferLength (AaxFieldIndex field) override;
	AaxResult ACF_CALL Slot8 (AaxWord a) override;
	AaxResult ACF_CALL Slot9 (AaxWord a) override;
	AaxResult ACF_CALL Slot10 (AaxWord a) override;
	AaxResult ACF_CALL Slot11 (AaxWord a, AaxWord b, AaxWord c) override;
	AaxResult ACF_CALL AddAuxOutputStem (AaxWord first, AaxStemFormat format, const char* name) override;
	AaxResult ACF_CALL AddPrivateData (AaxFieldIndex field, int32_t size, uint32_t options) override;
	AaxResult ACF_CALL Slot14 (AaxWord a, AaxWord b) override;
	AaxResult ACF_CALL AddMIDINode (AaxFieldIndex field, uint32_t kind, const char* name, uint32_t channelMask) override;
	AaxResult ACF_CALL AddProcessProc (AaxProcPtr proc, AAX_IACFPropertyMap* properties, AaxWord a, AaxWord b, AaxWord c) override;
	AaxResult ACF_CALL Slot17 (AaxWord a, AaxWord b, AAX_IACFPropertyMap* properties, AaxWord c, AaxWord d, AaxWord e) override;
	AaxResult ACF_CALL AddMeters (AaxFieldIndex field, const uint32_t* meterIds, uint32_t count) override;
	AaxResult ACF_CALL Slot19 (AaxWord a, AaxWord b) override;

protected:
	bool Answers (AcfRefIID iid) const override;

private:
	void Declare (const std::string& text);
	const HostConfig& mConfig;
};

class FakeEffectDescriptor : public HostObject<AAX_IACFEffectDescriptor_V2>
{
public:
	FakeEffectDescriptor (HostCallLog& log, const HostConfig& config) : HostObject (log, "Effect"), mConfig (config) {}

	std::vector<std::string> mNames;
	std::vector<uint32_t> mCategories;
	std::vector<FakeComponentDescriptor*> mComponents;
	std::map<uint32_t, AaxProcPtr> mProcs;

	AaxResult ACF_CALL AddComponent (AAX_IACFComponentDescriptor* component) override;
	AaxResult ACF_CALL AddName (const char* name) override;
	AaxResult ACF_CALL AddCategory (uint32_t category) override;
	AaxResult ACF_CALL Slot6 (AaxWord a, AaxWord b) override;
	AaxResult ACF_CALL AddProcPtr (AaxProcPtr proc, uint32_t procId) override;
	AaxResult ACF_CALL Slot8 (AAX_IACFPropertyMap* properties) override;
	AaxResult ACF_CALL Slot9 (AaxWord a, AaxWord b) override;
	AaxResult ACF_CALL Slot10 (AaxWord a, AaxWord b, AAX_IACFPropertyMap* properties) override;
	AaxResult ACF_CALL Slot11 (AaxWord a, AaxWord b, AaxWord c, AaxWord d) override;

protected:
	bool Answers (AcfRefIID iid) const override;

private:
	const HostConfig& mConfig;
};

class FakeCollection : public HostObject<AAX_IACFCollection>
{
public:
	FakeCollection (HostCallLog& log, const HostConfig& config) : HostObject (log, "Collection"), mConfig (config) {}

	struct Effect
	{
		std::string mId;
		FakeEffectDescriptor* mDescriptor;
	};
	std::vector<Effect> mEffects;
	std::vector<std::string> mManufacturerNames;
	std::vector<std::string> mPackageNames;
	uint32_t mPackageVersion = 0;

	AaxResult ACF_CALL Slot3 () override;
	AaxResult ACF_CALL Slot4 () override;
	AaxResult ACF_CALL Slot5 () override;
	AaxResult ACF_CALL Slot6 () override;
	AaxResult ACF_CALL AddEffect (const char* effectId, AAX_IACFEffectDescriptor* descriptor) override;
	AaxResult ACF_CALL AddManufacturerName (const char* name) override;
	AaxResult ACF_CALL AddPackageName (const char* name) override;
	AaxResult ACF_CALL SetPackageVersion (uint32_t version) override;
	AaxResult ACF_CALL Slot11 (AAX_IACFPropertyMap* properties) override;

protected:
	bool Answers (AcfRefIID iid) const override;

private:
	const HostConfig& mConfig;
};

} // namespace aaxhost
