// Component state: restored values reaching the plug-in, and streams that
// run short or fail.

#include "tests/vst3/AdapterFixture.h"

using namespace zqhost;
using namespace adaptertest;

TEST(Vst3AdapterProcess, ChangesAndRestoredStateReachTheEditor)
{
  Loaded l(kSynth);
  ASSERT_TRUE(l.running(44100.0, 32));
  Buffers none, out(6, std::vector<double>(32));
  ASSERT_EQ(run(*l.plug, none, out, 32, nullptr, nullptr, nullptr, {2, 2, 2}), kResultOk);
  const double before = out[4][16];

  ParameterChanges changes;
  changes.add(0, 0, 0.3);
  ASSERT_EQ(run(*l.plug, none, out, 32, &changes, nullptr, nullptr, {2, 2, 2}), kResultOk);
  EXPECT_EQ(out[4][16], before + 1);
  EXPECT_EQ(out[4][17], 0.0);
  EXPECT_EQ(out[4][18], 0.3);
  EXPECT_EQ(out[4][19], 1.0);   // normalised

  // A restored state pushes every parameter's plain value.
  std::vector<uint8_t> state;
  ASSERT_EQ(l.plug->getState(state), kResultOk);
  ASSERT_EQ(l.plug->setState(state), kResultOk);
  ASSERT_EQ(run(*l.plug, none, out, 32, nullptr, nullptr, nullptr, {2, 2, 2}), kResultOk);
  EXPECT_EQ(out[4][16], before + 1 + 4);
  EXPECT_EQ(out[4][17], 3.0);
  EXPECT_EQ(out[4][19], 0.0);   // plain
}

namespace {

// A stream that takes or gives at most `limit` bytes in all, then fails.
class LimitedStream : public IBStream
{
public:
  LimitedStream(std::vector<uint8_t> bytes, size_t limit) : mBytes(std::move(bytes)), mLimit(limit) {}
  tresult PLUGIN_API read(void* buffer, int32 n, int32* done) SMTG_OVERRIDE
  {
    const size_t can = std::min({size_t(n), mLimit - mPos, mBytes.size() - std::min(mPos, mBytes.size())});
    std::memcpy(buffer, mBytes.data() + mPos, can);
    mPos += can;
    if (done)
      *done = int32(can);
    return can == size_t(n) ? kResultOk : kResultFalse;
  }
  tresult PLUGIN_API write(void* buffer, int32 n, int32* done) SMTG_OVERRIDE
  {
    const size_t can = std::min(size_t(n), mLimit - mPos);
    mBytes.insert(mBytes.end(), static_cast<uint8_t*>(buffer), static_cast<uint8_t*>(buffer) + can);
    mPos += can;
    if (done)
      *done = int32(can);
    return can == size_t(n) ? kResultOk : kResultFalse;
  }
  tresult PLUGIN_API seek(int64, int32, int64*) SMTG_OVERRIDE { return kNotImplemented; }
  tresult PLUGIN_API tell(int64* pos) SMTG_OVERRIDE
  {
    *pos = int64(mPos);
    return kResultOk;
  }
  tresult PLUGIN_API queryInterface(const TUID, void** obj) SMTG_OVERRIDE
  {
    *obj = nullptr;
    return kNoInterface;
  }
  uint32 PLUGIN_API addRef() SMTG_OVERRIDE { return 1; }
  uint32 PLUGIN_API release() SMTG_OVERRIDE { return 1; }
  std::vector<uint8_t> mBytes;

private:
  size_t mLimit, mPos = 0;
};

} // namespace

TEST(Vst3AdapterState, StreamsThatDeliverInPartsAreReadWhole)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.ok());
  IComponent* c = l.plug->component;
  ASSERT_EQ(l.plug->setup(44100.0, 32, kSample64), kResultOk);
  std::vector<uint8_t> defaults, changed;
  ASSERT_EQ(l.plug->getState(defaults), kResultOk);
  Buffers in = ramp(2, 32), out(2, std::vector<double>(32));
  ParameterChanges changes;
  changes.add(0, 0, 0.3);
  changes.add(1, 0, 0.7);
  changes.add(kBypass, 0, 1.0);
  run(*l.plug, in, out, 32, &changes);
  ASSERT_EQ(l.plug->getState(changed), kResultOk);
  ASSERT_NE(changed, defaults);

  for (size_t chunk : {size_t(1), size_t(3), size_t(4), size_t(7)})
  {
    ASSERT_EQ(l.plug->setState(defaults), kResultOk);
    PartialReadStream stream(changed, int32(chunk));
    EXPECT_EQ(c->setState(&stream), kResultOk) << chunk;
    std::vector<uint8_t> now;
    ASSERT_EQ(l.plug->getState(now), kResultOk);
    EXPECT_EQ(now, changed) << chunk;
  }

  // A value delivered only in part keeps its current value: the first 9
  // bytes restore parameter 0 and leave every byte of parameter 1 alone.
  ASSERT_EQ(l.plug->setState(defaults), kResultOk);
  PartialReadStream nine(std::vector<uint8_t>(changed.begin(), changed.begin() + 9), 4);
  EXPECT_EQ(c->setState(&nine), kResultFalse);
  std::vector<uint8_t> now;
  ASSERT_EQ(l.plug->getState(now), kResultOk);
  EXPECT_TRUE(std::equal(now.begin(), now.begin() + 8, changed.begin()));
  EXPECT_TRUE(std::equal(now.begin() + 8, now.end(), defaults.begin() + 8));
}

