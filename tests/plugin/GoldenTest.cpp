// The whole plug-in against renders stored from the native build: every
// build (native, x86-64, x86) has to agree with them.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "tests/support/GoldenCases.h"

namespace
{

constexpr double kTolerance = 1e-9;

struct GoldenFile
{
  int cases = 0;
  int frames = 0;
  std::vector<double> values;   // per case: left frames, then right frames
};

bool ReadGolden(const char* path, GoldenFile& g)
{
  std::FILE* f = std::fopen(path, "rb");
  if (!f)
    return false;
  std::vector<unsigned char> bytes;
  unsigned char buf[4096];
  size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, f)) > 0)
    bytes.insert(bytes.end(), buf, buf + got);
  std::fclose(f);

  auto readInt = [&bytes](size_t at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
      v |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
    return static_cast<int32_t>(v);
  };
  if (bytes.size() < 16 || std::memcmp(bytes.data(), golden::kMagic, 8) != 0)
    return false;
  g.cases = readInt(8);
  g.frames = readInt(12);
  if (g.cases < 0 || g.frames < 0)
    return false;
  const size_t count = static_cast<size_t>(g.cases) * static_cast<size_t>(g.frames) * 2;
  if (bytes.size() != 16 + count * 8)
    return false;
  g.values.resize(count);
  for (size_t i = 0; i < count; ++i)
  {
    uint64_t bits = 0;
    for (int b = 0; b < 8; ++b)
      bits |= static_cast<uint64_t>(bytes[16 + i * 8 + b]) << (8 * b);
    std::memcpy(&g.values[i], &bits, sizeof bits);
  }
  return true;
}

TEST(ZentikQX40Golden, WholePlugInMatchesStoredRenders)
{
  GoldenFile g;
  ASSERT_TRUE(ReadGolden(ZQ_GOLDEN_FILE, g)) << "cannot read " << ZQ_GOLDEN_FILE;
  const std::vector<golden::Case> cases = golden::Cases();
  ASSERT_EQ(g.cases, static_cast<int>(cases.size()));
  ASSERT_EQ(g.frames, golden::kFrames);

  for (size_t c = 0; c < cases.size(); ++c)
  {
    std::vector<double> left, right;
    ASSERT_TRUE(golden::Render(cases[c], left, right)) << cases[c].name;
    const double* expected = g.values.data() + c * 2 * golden::kFrames;
    double worst = 0.0, peak = 0.0;
    int worstAt = -1;
    for (int ch = 0; ch < 2; ++ch)
    {
      const std::vector<double>& got = ch == 0 ? left : right;
      for (int i = 0; i < golden::kFrames; ++i)
      {
        const double want = expected[ch * golden::kFrames + i];
        const double diff = std::fabs(got[static_cast<size_t>(i)] - want);
        peak = std::fmax(peak, std::fabs(want));
        if (!(diff <= worst))
        {
          worst = diff;
          worstAt = ch * golden::kFrames + i;
        }
      }
    }
    EXPECT_LE(worst, kTolerance) << cases[c].name << ": largest difference at " << worstAt;
    // A silent render would match a silent file: the cases must make sound.
    EXPECT_GT(peak, 0.05) << cases[c].name;
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", worst);
    RecordProperty(cases[c].name, text);
  }
}

} // namespace
