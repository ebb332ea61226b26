#pragma once

#include <random>
#include <vector>

// A reproducible noise block in [-amplitude, amplitude].
inline std::vector<double> TestSignal(int n, unsigned seed, double amplitude = 0.8)
{
  std::mt19937 gen(seed);
  std::vector<double> v(static_cast<size_t>(n));
  for (double& x : v)
    x = (static_cast<double>(gen()) / 4294967295.0 * 2.0 - 1.0) * amplitude;
  return v;
}
