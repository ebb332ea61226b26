#pragma once

// The class factory a VST3 module hands to its host: one factory record and a
// short table of classes, each with the function that creates its objects.
// The SDK copy this tree builds against has the interfaces but no factory.

#include "pluginterfaces/base/ipluginbase.h"

namespace Steinberg {

class CPluginFactory : public IPluginFactory3
{
public:
	// Creates one object of a class; returns it with one reference, or null.
	using CreateFunc = FUnknown* (*) (void* context);

	explicit CPluginFactory (const PFactoryInfo& info);
	virtual ~CPluginFactory ();

	// Adds a class; false when the table cannot grow.
	bool registerClass (const PClassInfo2& info, CreateFunc createFunc, void* context = nullptr);

	//---IPluginFactory
	tresult PLUGIN_API getFactoryInfo (PFactoryInfo* info) SMTG_OVERRIDE;
	int32 PLUGIN_API countClasses () SMTG_OVERRIDE;
	tresult PLUGIN_API getClassInfo (int32 index, PClassInfo* info) SMTG_OVERRIDE;
	tresult PLUGIN_API createInstance (FIDString cid, FIDString iid, void** obj) SMTG_OVERRIDE;
	//---IPluginFactory2
	tresult PLUGIN_API getClassInfo2 (int32 index, PClassInfo2* info) SMTG_OVERRIDE;
	//---IPluginFactory3
	tresult PLUGIN_API getClassInfoUnicode (int32 index, PClassInfoW* info) SMTG_OVERRIDE;
	tresult PLUGIN_API setHostContext (FUnknown* context) SMTG_OVERRIDE;

	tresult PLUGIN_API queryInterface (const TUID iid, void** obj) SMTG_OVERRIDE;
	uint32 PLUGIN_API addRef () SMTG_OVERRIDE;
	uint32 PLUGIN_API release () SMTG_OVERRIDE;

private:
	struct ClassEntry
	{
		PClassInfo2 info;
		CreateFunc createFunc;
		void* context;
	};
	const ClassEntry* findClass (const void* cid) const;
	// The description of the class at index, or null when there is none.
	const PClassInfo2* classAt (int32 index) const;

	int32 mRefCount;
	PFactoryInfo mFactoryInfo;
	ClassEntry* mClasses;
	int32 mClassCount;
	int32 mClassCapacity;
};

// The module's one factory while a host holds it; cleared when it is destroyed.
extern IPluginFactory* gPluginFactory;

} // namespace Steinberg
