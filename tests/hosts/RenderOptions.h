#pragma once

// The demo render's options and its end (peak, WAV file, summary line),
// shared by the VST3 and the VST2 test host.

#include <string>
#include <vector>

namespace zqhost {

struct RenderOptions
{
	bool use64 = false;
	double rate = 44100.0;
	int block = 512;
	double seconds = 6.0;
};

// Reads [--64] [--rate Hz] [--block n] [--seconds s] from argv[first] on;
// false for anything else or a value out of range.
bool parseRenderOptions (int argc, char** argv, int first, RenderOptions& opt);

// Writes out as a float WAV and prints "<tool>: rendered ..."; the exit code:
// 0 when the file was written and the render is not silent.
int finishRender (const char* tool, const std::vector<std::vector<double>>& out,
                  const RenderOptions& opt, const std::string& outPath);

} // namespace zqhost
