// A NaN or an infinity in the input of the real AAX library's render call,
// in the fake AAX host: the channel is finite again from the next sample on
// and stays so.

#include "AaxPluginHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using aaxtest::PluginHost;

namespace {

std::vector<std::vector<float>> Sine (int frames, int start)
{
	std::vector<std::vector<float>> signal (2, std::vector<float> (frames));
	for (int f = 0; f < frames; ++f)
		signal[0][f] = signal[1][f] = static_cast<float> (0.4 * std::sin (0.05 * (start + f)));
	return signal;
}

} // namespace

TEST (AaxBadSamples, ANonFiniteSampleNeverSticks)
{
	const float bad[] = {std::numeric_limits<float>::quiet_NaN (), std::numeric_limits<float>::infinity (),
	                     -std::numeric_limits<float>::infinity ()};
	for (float b : bad)
	{
		PluginHost plug;
		ASSERT_TRUE (plug.Ready ());
		ASSERT_EQ (plug.SetParameter ("6", 0.0), kAaxSuccess);   // Analog Hiss off: its noise is clock-seeded
		ASSERT_EQ (plug.SetParameter ("2", 0.6), kAaxSuccess);   // Dist. Amount
		std::vector<std::vector<float>> block = Sine (256, 0);
		block[0][100] = b;   // left only
		plug.Render (block, 256);
		for (int f = 101; f < 256; ++f)
			ASSERT_TRUE (std::isfinite (block[0][f])) << b << " frame " << f;
		for (int f = 0; f < 256; ++f)
			ASSERT_TRUE (std::isfinite (block[1][f])) << b << " frame " << f;

		double energy = 0.0;
		for (int k = 1; k < 6; ++k)
		{
			block = Sine (256, 256 * k);
			plug.Render (block, 256);
			for (int f = 0; f < 256; ++f)
			{
				ASSERT_TRUE (std::isfinite (block[0][f])) << b << " block " << k << " frame " << f;
				energy += double (block[0][f]) * block[0][f];
			}
		}
		EXPECT_GT (energy, 1.0) << b;
		EXPECT_TRUE (plug.Close ());
	}
}
