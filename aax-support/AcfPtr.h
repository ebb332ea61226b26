#pragma once

// Owning pointer to a host interface: holds one reference and releases it when
// replaced or destroyed.

#include "aax-support/interfaces/AcfBase.h"

template <class T>
class AcfPtr
{
public:
	AcfPtr () = default;
	~AcfPtr () { Reset (); }
	AcfPtr (const AcfPtr&) = delete;
	AcfPtr& operator= (const AcfPtr&) = delete;

	// Takes over a reference the caller already holds.
	void Reset (T* p = nullptr)
	{
		T* old = mPtr;
		mPtr = p;
		if (old)
			old->Release ();
	}
	// Takes a reference of its own on p.
	void Share (T* p)
	{
		if (p)
			p->AddRef ();
		Reset (p);
	}
	// Out slot for a query or create call: the old reference goes first.
	void** Receive ()
	{
		Reset ();
		return reinterpret_cast<void**> (&mPtr);
	}
	T* Get () const { return mPtr; }
	T* operator-> () const { return mPtr; }
	explicit operator bool () const { return mPtr != nullptr; }

private:
	T* mPtr = nullptr;
};

// Queries unknown for iid into out; a null unknown leaves out null. The query's
// result is not examined: whatever the host hands back is kept.
template <class T>
void AcfQuery (IACFUnknown* unknown, AcfRefIID iid, AcfPtr<T>& out)
{
	void** slot = out.Receive ();
	if (unknown)
		unknown->QueryInterface (iid, slot);
}

// Creates a host object through the host's object factory. A host without a
// factory leaves out null; a factory query that succeeds with a null factory is
// a broken host and raises AaxError (kAcfNullFactory).
void AcfCreateHostObject (IACFUnknown* hostUnknown, AcfRefIID classId, AcfRefIID iid, void** out);

template <class T>
void AcfCreateHostObject (IACFUnknown* hostUnknown, AcfRefIID classId, AcfRefIID iid, AcfPtr<T>& out)
{
	AcfCreateHostObject (hostUnknown, classId, iid, out.Receive ());
}

// The same, then the second interface version queried from the first-version object.
template <class T1, class T2>
void AcfCreateHostObject (IACFUnknown* hostUnknown, AcfRefIID classId, AcfRefIID iid, AcfPtr<T1>& first,
                          AcfRefIID iidV2, AcfPtr<T2>& second)
{
	AcfCreateHostObject (hostUnknown, classId, iid, first);
	if (first)
		AcfQuery (first.Get (), iidV2, second);
}
