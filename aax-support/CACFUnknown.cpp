#include "aax-support/CACFUnknown.h"

std::atomic<int32_t> CACFUnknown::sLiveObjectCount { 0 };

CACFUnknown::CACFUnknown ()
	: mControllingUnknown (&mInnerUnknown)
	, mInnerUnknown (this)
{
	sLiveObjectCount.fetch_add (1);
}

CACFUnknown::~CACFUnknown ()
{
	sLiveObjectCount.fetch_sub (1);
}

int32_t CACFUnknown::InternalHook (void*)
{
	return 0;
}

void CACFUnknown::FinalRelease ()
{
}

void CACFUnknown::DeleteObject ()
{
	delete this;
}

AaxResult CACFUnknown::InternalQueryInterface (AcfRefIID iid, void** out)
{
	if (!out)
		return kAaxErrNullArgument;
	*out = nullptr;
	if (iid == IID_IACFUnknown)
	{
		*out = &mInnerUnknown;
		mInnerUnknown.AddRef ();
		return kAaxSuccess;
	}
	return kAcfNoInterface;
}

uint32_t CACFUnknown::InternalAddRef ()
{
	return static_cast<uint32_t> (mReferenceCount.fetch_add (1) + 1);
}

uint32_t CACFUnknown::InternalRelease ()
{
	const int32_t count = mReferenceCount.fetch_sub (1) - 1;
	if (count == 0)
	{
		FinalRelease ();
		DeleteObject ();
	}
	return static_cast<uint32_t> (count);
}

AaxResult ACF_CALL CACFUnknown::PrivateUnknown::QueryInterface (AcfRefIID iid, void** out)
{
	return mOwner->InternalQueryInterface (iid, out);
}

uint32_t ACF_CALL CACFUnknown::PrivateUnknown::AddRef ()
{
	return mOwner->InternalAddRef ();
}

uint32_t ACF_CALL CACFUnknown::PrivateUnknown::Release ()
{
	return mOwner->InternalRelease ();
}
