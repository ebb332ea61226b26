// The plug-in's stereo block path: a 64-bit host's stereo block through the
// headless adapter's routing into ZentikQX40::ProcessAudioDouble, both
// engines, at 44.1 kHz (factor 4) and 96 kHz (factor 2), with the default
// switches (saturation and hiss on).

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "bench/Throughput.h"
#include "effect/ZentikQX40.h"

namespace
{

void PluginStereoBlock(benchmark::State& state)
{
  const double rate = static_cast<double>(state.range(0));
  const int block = static_cast<int>(state.range(1));

  ZentikQX40 plug(nullptr);
  plug.Initialize();
  plug.SetupProcessing(rate, block);
  plug.SetParameterValue(ZentikQX40::kDistAmount, 50.0);
  plug.SetParameterValue(ZentikQX40::kLevel, 50.0);
  plug.SetParameterValue(ZentikQX40::kDryWet, 90.0);

  std::vector<double> inL(static_cast<size_t>(block)), inR(inL.size()), outL(inL.size()), outR(inL.size());
  for (int i = 0; i < block; ++i)
  {
    inL[static_cast<size_t>(i)] = 0.5 * std::sin(2.0 * 3.14159265358979323846 * 440.0 * i / rate);
    inR[static_cast<size_t>(i)] = 0.5 * std::sin(2.0 * 3.14159265358979323846 * 330.0 * i / rate);
  }
  double* in[2] = {inL.data(), inR.data()};
  double* out[2] = {outL.data(), outR.data()};

  const ThroughputClock clock;
  for (auto _ : state)
  {
    plug.ProcessDouble(in, 2, out, 2, block);
    benchmark::DoNotOptimize(outL.data());
    benchmark::DoNotOptimize(outR.data());
    benchmark::ClobberMemory();
  }
  // Items are stereo frames; real time is at the block's own rate.
  clock.Report(state, static_cast<double>(state.iterations()) * block, rate, "per_frame");
}

BENCHMARK(PluginStereoBlock)->ArgNames({"rate", "block"})->ArgsProduct({{44100, 96000}, {64, 512, 4096}});

} // namespace
