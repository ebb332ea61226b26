#include "tests/hosts/RenderOptions.h"

#include "tests/hosts/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zqhost {

bool parseRenderOptions (int argc, char** argv, int first, RenderOptions& opt)
{
	for (int i = first; i < argc; ++i)
	{
		const std::string a = argv[i];
		if (a == "--64")
			opt.use64 = true;
		else if (a == "--rate" && i + 1 < argc)
			opt.rate = std::atof (argv[++i]);
		else if (a == "--block" && i + 1 < argc)
			opt.block = std::atoi (argv[++i]);
		else if (a == "--seconds" && i + 1 < argc)
			opt.seconds = std::atof (argv[++i]);
		else
			return false;
	}
	return opt.rate >= 8000.0 && opt.rate <= 384000.0 && opt.block >= 1 && opt.block <= 65536 &&
	       opt.seconds > 0.0 && opt.seconds <= 600.0;
}

int finishRender (const char* tool, const std::vector<std::vector<double>>& out,
                  const RenderOptions& opt, const std::string& outPath)
{
	double peak = 0.0;
	for (const auto& ch : out)
		for (double s : ch)
			peak = std::max (peak, std::fabs (s));
	if (!writeFloatWav (outPath, out, static_cast<int> (opt.rate)))
	{
		std::fprintf (stderr, "%s: cannot write %s\n", tool, outPath.c_str ());
		return 1;
	}
	const size_t frames = out.empty () ? 0 : out[0].size ();
	std::printf ("%s: rendered %.1f s at %.0f Hz (%d-bit, blocks of %d, peak %.3f) to %s\n", tool,
	             frames / opt.rate, opt.rate, opt.use64 ? 64 : 32, opt.block, peak, outPath.c_str ());
	return peak > 0.0 ? 0 : 1;
}

} // namespace zqhost