TEST(Vst3AdapterState, ShortStreamsAndFailedWritesAreReported)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.ok());
  IComponent* c = l.plug->component;
  IEditController* e = l.plug->controller;
  ASSERT_EQ(l.plug->setup(44100.0, 32, kSample64), kResultOk);
  ASSERT_EQ(l.plug->start(), kResultOk);

  // Gain 100, latency 16, bypass on.
  Buffers in = ramp(2, 32), out(2, std::vector<double>(32));
  ParameterChanges changes;
  changes.add(0, 0, 1.0);
  changes.add(2, 0, 0.25);
  changes.add(kBypass, 0, 1.0);
  run(*l.plug, in, out, 32, &changes);
  std::vector<uint8_t> full, viaController;
  ASSERT_EQ(l.plug->getState(full), kResultOk);
  ASSERT_EQ(l.plug->getState(viaController, true), kResultOk);
  ASSERT_EQ(full.size(), 4u * 8u + 4u);
  EXPECT_EQ(full, viaController);
  double gain;
  std::memcpy(&gain, full.data(), 8);
  EXPECT_EQ(gain, 100.0);
  EXPECT_EQ(full[32], 1);

  for (size_t limit : {size_t(0), size_t(5), size_t(32), size_t(35)})
  {
    LimitedStream failing({}, limit);
    EXPECT_EQ(c->getState(&failing), kResultFalse) << limit;
  }
  EXPECT_EQ(c->getState(nullptr), kInvalidArgument);
  EXPECT_EQ(c->setState(nullptr), kInvalidArgument);

  // Back to defaults with bypass off, through the controller.
  changes.clear();
  changes.add(0, 0, std::sqrt(0.5));
  changes.add(2, 0, 0.0);
  changes.add(kBypass, 0, 0.0);
  run(*l.plug, in, out, 32, &changes);
  std::vector<uint8_t> defaults;
  ASSERT_EQ(l.plug->getState(defaults, true), kResultOk);

  // The whole state: every value and the bypass, from either interface.
  ASSERT_EQ(l.plug->setState(full), kResultOk);
  EXPECT_EQ(e->getParamNormalized(0), 1.0);
  EXPECT_EQ(e->getParamNormalized(kBypass), 1.0);
  ASSERT_EQ(l.plug->setState(defaults, true), kResultOk);
  EXPECT_EQ(e->getParamNormalized(kBypass), 0.0);

  // Ends before the bypass: values restored, bypass untouched, failure reported.
  std::vector<uint8_t> noBypass(full.begin(), full.begin() + 32);
  EXPECT_EQ(l.plug->setState(noBypass), kResultFalse);
  EXPECT_EQ(e->getParamNormalized(0), 1.0);
  EXPECT_EQ(e->getParamNormalized(kBypass), 0.0);

  // Ends inside the values: those delivered are taken, the rest keep theirs.
  ASSERT_EQ(l.plug->setState(defaults), kResultOk);
  std::vector<uint8_t> partial(full.begin(), full.begin() + 20);
  EXPECT_EQ(l.plug->setState(partial), kResultFalse);
  EXPECT_EQ(e->getParamNormalized(0), 1.0);              // parameter 0 from the stream
  EXPECT_EQ(e->getParamNormalized(2), 0.0);              // parameter 2 kept
  EXPECT_EQ(e->getParamNormalized(kBypass), 0.0);
  EXPECT_EQ(l.plug->setState({}), kResultFalse);

  // A stream that fails outright after some bytes.
  LimitedStream cut(full, 12);
  EXPECT_EQ(c->setState(&cut), kResultFalse);

  EXPECT_EQ(e->setComponentState(nullptr), kNotImplemented);
}
