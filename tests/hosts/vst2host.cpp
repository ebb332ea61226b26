// vst2host: loads a VST2 library and drives its effect the way a host does.
//   vst2host info <plugin.dll>               effect record, names, parameters, programs
//   vst2host render <plugin.dll> <out.wav>   a guitar-like demo through the effect
//            [--64] [--rate <Hz>] [--block <frames>] [--seconds <s>]
//   vst2host editor <plugin.dll> [--ms <n>]  opens the editor in a window of ours

#include "tests/hosts/GuitarSignal.h"
#include "tests/hosts/QuietStdout.h"
#include "tests/hosts/RenderOptions.h"
#include "tests/hosts/Vst2Host.h"
#include "tests/hosts/Vst2Library.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace zqhost;

namespace {

int usage()
{
  std::fprintf(stderr,
               "usage: vst2host info <plugin.dll>\n"
               "       vst2host render <plugin.dll> <out.wav> [--64] [--rate Hz] [--block n] "
               "[--seconds s]\n"
               "       vst2host editor <plugin.dll> [--ms n]\n");
  return 2;
}

std::unique_ptr<Vst2Library> loadLibrary(const std::string& path)
{
  std::string error;
  auto lib = Vst2Library::load(path, error);
  if (!lib)
    std::fprintf(stderr, "vst2host: %s\n", error.c_str());
  return lib;
}

int info(const std::string& path)
{
  auto lib = loadLibrary(path);
  if (!lib)
    return 1;
  Vst2Host host(lib->entry());
  AEffect* e = host.effect();
  if (!e)
  {
    std::fprintf(stderr, "vst2host: VSTPluginMain returned no effect\n");
    return 1;
  }
  host.dispatch(kEffOpen);
  std::printf("effect: magic 0x%08X id 0x%08X version %d flags 0x%X programs %d params %d in %d out %d "
              "delay %d\n",
              static_cast<unsigned>(e->magic), static_cast<unsigned>(e->uniqueID), e->version, e->flags,
              e->numPrograms, e->numParams, e->numInputs, e->numOutputs, e->initialDelay);
  std::printf("name \"%s\" vendor \"%s\" product \"%s\" category %d vst %d\n",
              host.text(kEffGetEffectName, 0, kVstMaxEffectNameLen).c_str(),
              host.text(kEffGetVendorString, 0, kVstMaxVendorStrLen).c_str(),
              host.text(kEffGetProductString, 0, kVstMaxProductStrLen).c_str(),
              static_cast<int>(host.dispatch(kEffGetPlugCategory)),
              static_cast<int>(host.dispatch(kEffGetVstVersion)));
  for (int i = 0; i < e->numParams; ++i)
    std::printf("param %d: \"%s\" value %.6f display \"%s\" label \"%s\"\n", i,
                host.text(kEffGetParamName, i, kVstMaxParamStrLen).c_str(), e->getParameter(e, i),
                host.text(kEffGetParamDisplay, i, kVstMaxParamStrLen).c_str(),
                host.text(kEffGetParamLabel, i, kVstMaxParamStrLen).c_str());
  for (int i = 0; i < e->numPrograms; ++i)
    std::printf("program %d: \"%s\"\n", i,
                host.text(kEffGetProgramNameIndexed, i, kVstMaxProgNameLen).c_str());
  // Older hosts enter through "main": it has to give an effect as well.
  auto viaMain = reinterpret_cast<Vst2Entry>(reinterpret_cast<void (*)()>(lib->symbol("main")));
  if (!viaMain)
  {
    std::printf("main: missing\n");
    return 0;
  }
  Vst2Host other(viaMain);
  AEffect* m = other.effect();
  if (m)
    std::printf("main: magic 0x%08X id 0x%08X\n", static_cast<unsigned>(m->magic),
                static_cast<unsigned>(m->uniqueID));
  else
    std::printf("main: no effect\n");
  return 0;
}

// The knobs' normalised value is the square root of the plain value / 100.
float knob(double plain)
{
  return static_cast<float>(std::sqrt(plain / 100.0));
}

int render(const std::string& path, const std::string& outPath, const RenderOptions& opt)
{
  auto lib = loadLibrary(path);
  if (!lib)
    return 1;
  Vst2Host host(lib->entry());
  AEffect* e = host.effect();
  if (!e || e->numParams < 8 || e->numInputs < 2 || e->numOutputs < 2)
  {
    std::fprintf(stderr, "vst2host: no stereo effect with the expected parameters\n");
    return 1;
  }
  host.start(opt.rate, opt.block);

  // Parameter indices of the plug-in.
  const int amount = 1, tone = 2, level = 3, ultra = 6, mix = 7;
  Buffers in = makeGuitarSignal(opt.rate, opt.seconds, 2);
  const size_t frames = in[0].size();
  Buffers out(2, std::vector<double>(frames, 0.0));
  Vst2Processor processor(e, opt.use64);

  int lastAmountStep = -1;
  {
    // The plug-in's own progress lines are not the host's output.
    QuietStdout quiet;
    for (size_t pos = 0; pos < frames; pos += static_cast<size_t>(opt.block))
    {
      const int n = static_cast<int>(std::min(frames - pos, static_cast<size_t>(opt.block)));
      const double t = pos / opt.rate;
      if (pos == 0)
      {
        e->setParameter(e, tone, knob(45.0));
        e->setParameter(e, level, knob(30.0));
        e->setParameter(e, mix, 1.0f);
      }
      // Drive rises from 35 to 85 over the render, in steps a host's automation would send.
      const int step = static_cast<int>(t * 4.0);
      if (step != lastAmountStep)
      {
        lastAmountStep = step;
        e->setParameter(e, amount,
                        knob(35.0 + 50.0 * std::min(1.0, t / std::max(0.1, opt.seconds - 1.0))));
      }
      if (t <= 3.7 && t + n / opt.rate > 3.7)
        e->setParameter(e, ultra, 1.0f);
      host.timeInfo.samplePos = static_cast<double>(pos);
      host.timeInfo.ppqPos = t * host.timeInfo.tempo / 60.0;
      processor.process(in, out, pos, n);
    }
  }
  host.dispatch(kEffMainsChanged, 0, 0);
  host.close();

  return finishRender("vst2host", out, opt, outPath);
}

int editor(const std::string& path, int ms)
{
  auto lib = loadLibrary(path);
  if (!lib)
    return 1;
  Vst2Host host(lib->entry());
  if (!host.effect())
    return 1;
  host.start(44100.0, 512);

  ERect* rect = nullptr;
  if (!host.dispatch(kEffEditGetRect, 0, 0, &rect) || !rect)
  {
    std::printf("vst2host: the effect has no editor\n");
    return 1;
  }
  const int width = rect->right - rect->left, height = rect->bottom - rect->top;
  HWND parent = CreateWindowExA(0, "STATIC", "vst2host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                width + 16, height + 40, nullptr, nullptr, GetModuleHandleA(nullptr),
                                nullptr);
  const VstIntPtr opened = host.dispatch(kEffEditOpen, 0, 0, parent);
  HWND child = GetWindow(parent, GW_CHILD);
  RECT cr = {};
  if (child)
    GetClientRect(child, &cr);
  std::printf("editor: rect %d x %d, open %d, child window %s %ld x %ld\n", width, height,
              static_cast<int>(opened), child ? "yes" : "no", cr.right - cr.left, cr.bottom - cr.top);
  runEditorLoop(host, ms);
  const VstIntPtr closed = host.dispatch(kEffEditClose);
  std::printf("editor: closed %d, child window left %s\n", static_cast<int>(closed),
              GetWindow(parent, GW_CHILD) ? "yes" : "no");
  DestroyWindow(parent);
  return opened && child ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
  if (argc < 3)
    return usage();
  const std::string mode = argv[1];
  if (mode == "info" && argc == 3)
    return info(argv[2]);
  if (mode == "editor")
  {
    int ms = 500;
    if (argc == 5 && std::string(argv[3]) == "--ms")
      ms = std::atoi(argv[4]);
    else if (argc != 3)
      return usage();
    return editor(argv[2], ms);
  }
  if (mode == "render" && argc >= 4)
  {
    RenderOptions opt;
    if (!parseRenderOptions(argc, argv, 4, opt))
      return usage();
    return render(argv[2], argv[3], opt);
  }
  return usage();
}
