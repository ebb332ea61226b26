#pragma once

#include <string>
#include <vector>

namespace zqhost {

// Writes 32-bit float WAV (IEEE float format, one vector per channel, all the same length).
bool writeFloatWav (const std::string& path, const std::vector<std::vector<double>>& channels,
                    int sampleRate);

} // namespace zqhost
