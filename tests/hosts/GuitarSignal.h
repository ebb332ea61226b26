#pragma once

// A guitar-like test signal: plucked strings (a noise burst circulating in a
// damped delay line per string), strummed as chords with a short riff, panned
// a little per string. Deterministic, so every build renders the same input.

#include <vector>

namespace zqhost {

// One vector of samples per channel (1 or 2), peak about 0.5.
std::vector<std::vector<double>> makeGuitarSignal (double sampleRate, double seconds, int channels);

} // namespace zqhost
