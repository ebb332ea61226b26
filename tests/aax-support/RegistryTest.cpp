#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "aax-support/AAX_CBinaryDisplayDelegate.h"
#include "aax-support/AAX_CBinaryTaperDelegate.h"
#include "aax-support/AAX_CLinearTaperDelegate.h"
#include "aax-support/AAX_CNumberDisplayDelegate.h"
#include "aax-support/AAX_CPacketQueue.h"
#include "aax-support/AAX_CParameter.h"
#include "aax-support/AAX_CParameterRegistry.h"
#include "aax-support/AAX_VAutomationDelegate.h"
#include "aax-support/AAX_VController.h"
#include "FakeAaxHost.h"

namespace {

typedef std::vector<std::string> Calls;

// The host calls since the last look.
Calls Take(aaxhost::FakeAaxHost& host)
{
  Calls calls = host.Log().Calls();
  host.Log().Clear();
  return calls;
}

// Counts live parameters so that a leak or a double delete shows in every build.
class CountedParameter : public AAX_CParameter<int>
{
public:
  static int sLive;
  CountedParameter(const char* id)
    : AAX_CParameter<int>(id, AAX_CString(id), 0, AAX_CLinearTaperDelegate<int, 0>(0, 10),
                          AAX_CNumberDisplayDelegate<int, 2, 0>(), true)
  {
    ++sLive;
  }
  ~CountedParameter() override { --sLive; }
};
int CountedParameter::sLive = 0;

TEST(AAX_CParameterRegistry, LookupsByIdAndPosition)
{
  aaxhost::FakeAaxHost host;
  AAX_VAutomationDelegate automation(host.Unknown());
  {
    AAX_CParameterRegistry registry;
    registry.SetAutomationDelegate(&automation);
    EXPECT_EQ(registry.Count(), 0);
    EXPECT_EQ(registry.ParameterAt(0), nullptr);

    CountedParameter* bypass = new CountedParameter("");
    CountedParameter* one = new CountedParameter("1");
    CountedParameter* two = new CountedParameter("2");
    EXPECT_TRUE(registry.Add(bypass));
    EXPECT_TRUE(registry.Add(one));
    EXPECT_TRUE(registry.Add(two));
    EXPECT_FALSE(registry.Add(nullptr));
    EXPECT_EQ(Take(host), Calls({ "Automation.RegisterParameter()", "Automation.RegisterParameter(1)", "Automation.RegisterParameter(2)" }));

    EXPECT_EQ(registry.Count(), 3);
    EXPECT_EQ(registry.FindById(""), bypass); // the bypass lives under the empty id
    EXPECT_EQ(registry.FindById("2"), two);
    EXPECT_EQ(registry.FindById("3"), nullptr);
    EXPECT_EQ(registry.FindById(nullptr), nullptr);
    EXPECT_EQ(registry.IndexOf("1"), 1);
    EXPECT_EQ(registry.IndexOf(""), 0);
    EXPECT_EQ(registry.IndexOf("x"), -1);
    EXPECT_EQ(registry.IndexOf(nullptr), -1);
    EXPECT_EQ(registry.ParameterAt(2), two);
    EXPECT_EQ(registry.ParameterAt(3), nullptr); // == Count
    EXPECT_EQ(registry.ParameterAt(-1), nullptr);

    // Parameters added carry the registry's delegate: a change is a host request.
    one->SetNormalizedValue(0.5);
    EXPECT_EQ(Take(host), Calls({ "Automation.PostTouchRequest(1)", "Automation.PostSetValueRequest(1,0.5)", "Automation.PostReleaseRequest(1)" }));
  } // destruction deletes them all, each unregistering
  EXPECT_EQ(CountedParameter::sLive, 0);
  EXPECT_EQ(Take(host), Calls({ "Automation.UnregisterParameter()", "Automation.UnregisterParameter(1)", "Automation.UnregisterParameter(2)" }));
}

TEST(AAX_CParameterRegistry, DuplicateIdKeepsTheFirstAndLeaksNothing)
{
  aaxhost::FakeAaxHost host;
  AAX_VAutomationDelegate automation(host.Unknown());
  AAX_CParameterRegistry registry;
  registry.SetAutomationDelegate(&automation);
  CountedParameter* first = new CountedParameter("5");
  EXPECT_TRUE(registry.Add(first));
  EXPECT_FALSE(registry.Add(new CountedParameter("5")));
  EXPECT_FALSE(registry.Add(first)); // the same object again: already ours, not deleted
  EXPECT_EQ(registry.Count(), 1);
  EXPECT_EQ(registry.FindById("5"), first);
  EXPECT_EQ(CountedParameter::sLive, 1);
  EXPECT_EQ(Take(host), Calls({ "Automation.RegisterParameter(5)" })); // the refused one never reached the host

  registry.RemoveAll();
  EXPECT_EQ(registry.Count(), 0);
  EXPECT_EQ(registry.FindById("5"), nullptr);
  EXPECT_EQ(CountedParameter::sLive, 0);
  EXPECT_TRUE(registry.Add(new CountedParameter("5"))); // the id is free again
}

TEST(AAX_CParameterRegistry, WithoutDelegateParametersStayDetached)
{
  AAX_CParameterRegistry registry;
  CountedParameter* p = new CountedParameter("1");
  registry.Add(p);
  p->SetNormalizedValue(0.3);
  int value = 0;
  EXPECT_TRUE(p->GetValueAsInt32(&value));
  EXPECT_EQ(value, 3);
}

// Writes the id's first byte and a call count into the packet; posts unless told not to.
class TestHandler : public AAX_IPacketHandler
{
public:
  explicit TestHandler(AaxResult result, int* calls) : mResult(result), mCalls(calls) {}
  AAX_IPacketHandler* Clone() const override { return new TestHandler(*this); }
  AaxResult Call(AaxParamID id, AAX_CPacket& packet) const override
  {
    ++*mCalls;
    if (packet.DataSize() >= 2)
    {
      packet.Data()[0] = uint8_t(id[0]);
      packet.Data()[1] = uint8_t(*mCalls);
    }
    return mResult;
  }

private:
  AaxResult mResult;
  int* mCalls;
};

struct PacketQueueFixture : ::testing::Test
{
  aaxhost::FakeAaxHost mHost;
  std::unique_ptr<AAX_VController> mController;
  AAX_CPacketQueue mQueue;
  int mCalls = 0;

