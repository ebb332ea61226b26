// vst3host: loads a VST3 module and drives its effect the way a host does.
//   vst3host info <plugin.vst3>               bundle or bare file, factory, class, buses and
//                                             parameters (a bundle folder is loaded for this
//                                             host's architecture)
//   vst3host render <plugin.vst3> <out.wav>   a guitar-like demo through the effect
//            [--64] [--rate <Hz>] [--block <frames>] [--seconds <s>]
//   vst3host editor <plugin.vst3> <out.png>   opens the editor in a window of this host,
//            [--set <name>=<value>]...        sets parameters as host automation,
//            [--drag <x>,<y>,<dy>]...         drags vertically with the mouse in it,
//            [--ms <n>]                       lets its timer run, and saves a screenshot

#include "tests/hosts/EditorFrameWin.h"
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
	              "[--seconds s]\n"
	              "       vst3host editor <plugin.vst3> <out.png> [--set name=value]... "
	              "[--drag x,y,dy]... [--ms n]\n");
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
	if (e.module->bundledLibrary ().empty ())
		std::printf ("module: not a bundle\n");
	else
		std::printf ("module: bundle, library %s\n", e.module->bundledLibrary ().c_str ());
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

struct EditorOptions
{
	std::vector<std::pair<std::string, double>> sets;
	struct Drag
	{
		int x, y, dy;
	};
	std::vector<Drag> drags;
	int ms = 400;
};

int editor (const std::string& path, const std::string& outPath, const EditorOptions& opt)
{
	OpenEffect e;
	if (!openEffect (path, e))
		return 1;
	PluginInstance* plugin = e.plugin.get ();
	const double rate = 44100.0;
	const int32 block = 512;
	SpeakerArrangement stereo = SpeakerArr::kStereo;
	if (plugin->processor->setBusArrangements (&stereo, 1, &stereo, 1) != kResultOk ||
	    plugin->setup (rate, block, kSample32) != kResultOk || plugin->start () != kResultOk)
	{
		std::fprintf (stderr, "vst3host: setup failed\n");
		return 1;
	}

	ParameterChanges changes;
	for (const auto& set : opt.sets)
	{
		const ParamID id = plugin->findParameter (set.first);
		if (id == kNoParamId)
		{
			std::fprintf (stderr, "vst3host: no parameter \"%s\"\n", set.first.c_str ());
			return 1;
		}
		changes.add (id, 0, plugin->plainToNormalized (id, set.second));
	}

	IPlugView* view = plugin->controller->createView (ViewType::kEditor);
	if (!view)
	{
		std::fprintf (stderr, "vst3host: the plug-in has no editor view\n");
		return 1;
	}
	int status = 1;
	ViewRect size;
	RecordingPlugFrame plugFrame;
	EditorFrame frame;
	if (view->isPlatformTypeSupported (kPlatformTypeHWND) != kResultOk)
		std::fprintf (stderr, "vst3host: the editor does not support HWND\n");
	else if (view->getSize (&size) != kResultOk || size.getWidth () <= 0 || size.getHeight () <= 0)
		std::fprintf (stderr, "vst3host: the editor gives no size\n");
	else if (!frame.hwnd ())
		std::fprintf (stderr, "vst3host: cannot make the frame window\n");
	else if (view->setFrame (&plugFrame), view->attached (frame.hwnd (), kPlatformTypeHWND) != kResultOk ||
	         !frame.child ())
		std::fprintf (stderr, "vst3host: the editor did not open\n");
	else
	{
		pumpMessages (100);
		Buffers in = makeGuitarSignal (rate, 0.25, 2);
		Buffers out (2, std::vector<double> (in[0].size (), 0.0));
		{
			QuietStdout quiet;
			// Automation reaches the editor through processing, as in a host;
			// the meter shows the end of the signal.
			for (size_t pos = 0; pos < in[0].size (); pos += static_cast<size_t> (block))
				plugin->processBlock (in, pos, out, pos,
				                      static_cast<int32> (std::min<size_t> (block, in[0].size () - pos)),
				                      pos == 0 ? &changes : nullptr);
		}
		pumpMessages (100);
		for (const auto& d : opt.drags)
		{
			sendLeftDrag (frame.child (), d.x, d.y, 0, d.dy);
			pumpMessages (50);
		}
		pumpMessages (opt.ms);

		std::vector<uint32_t> pixels;
		int w = 0, h = 0;
		if (!captureWindow (frame.child (), pixels, w, h))
			std::fprintf (stderr, "vst3host: cannot read the editor window\n");
		else if (!writePngRGBA (outPath, pixels, w, h))
			std::fprintf (stderr, "vst3host: cannot write %s\n", outPath.c_str ());
		else
		{
			std::printf ("vst3host: editor %d x %d, screenshot %d x %d written to %s\n", size.getWidth (),
			             size.getHeight (), w, h, outPath.c_str ());
			for (int32 i = 0; i < plugin->controller->getParameterCount (); ++i)
			{
				ParameterInfo pi;
				String128 text = {};
				if (plugin->controller->getParameterInfo (i, pi) == kResultOk &&
				    plugin->controller->getParamStringByValue (
				        pi.id, plugin->controller->getParamNormalized (pi.id), text) == kResultOk)
					std::printf ("  %s = %s\n", toAscii (pi.title).c_str (), toAscii (text).c_str ());
			}
			status = 0;
		}
		view->removed ();
	}
	view->setFrame (nullptr);
	view->release ();
	plugin->stop ();
	plugin->terminate ();
	return status;
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
	if (mode == "editor" && argc >= 4)
	{
		EditorOptions opt;
		for (int i = 4; i < argc; ++i)
		{
			const std::string a = argv[i];
			if (a == "--set" && i + 1 < argc)
			{
				const std::string kv = argv[++i];
				const size_t eq = kv.rfind ('=');
				if (eq == std::string::npos || eq == 0)
					return usage ();
				opt.sets.emplace_back (kv.substr (0, eq), std::atof (kv.c_str () + eq + 1));
			}
			else if (a == "--drag" && i + 1 < argc)
			{
				EditorOptions::Drag d;
				if (std::sscanf (argv[++i], "%d,%d,%d", &d.x, &d.y, &d.dy) != 3)
					return usage ();
				opt.drags.push_back (d);
			}
			else if (a == "--ms" && i + 1 < argc)
				opt.ms = std::atoi (argv[++i]);
			else
				return usage ();
		}
		if (opt.ms < 0 || opt.ms > 60000)
			return usage ();
		return editor (argv[2], argv[3], opt);
	}
	return usage ();
}
