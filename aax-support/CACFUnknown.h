#pragma once

// Base part of every ACF object: an atomic reference count, the controlling
// unknown that answers for the object, and a process-wide count of live objects
// that ACFCanUnloadNow reports.
//
// An ACF class puts its primary host interface first and CACFUnknown second, and
// implements the interface's IACFUnknown slots with ACF_UNKNOWN_DELEGATE. The
// CACFUnknown operations carry an "Internal" prefix so that they never collide
// with (and silently override) the interface's own slots.

#include "aax-support/interfaces/AcfBase.h"

#include <atomic>

class CACFUnknown
{
public:
	CACFUnknown ();
	virtual ~CACFUnknown ();

	virtual int32_t InternalHook (void* argument);
	virtual void FinalRelease ();
	virtual void DeleteObject ();
	// Derived classes answer their own interface ids first and pass the rest here.
	virtual AaxResult InternalQueryInterface (AcfRefIID iid, void** out);
	virtual uint32_t InternalAddRef ();
	virtual uint32_t InternalRelease ();

	IACFUnknown* GetControllingUnknown () const { return mControllingUnknown; }
	int32_t GetReferenceCount () const { return mReferenceCount.load (); }

	static int32_t LiveObjectCount () { return sLiveObjectCount.load (std::memory_order_relaxed); }

	CACFUnknown (const CACFUnknown&) = delete;
	CACFUnknown& operator= (const CACFUnknown&) = delete;

private:
	class PrivateUnknown : public IACFUnknown
	{
	public:
		explicit PrivateUnknown (CACFUnknown* owner) : mOwner (owner) {}
		AaxResult ACF_CALL QueryInterface (AcfRefIID iid, void** out) override;
		uint32_t ACF_CALL AddRef () override;
		uint32_t ACF_CALL Release () override;

	private:
		CACFUnknown* mOwner;
	};

	std::atomic<int32_t> mReferenceCount { 0 };
	IACFUnknown* mControllingUnknown;
	PrivateUnknown mInnerUnknown;

	static std::atomic<int32_t> sLiveObjectCount;
};

// The IACFUnknown slots of a concrete ACF class's primary interface: forwarded
// to the controlling unknown.
#define ACF_UNKNOWN_DELEGATE                                                                              \
	AaxResult ACF_CALL QueryInterface (AcfRefIID iid, void** out) override                                \
	{                                                                                                     \
		return GetControllingUnknown ()->QueryInterface (iid, out);                                       \
	}                                                                                                     \
	uint32_t ACF_CALL AddRef () override { return GetControllingUnknown ()->AddRef (); }                 \
	uint32_t ACF_CALL Release () override { return GetControllingUnknown ()->Release (); }
