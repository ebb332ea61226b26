#pragma once

// Throughput counters shared by the benchmarks: items per second, the time
// per item, and the real-time factor (seconds of audio at the given rate per
// second of processing).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

class ThroughputClock
{
public:
  ThroughputClock()
    : mStart(std::chrono::steady_clock::now())
  {
  }

  // Call once the benchmark loop is done; items is the number processed.
  void Report(benchmark::State& state, double items, double rate, const char* perItemName) const
  {
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - mStart).count();
    state.SetItemsProcessed(static_cast<int64_t>(items));
    if (seconds > 0.0)
      state.counters["realtime_x"] = items / rate / seconds;
    state.counters[perItemName] = benchmark::Counter(items, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  }

private:
  std::chrono::steady_clock::time_point mStart;
};
