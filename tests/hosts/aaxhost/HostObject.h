#pragma once

// Reference counting shared by the fake host's objects. The host keeps one
// reference of its own and deletes its objects itself when it goes away, so a
// plug-in that releases too often is recorded instead of crashing the test,
// and PluginReferences() shows what the plug-in still holds.

#include "HostCallLog.h"

#include "aax-support/interfaces/AcfBase.h"

#include <atomic>
#include <string>

namespace aaxhost {

class HostObjectBase
{
public:
	HostObjectBase (HostCallLog& log, std::string name) : mLog (log), mName (std::move (name)) {}
	virtual ~HostObjectBase () = default;
	int32_t PluginReferences () const { return mCount.load () - 1; }
	const std::string& Name () const { return mName; }
	virtual IACFUnknown* Unknown () = 0;

protected:
	HostCallLog& mLog;
	std::string mName;
	std::atomic<int32_t> mCount { 1 };
};

template <class Interface>
class HostObject : public Interface, public HostObjectBase
{
public:
	using HostObjectBase::HostObjectBase;

	AaxResult ACF_CALL QueryInterface (AcfRefIID iid, void** out) override
	{
		if (!out)
			return kAaxErrNullArgument;
		*out = nullptr;
		if (iid == IID_IACFUnknown || Answers (iid))
		{
			*out = static_cast<Interface*> (this);
			AddRef ();
			return kAaxSuccess;
		}
		return kAcfNoInterface;
	}
	uint32_t ACF_CALL AddRef () override { return static_cast<uint32_t> (++mCount); }
	uint32_t ACF_CALL Release () override
	{
		int32_t count = mCount.load ();
		while (count > 1 && !mCount.compare_exchange_weak (count, count - 1))
		{
		}
		if (count <= 1)
		{
			mLog.Record (mName + ".OverRelease");
			return 1;
		}
		return static_cast<uint32_t> (count - 1);
	}
	IACFUnknown* Unknown () override { return static_cast<Interface*> (this); }

protected:
	// Interface ids besides IUnknown this object answers.
	virtual bool Answers (AcfRefIID iid) const = 0;
};

} // namespace aaxhost
