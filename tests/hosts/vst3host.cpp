// vst3host: loads a VST3 module and drives its effect the way a host does.
//   vst3host info <plugin.vst3>               factory, class, buses and parameters
//   vst3host render <plugin.vst3> <out.wav>   a guitar-like demo through the effect
//            [--64] [--rate <Hz>] [--block <frames>] [--seconds <s>]

#include "tests/hosts/GuitarSignal.h"
#include "tests/hosts/HostClasses.h"
#include "tests/hosts/PluginInstance.h"
#include "tests/hosts/PluginModule.h"
#include "tests/hosts/QuietStdout.h"
#include "tests/hosts/RenderOptions.h"

#include "pluginterfaces/vst/vstspeaker.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace zqhost;

namespace {

int usage ()
{
	std::fprintf (stderr,
	              "usage: vst3host info <plugin.vst3>\n"
	              "       vst3host render <plugin.vst3> <out.wav> [--64] [--rate Hz] [--block n] "
	              "[--seconds s]\n");
	return 2;
}

std::string hexBytes (const TUID id)
{
	std::string s;
	char b[4];
	for (int i = 0; i < 16; ++i)
	{
		std::snprintf (b, sizeof b, "%02X%s", static_cast<unsigned char> (id[i]), i < 15 ? " " : "");
		s += b;
	}
	return s;
}

// The module and its first effect, initialised with this host's objects.
// The instance goes before the module that holds its code.
struct OpenEffect
{
	NamedHostApplication host {"vst3host"};
	RecordingComponentHandler handler;
	std::unique_ptr<PluginModule> module;
	std::unique_ptr<PluginInstance> plugin;
};

bool openEffect (const std::string& path, OpenEffect& e)
{
	std::string error;
	e.module = PluginModule::load (path, error);
	if (e.module)
		e.plugin = PluginInstance::createFirstEffect (e.module->factory (), error);
	if (!e.plugin)
	{
		std::fprintf (stderr, "vst3host: %s\n", error.c_str ());
		return false;
	}
	if (e.plugin->initialize (&e.host, &e.handler) != kResultOk)
	{
		std::fprintf (stderr, "vst3host: initialize failed\n");
		return false;
	}
	return true;
}

int info (const std::string& path)
{
	OpenEffect e;
	if (!openEffect (path, e))
		return 1;
	PluginInstance* plugin = e.plugin.get ();
	IPluginFactory* factory = e.module->factory ();
	PFactoryInfo fi;
	factory->getFactoryInfo (&fi);
	std::printf ("factory: vendor \"%s\" url \"%s\" email \"%s\" flags %d\n", fi.vendor, fi.url,
	             fi.email, fi.flags);
	FUnknownPtr<IPluginFactory2> factory2 (factory);
	for (int32 i = 0; i < factory->countClasses (); ++i)
	{
		PClassInfo2 ci;
		if (factory2 && factory2->getClassInfo2 (i, &ci) == kResultOk)
			std::printf ("class %d: \"%s\" category \"%s\" sub \"%s\" version \"%s\" sdk \"%s\" "
			             "flags %u cardinality %d\n  id %s\n",
			             i, ci.name, ci.category, ci.subCategories, ci.version, ci.sdkVersion,
			             ci.classFlags, ci.cardinality, hexBytes (ci.cid).c_str ());
	}
	for (MediaType type : {kAudio, kEvent})
		for (BusDirection dir : {kInput, kOutput})
			for (int32 b = 0; b < plugin->component->getBusCount (type, dir); ++b)
			{
				BusInfo bi;
				if (plugin->component->getBusInfo (type, dir, b, bi) == kResultOk)
					std::printf ("bus %s %s %d: \"%s\" channels %d type %d flags %u\n",
					             type == kAudio ? "audio" : "event", dir == kInput ? "in" : "out", b,
					             toAscii (bi.name).c_str (), bi.channelCount, bi.busType, bi.flags);
			}
	for (int32 i = 0; i < plugin->controller->getParameterCount (); ++i)
	{
		ParameterInfo pi;
		if (plugin->controller->getParameterInfo (i, pi) != kResultOk)
			continue;
		String128 text = {};
		plugin->controller->getParamStringByValue (pi.id, pi.defaultNormalizedValue, text);
		std::printf ("param %d: id 0x%08X \"%s\" units \"%s\" steps %d default %.6f (\"%s\") flags 0x%X "
		             "unit %d\n",
		             i, pi.id, toAscii (pi.title).c_str (), toAscii (pi.units).c_str (), pi.stepCount,
		             pi.defaultNormalizedValue, toAscii (text).c_str (), pi.flags, pi.unitId);
	}
	plugin->terminate ();
	return 0;
}

int render (const std::string& path, const std::string& outPath, const RenderOptions& opt)
{
	OpenEffect e;
	if (!openEffect (path, e))
		return 1;
	PluginInstance* plugin = e.plugin.get ();
	SpeakerArrangement stereo = SpeakerArr::kStereo;
	if (plugin->processor->setBusArrangements (&stereo, 1, &stereo, 1) != kResultOk)
	{
		std::fprintf (stderr, "vst3host: the plug-in refuses stereo in and out\n");
		return 1;
	}
	if (plugin->setup (opt.rate, opt.block, opt.use64 ? kSample64 : kSample32) != kResultOk ||
	    plugin->start () != kResultOk)
	{
		std::fprintf (stderr, "vst3host: setup failed\n");
		return 1;
	}

	const ParamID amount = plugin->findParameter ("Dist. Amount");
	const ParamID tone = plugin->findParameter ("Tone");
	const ParamID level = plugin->findParameter ("Level");
	const ParamID ultra = plugin->findParameter ("Ultra Mode");
	const ParamID mix = plugin->findParameter ("Dry/Wet");
	if (amount == kNoParamId || tone == kNoParamId || level == kNoParamId || ultra == kNoParamId ||
	    mix == kNoParamId)
	{
		std::fprintf (stderr, "vst3host: the plug-in lacks the expected parameters\n");
		return 1;
	}

	Buffers in = makeGuitarSignal (opt.rate, opt.seconds, 2);
	const size_t frames = in[0].size ();
	Buffers out (2, std::vector<double> (frames, 0.0));

	ProcessContext context = {};
	context.state = ProcessContext::kPlaying | ProcessContext::kTempoValid | ProcessContext::kTimeSigValid;
	context.sampleRate = opt.rate;
	context.tempo = 120.0;
	context.timeSigNumerator = 4;
	context.timeSigDenominator = 4;

	ParameterChanges changes;
	int32 lastAmountStep = -1;
	{
		// The plug-in's own progress lines are not the host's output.
		QuietStdout quiet;
		for (size_t pos = 0; pos < frames; pos += static_cast<size_t> (opt.block))
		{
			const int32 n = static_cast<int32> (std::min (frames - pos, static_cast<size_t> (opt.block)));
			const double t = pos / opt.rate;
			changes.clear ();
			if (pos == 0)
			{
				changes.add (tone, 0, plugin->plainToNormalized (tone, 45.0));
				changes.add (level, 0, plugin->plainToNormalized (level, 30.0));
				changes.add (mix, 0, plugin->plainToNormalized (mix, 100.0));
			}
			// Drive rises from 35 to 85 over the render, in steps a host's automation would send.
			const int32 step = static_cast<int32> (t * 4.0);
			if (step != lastAmountStep)
			{
				lastAmountStep = step;
				const double plain = 35.0 + 50.0 * std::min (1.0, t / std::max (0.1, opt.seconds - 1.0));
				changes.add (amount, 0, plugin->plainToNormalized (amount, plain));
			}
			if (t <= 3.7 && t + n / opt.rate > 3.7)
				changes.add (ultra, 0, 1.0);
			context.projectTimeSamples = static_cast<TSamples> (pos);
			context.projectTimeMusic = t * context.tempo / 60.0;
			if (plugin->processBlock (in, pos, out, pos, n, &changes, &context) != kResultOk)
			{
				std::fprintf (stderr, "vst3host: process failed\n");
				return 1;
			}
		}
	}
	plugin->stop ();
	plugin->terminate ();

	return finishRender ("vst3host", out, opt, outPath);
}

} // namespace

int main (int argc, char** argv)
{
	if (argc < 3)
		return usage ();
	const std::string mode = argv[1];
	if (mode == "info" && argc == 3)
		return info (argv[2]);
	if (mode == "render" && argc >= 4)
	{
		RenderOptions opt;
		if (!parseRenderOptions (argc, argv, 4, opt))
			return usage ();
		return render (argv[2], argv[3], opt);
	}
	return usage ();
}
