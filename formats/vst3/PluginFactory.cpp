#include "formats/vst3/PluginFactory.h"

#include "pluginterfaces/base/funknown.h"

#include <cstdlib>
#include <cstring>

namespace Steinberg {

IPluginFactory* gPluginFactory = nullptr;

CPluginFactory::CPluginFactory (const PFactoryInfo& info)
: mRefCount (1), mFactoryInfo (info), mClasses (nullptr), mClassCount (0), mClassCapacity (0)
{
}

CPluginFactory::~CPluginFactory ()
{
	if (gPluginFactory == this)
		gPluginFactory = nullptr;
	std::free (mClasses);
}

bool CPluginFactory::registerClass (const PClassInfo2& info, CreateFunc createFunc, void* context)
{
	if (!createFunc)
		return false;
	if (mClassCount == mClassCapacity)
	{
		int32 capacity = mClassCapacity + 4;
		void* grown = std::realloc (mClasses, sizeof (ClassEntry) * static_cast<size_t> (capacity));
		if (!grown)
			return false;
		mClasses = static_cast<ClassEntry*> (grown);
		mClassCapacity = capacity;
	}
	ClassEntry& entry = mClasses[mClassCount++];
	std::memcpy (&entry.info, &info, sizeof (PClassInfo2));
	entry.createFunc = createFunc;
	entry.context = context;
	return true;
}

const CPluginFactory::ClassEntry* CPluginFactory::findClass (const void* cid) const
{
	if (!cid)
		return nullptr;
	for (int32 i = 0; i < mClassCount; ++i)
		if (std::memcmp (mClasses[i].info.cid, cid, sizeof (TUID)) == 0)
			return &mClasses[i];
	return nullptr;
}

const PClassInfo2* CPluginFactory::classAt (int32 index) const
{
	return (index >= 0 && index < mClassCount) ? &mClasses[index].info : nullptr;
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo (PFactoryInfo* info)
{
	if (!info)
		return kInvalidArgument;
	std::memcpy (info, &mFactoryInfo, sizeof (PFactoryInfo));
	return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses ()
{
	return mClassCount;
}

// The fields every class record starts with (id, cardinality, category);
// the rest is cleared.
template <class Info>
static void copyHead (Info& dst, const PClassInfo2& src)
{
	dst = Info ();
	std::memcpy (dst.cid, src.cid, sizeof (TUID));
	dst.cardinality = src.cardinality;
	std::memcpy (dst.category, src.category, sizeof (dst.category));
}

tresult PLUGIN_API CPluginFactory::getClassInfo (int32 index, PClassInfo* info)
{
	const PClassInfo2* found = classAt (index);
	if (!info || !found)
		return kInvalidArgument;
	copyHead (*info, *found);
	std::memcpy (info->name, found->name, sizeof (info->name));
	return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2 (int32 index, PClassInfo2* info)
{
	const PClassInfo2* found = classAt (index);
	if (!info || !found)
		return kInvalidArgument;
	std::memcpy (info, found, sizeof (PClassInfo2));
	return kResultOk;
}

// Widens a NUL-padded 8-bit field into its UTF-16 counterpart (always terminated).
static void widenField (char16* dst, const char8* src, size_t count)
{
	size_t i = 0;
	for (; i + 1 < count && src[i]; ++i)
		dst[i] = static_cast<char16> (static_cast<unsigned char> (src[i]));
	for (; i < count; ++i)
		dst[i] = 0;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode (int32 index, PClassInfoW* info)
{
	const PClassInfo2* found = classAt (index);
	if (!info || !found)
		return kInvalidArgument;
	const PClassInfo2& src = *found;
	copyHead (*info, src);
	widenField (info->name, src.name, PClassInfo::kNameSize);
	info->classFlags = src.classFlags;
	std::memcpy (info->subCategories, src.subCategories, sizeof (info->subCategories));
	widenField (info->vendor, src.vendor, PClassInfoW::kVendorSize);
	widenField (info->version, src.version, PClassInfoW::kVersionSize);
	widenField (info->sdkVersion, src.sdkVersion, PClassInfoW::kVersionSize);
	return kResultOk;
}

tresult PLUGIN_API CPluginFactory::setHostContext (FUnknown* /*context*/)
{
	return kNotImplemented;
}

tresult PLUGIN_API CPluginFactory::createInstance (FIDString cid, FIDString iid, void** obj)
{
	if (!obj)
		return kInvalidArgument;
	*obj = nullptr;
	if (!iid)
		return kInvalidArgument;
	const ClassEntry* entry = findClass (cid);
	if (!entry)
		return kNoInterface;
	FUnknown* instance = nullptr;
	try
	{
		instance = entry->createFunc (entry->context);
	}
	catch (...)
	{
		instance = nullptr;
	}
	if (!instance)
		return kOutOfMemory;
	// The host keeps the reference of the interface it asked for; creation's own goes.
	tresult result = instance->queryInterface (iid, obj);
	instance->release ();
	if (result != kResultOk)
	{
		*obj = nullptr;
		return kNoInterface;
	}
	return kResultOk;
}

tresult PLUGIN_API CPluginFactory::queryInterface (const TUID iid, void** obj)
{
	if (!obj)
		return kInvalidArgument;
	QUERY_INTERFACE (iid, obj, FUnknown::iid, IPluginFactory)
	QUERY_INTERFACE (iid, obj, IPluginFactory::iid, IPluginFactory)
	QUERY_INTERFACE (iid, obj, IPluginFactory2::iid, IPluginFactory2)
	QUERY_INTERFACE (iid, obj, IPluginFactory3::iid, IPluginFactory3)
	*obj = nullptr;
	return kNoInterface;
}

uint32 PLUGIN_API CPluginFactory::addRef ()
{
	return static_cast<uint32> (FUnknownPrivate::atomicAdd (mRefCount, 1));
}

uint32 PLUGIN_API CPluginFactory::release ()
{
	int32 left = FUnknownPrivate::atomicAdd (mRefCount, -1);
	if (left == 0)
	{
		delete this;
		return 0;
	}
	return static_cast<uint32> (left);
}

} // namespace Steinberg
