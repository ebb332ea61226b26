#include "aax-support/AAX_VComponentDescriptor.h"

#include "aax-support/AAX_VPropertyMap.h"

#define FORWARD1(call) return mDescriptor ? mDescriptor->call : kAaxErrMissingInterface
#define FORWARD2(call) return mDescriptorV2 ? mDescriptorV2->call : kAaxErrNotImplemented

AAX_VComponentDescriptor::AAX_VComponentDescriptor (IACFUnknown* hostUnknown)
{
	mHostUnknown.Share (hostUnknown);
	AcfCreateHostObject (hostUnknown, CLSID_AAX_ComponentDescriptor, IID_AAX_IACFComponentDescriptor, mDescriptor, IID_AAX_IACFComponentDescriptor_V2, mDescriptorV2);
}

// Members go in reverse order: child wrappers first, then the host objects, then the host unknown.
AAX_VComponentDescriptor::~AAX_VComponentDescriptor () = default;

AaxResult AAX_VComponentDescriptor::Slot3 () { FORWARD1 (Slot3 ()); }
AaxResult AAX_VComponentDescriptor::AddAudioIn (AaxFieldIndex f) { FORWARD1 (AddAudioIn (f)); }
AaxResult AAX_VComponentDescriptor::AddAudioOut (AaxFieldIndex f) { FORWARD1 (AddAudioOut (f)); }
AaxResult AAX_VComponentDescriptor::AddAudioBufferLength (AaxFieldIndex f) { FORWARD1 (AddAudioBufferLength (f)); }
AaxResult AAX_VComponentDescriptor::Slot8 (AaxWord a) { FORWARD1 (Slot8 (a)); }
AaxResult AAX_VComponentDescriptor::Slot9 (AaxWord a) { FORWARD1 (Slot9 (a)); }
AaxResult AAX_VComponentDescriptor::Slot10 (AaxWord a) { FORWARD1 (Slot10 (a)); }
AaxResult AAX_VComponentDescriptor::Slot11 (AaxWord a, AaxWord b, AaxWord c) { FORWARD1 (Slot11 (a, b, c)); }
AaxResult AAX_VComponentDescriptor::AddAuxOutputStem (AaxWord first, AaxStemFormat format, const char* name) { FORWARD1 (AddAuxOutputStem (first, format, name)); }
AaxResult AAX_VComponentDescriptor::AddPrivateData (AaxFieldIndex f, int32_t size, uint32_t options) { FORWARD1 (AddPrivateData (f, size, options)); }
AaxResult AAX_VComponentDescriptor::Slot19 (AaxWord a, AaxWord b) { FORWARD2 (Slot19 (a, b)); }
AaxResult AAX_VComponentDescriptor::Slot14 (AaxWord a, AaxWord b) { FORWARD1 (Slot14 (a, b)); }
AaxResult AAX_VComponentDescriptor::AddMeters (AaxFieldIndex f, const uint32_t* ids, uint32_t count) { FORWARD1 (AddMeters (f, ids, count)); }
AaxResult AAX_VComponentDescriptor::AddMIDINode (AaxFieldIndex f, uint32_t kind, const char* name, uint32_t mask) { FORWARD1 (AddMIDINode (f, kind, name, mask)); }
AaxResult AAX_VComponentDescriptor::Slot4 (AaxWord a, AaxWord b) { FORWARD1 (Slot4 (a, b)); }

AAX_IPropertyMap* AAX_VComponentDescriptor::NewPropertyMap ()
{
	mPropertyMaps.emplace_back (new AAX_VPropertyMap (mHostUnknown.Get ()));
	return mPropertyMaps.back ().get ();
}

AAX_IPropertyMap* AAX_VComponentDescriptor::CopyPropertyMap (const AAX_IPropertyMap* source)
{
	AAX_IPropertyMap* copy = NewPropertyMap ();
	if (!source)
		return copy;
	for (AaxPropertyID id = kFirstCopiedProperty; id <= kLastCopiedProperty; ++id)
	{
		AaxPropertyValue value = 0;
		if (source->QueryProperty (id, &value))
			copy->AddProperty (id, value);
	}
	return copy;
}

AaxResult AAX_VComponentDescriptor::AddProcessProc (AaxProcPtr proc, AAX_IPropertyMap* properties, AaxWord a, AaxWord b, AaxWord c)
{
	FORWARD1 (AddProcessProc (proc, AAX_VPropertyMap::HostObjectOf (properties), a, b, c));
}

AaxResult AAX_VComponentDescriptor::Slot17 (AaxWord a, AaxWord b, AAX_IPropertyMap* properties, AaxWord c, AaxWord d, AaxWord e)
{
	FORWARD1 (Slot17 (a, b, AAX_VPropertyMap::HostObjectOf (properties), c, d, e));
}
