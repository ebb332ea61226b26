#include "HostDescribeObjects.h"

#include <cstdio>

namespace aaxhost {

namespace {
const char* Text (const char* s)
{
	return s ? s : "(null)";
}

std::string Format (const char* format, ...)
#if defined(__GNUC__)
	__attribute__ ((format (printf, 1, 2)))
#endif
	;
std::string Format (const char* format, ...)
{
	char text[512];
	va_list args;
	va_start (args, format);
	std::vsnprintf (text, sizeof text, format, args);
	va_end (args);
	return text;
}

// Objects the host made are recognised by their own interface pointers.
template <class T, class I>
T* Ours (I* p)
{
	return dynamic_cast<T*> (p);
}
} // namespace

// Property map

bool FakePropertyMap::Answers (AcfRefIID iid) const
{
	return iid == IID_AAX_IACFPropertyMap || (iid == IID_AAX_IACFPropertyMap_V2 && mConfig.mDescribeV2);
}

bool ACF_CALL FakePropertyMap::QueryProperty (AaxPropertyID id, AaxPropertyValue* value)
{
	auto it = mProperties.find (id);
	if (it == mProperties.end ())
		return false;
	if (value)
		*value = it->second;
	return true;
}

AaxResult ACF_CALL FakePropertyMap::AddProperty (AaxPropertyID id, AaxPropertyValue value)
{
	mLog.Recordf ("PropertyMap.AddProperty(%u,%d)", id, value);
	mProperties[id] = value;
	return kAaxSuccess;
}

AaxResult ACF_CALL FakePropertyMap::Slot5 (AaxWord a) { mLog.Recordf ("PropertyMap.Slot5(%u)", a); return kAaxSuccess; }
AaxResult ACF_CALL FakePropertyMap::Slot6 (AaxWord a, AaxWord b, AaxWord c) { mLog.Recordf ("PropertyMap.Slot6(%u,%u,%u)", a, b, c); return kAaxSuccess; }
bool ACF_CALL FakePropertyMap::Slot7 (AaxWord a, AaxWord b, AaxWord c) { mLog.Recordf ("PropertyMap.Slot7(%u,%u,%u)", a, b, c); return true; }

// Component descriptor

bool FakeComponentDescriptor::Answers (AcfRefIID iid) const
{
	return iid == IID_AAX_IACFComponentDescriptor || (iid == IID_AAX_IACFComponentDescriptor_V2 && mConfig.mDescribeV2);
}

void FakeComponentDescriptor::Declare (const std::string& text)
{
	mDeclarations.push_back (text);
	mLog.Record ("Component." + text);
}

AaxResult ACF_CALL FakeComponentDescriptor::Slot3 () { Declare ("Slot3"); return kAaxSuccess; }
AaxResult ACF_CALL FakeComponentDescriptor::Slot4 (AaxWord a, AaxWord b) { Declare (Format ("Slot4(%u,%u)", a, b)); return kAaxSuccess; }
AaxResult ACF_CALL FakeComponentDescriptor::AddAudioIn (AaxFieldIndex f) { Declare (Format ("AddAudioIn(%u)", f)); return kAaxSuccess; }
AaxResult ACF_CALL FakeComponentDescriptor::AddAudioOut (AaxFieldIndex f) { Declare (Format ("AddAudioOut(%u)", f)); return kAaxSuccess; }
AaxResult ACF_CALL FakeComponentDescriptor::AddAudioBufferLength (AaxFieldIndex f) { Declare (Format ("AddAudioBufferLength(%u)", f)); return kAaxSuccess; }
AaxResult ACF_CALL FakeComponentDescriptor::Slot8 (AaxWord a) { Declare (Format ("Slot8(%u)", a)); return kAaxSuccess; }
AaxResult ACF_CALL FakeComponentDescriptor::Slot9 (AaxWord a) { Declare (Format ("Slot9(%u)", a)); return kAaxSuccess; }
AaxResult ACF_CALL FakeComponentDescriptor::Slot10 (AaxWord a) { Declare (Format ("Slot10(%u)", a)); return kAaxSuccess; }
AaxResult ACF_CALL FakeComponentDescriptor::Slot11 (AaxWord a, AaxWord b, AaxWord c) { Declare (Format ("Slot11(%u,%u,%u)", a, b, c)); return kAaxSuccess; }

AaxResult ACF_CALL FakeComponentDescriptor::AddAuxOutputStem (AaxWord first, AaxStemFormat format, const char* name)
{
	Declare (Format ("AddAuxOutputStem(%u,0x%08X,%s)", first, format, Text (name)));
	return kAaxSuccess;
}

AaxResult ACF_CALL FakeComponentDescriptor::AddPrivateData (AaxFieldIndex f, int32_t size, uint32_t options)
{
	Declare (Format ("AddPrivateData(%u,%d,%u)", f, size, options));
	return kAaxSuccess;
}

AaxResult ACF_CALL FakeComponentDescriptor::Slot14 (AaxWord a, AaxWord b) { Declare (Format ("Slot14(%u,%u)", a, b)); return kAaxSuccess; }

AaxResult ACF_CALL FakeComponentDescriptor::AddMIDINode (AaxFieldIndex f, uint32_t kind, const char* name, uint32_t mask)
{
	Declare (Format ("AddMIDINode(%u,%u,%s,0x%X)", f, kind, Text (name), mask));
	return kAaxSuccess;
}

AaxResult ACF_CALL FakeComponentDescriptor::AddProcessProc (AaxProcPtr proc, AAX_IACFPropertyMap* properties, AaxWord a, AaxWord b, AaxWord c)
{
	Declare (Format ("AddProcessProc(%s,%s,%u,%u,%u)", proc ? "proc" : "null", properties ? "map" : "null", a, b, c));
	mProcessProc = proc;
	mProcessProperties = Ours<FakePropertyMap> (properties);
	return kAaxSuccess;
}

AaxResult ACF_CALL FakeComponentDescriptor::Slot17 (AaxWord a, AaxWord b, AAX_IACFPropertyMap* properties, AaxWord c, AaxWord d, AaxWord e)
{
	Declare (Format ("Slot17(%u,%u,%s,%u,%u,%u)", a, b, properties ? "map" : "null", c, d, e));
	return kAaxSuccess;
}

AaxResult ACF_CALL FakeComponentDescriptor::AddMeters (AaxFieldIndex f, const uint32_t* ids, uint32_t count)
{
	Declare (Format ("AddMeters(%u,%s,%u)", f, ids ? "ids" : "null", count));
	return kAaxSuccess;
}

AaxResult ACF_CALL FakeComponentDescriptor::Slot19 (AaxWord a, AaxWord b) { Declare (Format ("Slot19(%u,%u)", a, b)); return kAaxSuccess; }

// Effect descriptor

bool FakeEffectDescriptor::Answers (AcfRefIID iid) const
{
	return iid == IID_AAX_IACFEffectDescriptor || (iid == IID_AAX_IACFEffectDescriptor_V2 && mConfig.mDescribeV2);
}

AaxResult ACF_CALL FakeEffectDescriptor::AddComponent (AAX_IACFComponentDescriptor* component)
{
	FakeComponentDescriptor* ours = Ours<FakeComponentDescriptor> (component);
	mLog.Recordf ("Effect.AddComponent(%s)", ours ? "component" : "null");
	if (!ours)
		return kAaxErrNullArgument;
	mComponents.push_back (ours);
	return kAaxSuccess;
}

AaxResult ACF_CALL FakeEffectDescriptor::AddName (const char* name)
{
	mLog.Recordf ("Effect.AddName(%s)", Text (name));
	mNames.push_back (Text (name));
	return kAaxSuccess;
}

AaxResult ACF_CALL FakeEffectDescriptor::AddCategory (uint32_t category)
{
	mLog.Recordf ("Effect.AddCategory(0x%X)", category);
	mCategories.push_back (category);
	return kAaxSuccess;
}

AaxResult ACF_CALL FakeEffectDescriptor::Slot6 (AaxWord a, AaxWord b) { mLog.Recordf ("Effect.Slot6(%u,%u)", a, b); return kAaxSuccess; }

AaxResult ACF_CALL FakeEffectDescriptor::AddProcPtr (AaxProcPtr proc, uint32_t procId)
{
	mLog.Recordf ("Effect.AddProcPtr(%s,%u)", proc ? "proc" : "null", procId);
	mProcs[procId] = proc;
	return kAaxSuccess;
}

AaxResult ACF_CALL FakeEffectDescriptor::Slot8 (AAX_IACFPropertyMap* p) { mLog.Recordf ("Effect.Slot8(%s)", p ? "map" : "null"); return kAaxSuccess; }
AaxResult ACF_CALL FakeEffectDescriptor::Slot9 (AaxWord a, AaxWord b) { mLog.Recordf ("Effect.Slot9(%u,%u)", a, b); return kAaxSuccess; }
AaxResult ACF_CALL FakeEffectDescriptor::Slot10 (AaxWord a, AaxWord b, AAX_IACFPropertyMap* p) { mLog.Recordf ("Effect.Slot10(%u,%u,%s)", a, b, p ? "map" : "null"); return kAaxSuccess; }
AaxResult ACF_CALL FakeEffectDescriptor::Slot11 (AaxWord a, AaxWord b, AaxWord c, AaxWord d) { mLog.Recordf ("Effect.Slot11(%u,%u,%u,%u)", a, b, c, d); return kAaxSuccess; }

// Collection

bool FakeCollection::Answers (AcfRefIID iid) const
{
	return iid == IID_AAX_IACFCollection || (iid == IID_IACFPluginDefinition && mConfig.mPluginDefinition);
}

AaxResult ACF_CALL FakeCollection::Slot3 () { mLog.Record ("Collection.Slot3"); return kAaxSuccess; }
AaxResult ACF_CALL FakeCollection::Slot4 () { mLog.Record ("Collection.Slot4"); return kAaxSuccess; }
AaxResult ACF_CALL FakeCollection::Slot5 () { mLog.Record ("Collection.Slot5"); return kAaxSuccess; }
AaxResult ACF_CALL FakeCollection::Slot6 () { mLog.Record ("Collection.Slot6"); return kAaxSuccess; }

AaxResult ACF_CALL FakeCollection::AddEffect (const char* effectId, AAX_IACFEffectDescriptor* descriptor)
{
	FakeEffectDescriptor* ours = Ours<FakeEffectDescriptor> (descriptor);
	mLog.Recordf ("Collection.AddEffect(%s,%s)", Text (effectId), ours ? "descriptor" : "null");
	if (!ours)
		return kAaxErrNullArgument;
	mEffects.push_back ({ Text (effectId), ours });
	return kAaxSuccess;
}

AaxResult ACF_CALL FakeCollection::AddManufacturerName (const char* name)
{
	mLog.Recordf ("Collection.AddManufacturerName(%s)", Text (name));
	mManufacturerNames.push_back (Text (name));
	return kAaxSuccess;
}

AaxResult ACF_CALL FakeCollection::AddPackageName (const char* name)
{
	mLog.Recordf ("Collection.AddPackageName(%s)", Text (name));
	mPackageNames.push_back (Text (name));
	return kAaxSuccess;
}

AaxResult ACF_CALL FakeCollection::SetPackageVersion (uint32_t version)
{
	mLog.Recordf ("Collection.SetPackageVersion(0x%08X)", version);
	mPackageVersion = version;
	return kAaxSuccess;
}

AaxResult ACF_CALL FakeCollection::Slot11 (AAX_IACFPropertyMap* p) { mLog.Recordf ("Collection.Slot11(%s)", p ? "map" : "null"); return kAaxSuccess; }

} // namespace aaxhost
