#include "tests/hosts/GuitarSignal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zqhost {

namespace {

struct Pluck
{
	double start;      // seconds
	double frequency;  // Hz
	double amplitude;
	double pan;        // 0 left .. 1 right
};

// Small deterministic generator, so the signal does not depend on the C runtime.
struct Lcg
{
	uint32_t state;
	double next ()
	{
		state = state * 1664525u + 1013904223u;
		return static_cast<double> (state >> 8) / 8388608.0 - 1.0;
	}
};

void addPluck (std::vector<std::vector<double>>& out, double sampleRate, const Pluck& p, Lcg& rng)
{
	const size_t length = out[0].size ();
	const size_t startFrame = static_cast<size_t> (p.start * sampleRate);
	if (startFrame >= length)
		return;
	const size_t period = std::max<size_t> (2, static_cast<size_t> (sampleRate / p.frequency + 0.5));
	std::vector<double> line (period);
	// A softened noise burst: the pick.
	double previous = 0.0;
	for (double& s : line)
	{
		previous = 0.6 * previous + 0.4 * rng.next ();
		s = previous;
	}
	// Low strings ring longer than high ones.
	const double decay = 0.9985 - 0.0000015 * p.frequency;
	const double left = std::cos (p.pan * 1.5707963267948966);
	const double right = std::sin (p.pan * 1.5707963267948966);
	size_t index = 0;
	for (size_t f = startFrame; f < length; ++f)
	{
		const size_t nextIndex = index + 1 == period ? 0 : index + 1;
		const double y = line[index];
		line[index] = decay * 0.5 * (line[index] + line[nextIndex]);
		index = nextIndex;
		const double s = p.amplitude * y;
		if (out.size () == 1)
			out[0][f] += s;
		else
		{
			out[0][f] += s * left;
			out[1][f] += s * right;
		}
	}
}

} // namespace

std::vector<std::vector<double>> makeGuitarSignal (double sampleRate, double seconds, int channels)
{
	const size_t length = static_cast<size_t> (std::max (0.0, seconds) * sampleRate);
	std::vector<std::vector<double>> out (channels < 2 ? 1 : 2, std::vector<double> (length, 0.0));
	if (length == 0)
		return out;

	// Open-position chords, low string first (Hz).
	static const double kE[] = {82.41, 123.47, 164.81, 207.65, 246.94, 329.63};
	static const double kA[] = {110.00, 164.81, 220.00, 277.18, 329.63};
	static const double kD[] = {146.83, 220.00, 293.66, 369.99};
	static const double kG[] = {98.00, 123.47, 146.83, 196.00, 246.94, 392.00};
	struct Chord { const double* notes; int count; double at; bool down; };
	const Chord chords[] = {
		{kE, 6, 0.05, true}, {kE, 6, 0.80, false}, {kA, 5, 1.20, true}, {kD, 4, 2.00, true},
		{kD, 4, 2.45, false}, {kG, 6, 2.90, true}, {kE, 6, 3.70, true},
	};
	Lcg rng {0x5A6E746Bu};
	std::vector<Pluck> plucks;
	for (const Chord& c : chords)
	{
		for (int i = 0; i < c.count; ++i)
		{
			const int string = c.down ? i : c.count - 1 - i;
			plucks.push_back ({c.at + 0.012 * i, c.notes[string], c.down ? 0.30 : 0.22,
			                   0.3 + 0.4 * string / 5.0});
		}
	}
	// A short single-note riff to end on.
	static const double kRiff[] = {164.81, 196.00, 220.00, 246.94, 220.00, 196.00, 164.81};
	for (int i = 0; i < 7; ++i)
		plucks.push_back ({4.6 + 0.18 * i, kRiff[i], 0.45, 0.5});

	for (const Pluck& p : plucks)
		addPluck (out, sampleRate, p, rng);

	double peak = 0.0;
	for (const auto& ch : out)
		for (double s : ch)
			peak = std::max (peak, std::fabs (s));
	if (peak > 0.0)
		for (auto& ch : out)
			for (double& s : ch)
				s *= 0.5 / peak;
	return out;
}

} // namespace zqhost