  void SetUp() override
  {
    mController = std::make_unique<AAX_VController>(mHost.Unknown());
    mQueue.Init(mController.get(), nullptr);
  }

  Calls Posts() { return mHost.Log().CallsStartingWith("Controller.PostPacket"); }
};

TEST_F(PacketQueueFixture, EmptyQueue)
{
  EXPECT_EQ(mQueue.SetDirty("1", true), kAaxSuccess);
  EXPECT_EQ(mQueue.SetDirty(nullptr, true), kAaxSuccess);
  EXPECT_EQ(mQueue.Dispatch(), kAaxSuccess);
  EXPECT_TRUE(mHost.Controller().mPackets.empty());
}

TEST_F(PacketQueueFixture, DirtyPacketsArePostedOnce)
{
  ASSERT_EQ(mQueue.Register("a", 7, 2, TestHandler(kAaxSuccess, &mCalls)), kAaxSuccess);
  ASSERT_EQ(mQueue.Register("b", 9, 2, TestHandler(kAaxSuccess, &mCalls)), kAaxSuccess);

  EXPECT_EQ(mQueue.Dispatch(), kAaxSuccess); // nothing dirty yet
  EXPECT_EQ(mCalls, 0);

  EXPECT_EQ(mQueue.SetDirty("zz", true), kAaxSuccess); // no packets: nothing changes
  EXPECT_EQ(mQueue.Dispatch(), kAaxSuccess);
  EXPECT_TRUE(mHost.Controller().mPackets.empty());

  mQueue.SetDirty("b", true);
  EXPECT_EQ(mQueue.Dispatch(), kAaxSuccess);
  ASSERT_EQ(mHost.Controller().mPackets.size(), 1u);
  EXPECT_EQ(Posts(), Calls({ "Controller.PostPacket(9,2)" }));
  EXPECT_EQ(mHost.Controller().mPackets[0], std::vector<uint8_t>({ 'b', 1 }));
  EXPECT_EQ(mQueue.Dispatch(), kAaxSuccess); // the mark was cleared
  EXPECT_EQ(mHost.Controller().mPackets.size(), 1u);

  mQueue.SetDirty("a", true);
  mQueue.SetDirty("b", true);
  mQueue.SetDirty("b", false); // unmarked again
  mHost.Controller().mResult = -123;
  EXPECT_EQ(mQueue.Dispatch(), -123); // the post's result
  ASSERT_EQ(mHost.Controller().mPackets.size(), 2u);
  EXPECT_EQ(Posts()[1], "Controller.PostPacket(7,2)");
}

TEST_F(PacketQueueFixture, HandlerMayDeclineAndSharedPacketsPostOnce)
{
  ASSERT_EQ(mQueue.Register("a", 1, 2, TestHandler(kAaxErrNotImplemented, &mCalls)), kAaxSuccess);
  mQueue.SetDirty("a", true);
  EXPECT_EQ(mQueue.Dispatch(), kAaxSuccess); // declined: not posted, mark cleared anyway
  EXPECT_EQ(mCalls, 1);
  EXPECT_TRUE(mHost.Controller().mPackets.empty());
  EXPECT_EQ(mQueue.Dispatch(), kAaxSuccess);
  EXPECT_EQ(mCalls, 1);

  // Two ids on one field: the first handler in id order posts and clears the shared mark.
  int other = 0;
  ASSERT_EQ(mQueue.Register("c", 2, 2, TestHandler(kAaxSuccess, &other)), kAaxSuccess);
  ASSERT_EQ(mQueue.Register("d", 2, 2, TestHandler(kAaxSuccess, &other)), kAaxSuccess);
  mQueue.SetDirty("d", true);
  EXPECT_EQ(mQueue.Dispatch(), kAaxSuccess);
  ASSERT_EQ(mHost.Controller().mPackets.size(), 1u);
  EXPECT_EQ(mHost.Controller().mPackets[0][0], 'c');
  EXPECT_EQ(other, 1);
}

TEST(AAX_CPacketQueue, WithoutControllerNothingIsPosted)
{
  AAX_CPacketQueue queue;
  int calls = 0;
  ASSERT_EQ(queue.Register("a", 1, 4, TestHandler(kAaxSuccess, &calls)), kAaxSuccess);
  EXPECT_EQ(queue.Register(nullptr, 1, 4, TestHandler(kAaxSuccess, &calls)), kAaxErrNullArgument);
  queue.SetDirty("a", true);
  EXPECT_EQ(queue.Dispatch(), kAaxErrMissingInterface);
  EXPECT_EQ(calls, 1);

  // A controller over a host without one answers the missing-interface code itself.
  AAX_VController none(nullptr);
  queue.Init(&none, nullptr);
  queue.SetDirty("a", true);
  EXPECT_EQ(queue.Dispatch(), kAaxErrMissingInterface);
}

TEST_F(PacketQueueFixture, MarkingFromAnotherThreadWaitsForTheLock)
{
  ASSERT_EQ(mQueue.Register("a", 3, 2, TestHandler(kAaxSuccess, &mCalls)), kAaxSuccess);
  // Many marks and dispatches from two threads: each post carries a whole packet.
  std::thread marker([this] {
    for (int i = 0; i < 200; ++i)
      mQueue.SetDirty("a", true);
  });
  for (int i = 0; i < 200; ++i)
    mQueue.Dispatch();
  marker.join();
  mQueue.SetDirty("a", true);
  mQueue.Dispatch();
  EXPECT_GE(mHost.Controller().mPackets.size(), 1u);
  EXPECT_EQ(size_t(mCalls), mHost.Controller().mPackets.size());
}

} // namespace
