#include "aax-support/CACFUnknown.h"
#include "aax-support/interfaces/AcfIds.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

// {12345678-0000-0000-0000-0000000000AA}
constexpr AcfUID kOwnIID = { 0x12345678, 0, 0, { 0, 0, 0, 0, 0, 0, 0, 0xAA } };

// The shape of every ACF class: primary interface first, CACFUnknown second.
class Probe : public IACFUnknown, public CACFUnknown
{
public:
	explicit Probe (int* deleted = nullptr) : mDeleted (deleted) {}
	~Probe () override
	{
		if (mDeleted)
			++*mDeleted;
	}
	ACF_UNKNOWN_DELEGATE

	AaxResult InternalQueryInterface (AcfRefIID iid, void** out) override
	{
		if (out && iid == kOwnIID)
		{
			*out = static_cast<IACFUnknown*> (this);
			InternalAddRef ();
			return kAaxSuccess;
		}
		return CACFUnknown::InternalQueryInterface (iid, out);
	}
	void FinalRelease () override { ++mFinalReleases; }
	int mFinalReleases = 0;

private:
	int* mDeleted;
};

TEST (CACFUnknown, LiveObjectCountFollowsConstructionAndFinalRelease)
{
	const int32_t before = CACFUnknown::LiveObjectCount ();
	int deleted = 0;
	Probe* a = new Probe (&deleted);
	Probe* b = new Probe (&deleted);
	EXPECT_EQ (CACFUnknown::LiveObjectCount (), before + 2);
	EXPECT_EQ (a->GetReferenceCount (), 0);

	EXPECT_EQ (a->AddRef (), 1u);
	EXPECT_EQ (a->AddRef (), 2u);
	EXPECT_EQ (a->Release (), 1u);
	EXPECT_EQ (deleted, 0);
	EXPECT_EQ (a->Release (), 0u);  // 1 -> 0 deletes
	EXPECT_EQ (deleted, 1);
	EXPECT_EQ (CACFUnknown::LiveObjectCount (), before + 1);

	b->AddRef ();
	b->Release ();
	EXPECT_EQ (deleted, 2);
	EXPECT_EQ (CACFUnknown::LiveObjectCount (), before);
}

TEST (CACFUnknown, QueryInterfaceAnswersIUnknownThroughTheInnerUnknown)
{
	Probe* probe = new Probe;
	probe->AddRef ();

	void* out = reinterpret_cast<void*> (1);
	ASSERT_EQ (probe->QueryInterface (IID_IACFUnknown, &out), kAaxSuccess);
	EXPECT_EQ (out, probe->GetControllingUnknown ());
	EXPECT_NE (out, static_cast<IACFUnknown*> (probe));
	EXPECT_EQ (probe->GetReferenceCount (), 2);

	void* own = nullptr;
	ASSERT_EQ (probe->QueryInterface (kOwnIID, &own), kAaxSuccess);
	EXPECT_EQ (own, static_cast<IACFUnknown*> (probe));
	EXPECT_EQ (probe->GetReferenceCount (), 3);

	void* none = reinterpret_cast<void*> (1);
	EXPECT_EQ (probe->QueryInterface (IID_AAX_IACFController, &none), kAcfNoInterface);
	EXPECT_EQ (none, nullptr);
	EXPECT_EQ (probe->GetReferenceCount (), 3);
	EXPECT_EQ (probe->QueryInterface (IID_IACFUnknown, nullptr), kAaxErrNullArgument);

	static_cast<IACFUnknown*> (out)->Release ();
	static_cast<IACFUnknown*> (own)->Release ();
	EXPECT_EQ (probe->mFinalReleases, 0);
	probe->Release ();
}

TEST (CACFUnknown, ConcurrentReferencesAndObjectsBalance)
{
	const int32_t before = CACFUnknown::LiveObjectCount ();
	Probe* shared = new Probe;
	shared->AddRef ();
	std::vector<std::thread> threads;
	for (int t = 0; t < 4; ++t)
		threads.emplace_back ([shared] {
			for (int i = 0; i < 2000; ++i)
			{
				shared->AddRef ();
				Probe* own = new Probe;
				own->AddRef ();
				own->Release ();
				shared->Release ();
			}
		});
	for (std::thread& t : threads)
		t.join ();
	EXPECT_EQ (shared->GetReferenceCount (), 1);
	EXPECT_EQ (CACFUnknown::LiveObjectCount (), before + 1);
	shared->Release ();
	EXPECT_EQ (CACFUnknown::LiveObjectCount (), before);
}

} // namespace
