#pragma once

// The fixed renders whose results are stored in tests/plugin/golden_output.bin:
// a deterministic stereo input through the whole plug-in at a few rates and
// settings, in host blocks of varying size, hiss off. tools/golden writes
// the file from the native build; the golden test compares every build
// with it.
//
// File layout (little-endian): "ZQGOLD01", int32 case count, int32 frames,
// then for each case the left frames, then the right frames, as binary64.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "effect/ZentikQX40.h"

namespace golden
{

constexpr int kFrames = 2048;
constexpr int kMaxBlock = 512;
constexpr char kMagic[8] = {'Z', 'Q', 'G', 'O', 'L', 'D', '0', '1'};

struct Setting
{
  int param;
  double value;
};

struct Case
{
  const char* name;
  double sampleRate;
  std::vector<Setting> settings;
};

inline std::vector<Case> Cases()
{
  const std::vector<Setting> warm = {
    {ZentikQX40::kHiss, 0.0},       {ZentikQX40::kDistAmount, 60.0}, {ZentikQX40::kTone, 40.0},
    {ZentikQX40::kLevel, 50.0},     {ZentikQX40::kDryWet, 80.0},
  };
  const std::vector<Setting> ultraHard = {
    {ZentikQX40::kHiss, 0.0},  {ZentikQX40::kSaturation, 0.0}, {ZentikQX40::kUltra, 1.0},
    {ZentikQX40::kDistAmount, 85.0}, {ZentikQX40::kTone, 70.0}, {ZentikQX40::kLevel, 30.0},
  };
  return {
    {"warm 44100", 44100.0, warm},
    {"warm 96000", 96000.0, warm},
    {"ultra hard 44100", 44100.0, ultraHard},
    {"ultra hard 96000", 96000.0, ultraHard},
    {"warm 192000", 192000.0, warm},
  };
}

// Plain arithmetic only (no libm), so every build sees the same bits.
inline void Input(std::vector<double>& left, std::vector<double>& right)
{
  left.assign(kFrames, 0.0);
  right.assign(kFrames, 0.0);
  uint32_t seed = 12345u;
  auto noise = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<double>(seed >> 8) / 8388608.0 - 1.0;
  };
  auto triangle = [](double phase) {
    const double p = phase - std::floor(phase);
    return 4.0 * std::fabs(p - 0.5) - 1.0;
  };
  for (int i = 0; i < kFrames; ++i)
  {
    const double envelope = 0.2 + 0.8 * static_cast<double>(i) / kFrames;
    left[i] = 0.7 * envelope * triangle(i * 0.0123) + 0.05 * noise();
    right[i] = 0.5 * triangle(i * 0.0371 + 0.25) + 0.1 * noise();
    if (i >= 1000 && i < 1010)
      left[i] = right[i] = 0.95;
  }
}

// Renders one case through a fresh plug-in; false if the plug-in refused a block.
inline bool Render(const Case& c, std::vector<double>& left, std::vector<double>& right)
{
  std::vector<double> inL, inR;
  Input(inL, inR);
  left.assign(kFrames, 0.0);
  right.assign(kFrames, 0.0);

  ZentikQX40 plug(nullptr);
  plug.Initialize();
  plug.SetupProcessing(c.sampleRate, kMaxBlock);
  for (const Setting& s : c.settings)
    if (!plug.SetParameterValue(s.param, s.value))
      return false;

  static const int kBlocks[] = {512, 7, 256, 1, 400, 129};
  int pos = 0;
  for (int b = 0; pos < kFrames; ++b)
  {
    int n = kBlocks[b % 6];
    if (n > kFrames - pos)
      n = kFrames - pos;
    double* in[2] = {inL.data() + pos, inR.data() + pos};
    double* out[2] = {left.data() + pos, right.data() + pos};
    if (!plug.ProcessDouble(in, 2, out, 2, n))
      return false;
    pos += n;
  }
  return true;
}

} // namespace golden
