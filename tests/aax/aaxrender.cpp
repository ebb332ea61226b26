// aaxrender: the guitar-like demo through an AAX plug-in library in the fake
// AAX host, with the same automation as vst3host's render.
// Usage: aaxrender <plugin.aaxplugin> <out.wav> [--block <frames>] [--seconds <s>]

#include "AaxPluginHost.h"
#include "GuitarSignal.h"
#include "QuietStdout.h"
#include "WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Normalised value of a 0-100 knob with the plug-in's power shape.
double Knob (double plain, double shape)
{
	return std::pow (plain / 100.0, 1.0 / shape);
}

} // namespace

int main (int argc, char** argv)
{
	if (argc < 3)
	{
		std::fprintf (stderr, "usage: aaxrender <plugin.aaxplugin> <out.wav> [--block n] [--seconds s]\n");
		return 2;
	}
	int block = 512;
	double seconds = 6.0;
	for (int i = 3; i + 1 < argc; i += 2)
	{
		if (std::strcmp (argv[i], "--block") == 0)
			block = std::atoi (argv[i + 1]);
		else if (std::strcmp (argv[i], "--seconds") == 0)
			seconds = std::atof (argv[i + 1]);
	}
	if (block < 1 || block > 65536 || !(seconds > 0.0 && seconds <= 600.0))
	{
		std::fprintf (stderr, "aaxrender: bad block size or length\n");
		return 2;
	}

	std::string error;
	aaxtest::PluginHost plug (aaxhost::AaxModule::Load (argv[1], error));
	if (!plug.Ready ())
	{
		std::fprintf (stderr, "aaxrender: cannot open %s %s\n", argv[1], error.c_str ());
		return 1;
	}
	const double rate = plug.Host ().Controller ().mSampleRate;
	const std::vector<std::vector<double>> in = zqhost::makeGuitarSignal (rate, seconds, 2);
	const size_t frames = in[0].size ();
	std::vector<std::vector<double>> out (2, std::vector<double> (frames, 0.0));

	plug.SetParameter ("3", Knob (45.0, 2.0));   // Tone
	plug.SetParameter ("4", Knob (30.0, 2.0));   // Level
	plug.SetParameter ("8", Knob (100.0, 1.0));  // Dry/Wet
	int lastAmountStep = -1;
	std::vector<std::vector<float>> buffer (2);
	{
		zqhost::QuietStdout quiet;
		for (size_t pos = 0; pos < frames; pos += static_cast<size_t> (block))
		{
			const int n = static_cast<int> (std::min (frames - pos, static_cast<size_t> (block)));
			const double t = pos / rate;
			// Drive rises from 35 to 85 over the render, in steps a host's automation would send.
			const int step = static_cast<int> (t * 4.0);
			if (step != lastAmountStep)
			{
				lastAmountStep = step;
				const double plain = 35.0 + 50.0 * std::min (1.0, t / std::max (0.1, seconds - 1.0));
				plug.SetParameter ("2", Knob (plain, 2.0));
			}
			if (t <= 3.7 && t + n / rate > 3.7)
				plug.SetParameter ("7", 1.0);   // Ultra Mode
			for (int c = 0; c < 2; ++c)
				buffer[c].assign (in[c].begin () + pos, in[c].begin () + pos + n);
			plug.Render (buffer, n);
			for (int c = 0; c < 2; ++c)
				std::copy (buffer[c].begin (), buffer[c].end (), out[c].begin () + pos);
		}
	}
	const bool unloaded = plug.Close ();

	double peak = 0.0;
	for (const auto& ch : out)
		for (double s : ch)
			peak = std::max (peak, std::fabs (s));
	if (!zqhost::writeFloatWav (argv[2], out, static_cast<int> (rate)))
	{
		std::fprintf (stderr, "aaxrender: cannot write %s\n", argv[2]);
		return 1;
	}
	std::printf ("aaxrender: rendered %.1f s at %.0f Hz (blocks of %d, peak %.3f) to %s\n",
	             frames / rate, rate, block, peak, argv[2]);
	return unloaded ? 0 : 1;
}
