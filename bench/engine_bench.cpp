// Engine block path: one channel through qx4::ProcessBlock at each
// oversampling factor and block size, with the plug-in's default switches
// (saturation and hiss on).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "bench/Throughput.h"
#include "effect/qx4.h"

namespace
{

constexpr double kHostRate = 44100.0;

void EngineProcessBlock(benchmark::State& state)
{
  const int factor = static_cast<int>(state.range(0));
  const int block = static_cast<int>(state.range(1));

  qx4 engine;
  engine.SetSampleRate(44100);
  engine.ResetFilters();
  engine.SetOversampling(factor);
  engine.SetChannels(1);
  engine.SetDrive(std::sqrt(0.5));
  engine.mTone = 0.5;
  engine.mLevel = 0.5;

  std::vector<double> source(static_cast<size_t>(block));
  for (int i = 0; i < block; ++i)
    source[static_cast<size_t>(i)] = 0.5 * std::sin(2.0 * 3.14159265358979323846 * 440.0 * i / kHostRate);
  std::vector<double> buffer(source.size());

  const ThroughputClock clock;
  for (auto _ : state)
  {
    std::copy(source.begin(), source.end(), buffer.begin());
    engine.ProcessBlock(buffer.data(), block);
    benchmark::DoNotOptimize(buffer.data());
    benchmark::ClobberMemory();
  }
  // Real time: seconds of 44.1 kHz audio per second of processing, for one
  // channel.
  clock.Report(state, static_cast<double>(state.iterations()) * block, kHostRate, "per_sample");
}

BENCHMARK(EngineProcessBlock)->ArgNames({"factor", "block"})->ArgsProduct({{1, 2, 4}, {64, 512, 4096}});

} // namespace
