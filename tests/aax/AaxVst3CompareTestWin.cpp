// The same automation through the x86 AAX library and the x86 VST3 library,
// loaded side by side as hosts load them, gives the same samples.

#include "AaxPluginHost.h"
#include "GuitarSignal.h"
#include "HostClasses.h"
#include "PluginInstance.h"
#include "PluginModule.h"
#include "QuietStdout.h"

#include <gtest/gtest.h>

#include <cmath>

#include "pluginterfaces/vst/ivstaudioprocessor.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr double kRate = 44100.0;
constexpr int kBlock = 512;

// One automation step: host ID, VST3 title, normalised value.
struct Change
{
	const char* id;
	const char* title;
	double normalized;
};

// The changes sent before block b.
std::vector<Change> ChangesAt (int b)
{
	std::vector<Change> changes;
	if (b == 0)
	{
		changes.push_back ({ "6", "Analog Hiss", 0.0 });   // the hiss is random
		changes.push_back ({ "3", "Tone", std::sqrt (0.45) });
		changes.push_back ({ "4", "Level", std::sqrt (0.30) });
	}
	if (b % 8 == 0)
		changes.push_back ({ "2", "Dist. Amount", std::sqrt (0.35 + 0.05 * (b / 8)) });
	if (b == 40)
		changes.push_back ({ "7", "Ultra Mode", 1.0 });
	return changes;
}

TEST (AaxAgainstVst3, SameAutomationSameSamples)
{
	const zqhost::Buffers in = zqhost::makeGuitarSignal (kRate, 1.5, 2);
	const size_t frames = in[0].size ();

	// AAX.
	std::vector<std::vector<float>> aax (2);
	for (int c = 0; c < 2; ++c)
		aax[c].assign (in[c].begin (), in[c].end ());
	{
		aaxtest::PluginHost plug;
		ASSERT_TRUE (plug.Ready ());
		zqhost::QuietStdout quiet;
		std::vector<std::vector<float>> part (2);
		for (size_t pos = 0, b = 0; pos < frames; pos += kBlock, ++b)
		{
			for (const Change& change : ChangesAt (static_cast<int> (b)))
				plug.SetParameter (change.id, change.normalized);
			const size_t n = std::min<size_t> (kBlock, frames - pos);
			for (int c = 0; c < 2; ++c)
				part[c].assign (aax[c].begin () + pos, aax[c].begin () + pos + n);
			plug.Render (part, static_cast<int> (n));
			for (int c = 0; c < 2; ++c)
				std::copy (part[c].begin (), part[c].end (), aax[c].begin () + pos);
		}
	}

	// VST3.
	std::string error;
	auto module = zqhost::PluginModule::load (ZQ_VST3PLUGIN_PATH, error);
	ASSERT_TRUE (module) << error;
	auto plugin = zqhost::PluginInstance::createFirstEffect (module->factory (), error);
	ASSERT_TRUE (plugin) << error;
	zqhost::NamedHostApplication host {"aaxtest"};
	zqhost::RecordingComponentHandler handler;
	ASSERT_EQ (plugin->initialize (&host, &handler), kResultOk);
	SpeakerArrangement stereo = SpeakerArr::kStereo;
	ASSERT_EQ (plugin->processor->setBusArrangements (&stereo, 1, &stereo, 1), kResultOk);
	ASSERT_EQ (plugin->setup (kRate, kBlock, kSample32), kResultOk);
	ASSERT_EQ (plugin->start (), kResultOk);
	zqhost::Buffers vst3 (2, std::vector<double> (frames, 0.0));
	{
		zqhost::QuietStdout quiet;
		zqhost::ParameterChanges changes;
		for (size_t pos = 0, b = 0; pos < frames; pos += kBlock, ++b)
		{
			changes.clear ();
			for (const Change& change : ChangesAt (static_cast<int> (b)))
				changes.add (plugin->findParameter (change.title), 0, change.normalized);
			const int32 n = static_cast<int32> (std::min<size_t> (kBlock, frames - pos));
			ASSERT_EQ (plugin->processBlock (in, pos, vst3, pos, n, &changes), kResultOk);
		}
	}
	plugin->stop ();
	plugin->terminate ();

	size_t differing = 0;
	for (int c = 0; c < 2; ++c)
		for (size_t f = 0; f < frames; ++f)
			differing += static_cast<float> (vst3[c][f]) != aax[c][f];
	EXPECT_EQ (differing, 0u);
	double energy = 0.0;
	for (float s : aax[0])
		energy += double (s) * s;
	EXPECT_GT (energy, 1.0);
}

} // namespace
