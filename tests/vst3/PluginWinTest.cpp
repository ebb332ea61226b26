// The shipped VST3 library (ZentikQX40.vst3) under Wine, driven by our host:
// its exports and imports, factory and class description, declared buses and
// parameters, automation reaching the sound (compared with the same render
// through the effect on the headless adapter, in this process), bypass and
// program parameters, and the state across instances and a reloaded library.

#include "tests/hosts/GuitarSignal.h"
#include "tests/hosts/HostClasses.h"
#include "tests/hosts/PluginInstance.h"
#include "tests/hosts/PluginModule.h"
#include "tests/hosts/QuietStdout.h"
#include "tests/vst3/RealPluginWin.h"

#include "effect/ZentikQX40.h"

#include "pluginterfaces/vst/ivstunits.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <cstring>
#include <set>
#include <thread>

using namespace zqhost;

namespace {

const ParamID kBypass = 0x62706173;   // 'bpas'
const ParamID kPreset = 0x70727374;   // 'prst'

// Text field of `size` bytes: the text, then zeros to the end.
::testing::AssertionResult PaddedText(const char* field, size_t size, const char* text)
{
  const size_t n = std::strlen(text);
  if (std::strncmp(field, text, size) != 0 || field[n] != 0)
    return ::testing::AssertionFailure() << "field is \"" << std::string(field, strnlen(field, size))
                                         << "\", expected \"" << text << "\"";
  for (size_t i = n; i < size; ++i)
    if (field[i] != 0)
      return ::testing::AssertionFailure() << "byte " << i << " after \"" << text << "\" is not zero";
  return ::testing::AssertionSuccess();
}

std::string upper(std::string s)
{
  for (char& c : s)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// The PE image's export names and imported library names.
void ReadDirectories(const void* image, std::set<std::string>& exports,
                     std::set<std::string>& imports)
{
  auto base = static_cast<const unsigned char*>(image);
  auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& ex = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (ex.Size)
  {
    auto dir = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + ex.VirtualAddress);
    auto names = reinterpret_cast<const DWORD*>(base + dir->AddressOfNames);
    for (DWORD i = 0; i < dir->NumberOfNames; ++i)
      exports.insert(reinterpret_cast<const char*>(base + names[i]));
    // Every function is reachable by name: no ordinal-only extras.
    EXPECT_EQ(dir->NumberOfFunctions, dir->NumberOfNames);
  }
  const IMAGE_DATA_DIRECTORY& im = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (im.Size)
    for (auto d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + im.VirtualAddress); d->Name; ++d)
      imports.insert(upper(reinterpret_cast<const char*>(base + d->Name)));
}

// What a host sends: a parameter's normalised value at the start of a block.
struct Change
{
  int block;
  ParamID id;
  double value;
};

// Blocks of varying size, none longer than the announced maximum.
std::vector<int32> blockSizes(size_t frames, int32 maxBlock)
{
  static const int32 pattern[] = {512, 300, 512, 17, 256, 511, 1, 400};
  std::vector<int32> sizes;
  size_t pos = 0;
  for (int i = 0; pos < frames; ++i)
  {
    int32 n = std::min<int32>(pattern[i % 8], maxBlock);
    n = static_cast<int32>(std::min<size_t>(n, frames - pos));
    sizes.push_back(n);
    pos += static_cast<size_t>(n);
  }
  return sizes;
}

// An automation script touching every parameter, hiss off from the start
// (its noise comes from the C runtime's generator, seeded by the clock).
std::vector<Change> automation(double rate)
{
  std::vector<Change> s = {
    {0, ZentikQX40::kHiss, 0.0},       {0, ZentikQX40::kDistAmount, 0.55},
    {0, ZentikQX40::kTone, 0.45},      {0, ZentikQX40::kLevel, 0.6},
    {0, ZentikQX40::kDryWet, 0.95},
  };
  for (int b = 8; b < 160; b += 8)
    s.push_back({b, ZentikQX40::kDistAmount, 0.3 + 0.004 * b});
  s.push_back({20, ZentikQX40::kTone, 0.8});
  s.push_back({40, ZentikQX40::kUltra, 1.0});
  s.push_back({60, ZentikQX40::kSaturation, 0.0});
  s.push_back({70, ZentikQX40::kBypass, 1.0});
  s.push_back({74, ZentikQX40::kBypass, 0.0});
  s.push_back({80, ZentikQX40::kDryWet, 0.4});
  s.push_back({90, kBypass, 1.0});
  s.push_back({95, kBypass, 0.0});
  s.push_back({100, ZentikQX40::kUltra, 0.0});
  s.push_back({110, ZentikQX40::kSaturation, 1.0});
  s.push_back({120, ZentikQX40::kLevel, 0.2});
  (void)rate;
  return s;
}

Buffers renderThroughLibrary(PluginInstance& p, double rate, int32 sampleSize, const Buffers& in,
                             const std::vector<Change>& script)
{
  const int32 maxBlock = 512;
  EXPECT_EQ(p.setup(rate, maxBlock, sampleSize), kResultOk);
  EXPECT_EQ(p.start(), kResultOk);
  Buffers out(in.size(), std::vector<double>(in[0].size(), 0.0));
  ParameterChanges changes;
  size_t pos = 0;
  int block = 0;
  QuietStdout quiet;
  for (int32 n : blockSizes(in[0].size(), maxBlock))
  {
    changes.clear();
    for (const Change& c : script)
      if (c.block == block)
        changes.add(c.id, block % 3 == 1 ? n / 2 : 0, c.value);
    EXPECT_EQ(p.processBlock(in, pos, out, pos, n, &changes), kResultOk);
    EXPECT_TRUE(p.guardsIntact) << "block " << block;
    pos += static_cast<size_t>(n);
    ++block;
  }
  p.stop();
  return out;
}

// The same render through the effect on the headless adapter: the life cycle
// the VST3 adapter follows (preset 0 restored on initialisation, a saved state
// if one is given, then rate, block size and reset), each block's changes
// applied before the block.
Buffers renderThroughEffect(double rate, const Buffers& in, const std::vector<Change>& script,
                            const std::vector<uint8_t>* state = nullptr)
{
  ZentikQX40 plug(nullptr);
  plug.Initialize("vst3host");
  if (state)
  {
    IStateChunk chunk;
    chunk.PutBytes(state->data(), 64);
    plug.UnserializeState(chunk, 0);
    plug.SetHostBypass((*state)[64] != 0);
  }
  plug.SetupProcessing(rate, 512);
  Buffers input = in, out(in.size(), std::vector<double>(in[0].size(), 0.0));
  size_t pos = 0;
  int block = 0;
  QuietStdout quiet;
  for (int32 n : blockSizes(in[0].size(), 512))
  {
    for (const Change& c : script)
    {
      if (c.block != block)
        continue;
      if (c.id == kBypass)
        plug.SetHostBypass(c.value > 0.5);
      else
      {
        plug.GetParam(static_cast<int>(c.id))->SetFromNormalised(c.value);
        plug.HandleParamChange(static_cast<int>(c.id), false);
      }
    }
    double* inPtrs[2] = {};
    double* outPtrs[2] = {};
    const int channels = static_cast<int>(in.size());
    for (int c = 0; c < channels; ++c)
    {
      inPtrs[c] = &input[c][pos];
      outPtrs[c] = &out[c][pos];
    }
    EXPECT_TRUE(plug.ProcessDouble(inPtrs, channels, outPtrs, channels, n));
    pos += static_cast<size_t>(n);
    ++block;
  }
  return out;
}

double maxDifference(const Buffers& a, const Buffers& b, size_t& where)
{
  double worst = 0.0;
  where = 0;
  for (size_t c = 0; c < a.size(); ++c)
    for (size_t i = 0; i < a[c].size(); ++i)
    {
      const double d = std::fabs(a[c][i] - b[c][i]);
      if (!(d <= worst))
      {
        worst = d;
        where = i;
      }
    }
  return worst;
}

double peak(const Buffers& a)
{
  double p = 0.0;
  for (const auto& ch : a)
    for (double s : ch)
      p = std::max(p, std::fabs(s));
  return p;
}

Buffers toFloatPrecision(Buffers b)
{
  for (auto& ch : b)
    for (double& s : ch)
      s = static_cast<float>(s);
  return b;
}

} // namespace

TEST(Vst3Plugin, ExportsThreeEntriesAndImportsOnlySystemLibraries)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  std::set<std::string> exports, imports;
  ReadDirectories(module->image(), exports, imports);
  EXPECT_EQ(exports, (std::set<std::string> {"ExitDll", "GetPluginFactory", "InitDll"}));
  static const std::set<std::string> system = {
    "KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "MSVCRT.DLL", "OLE32.DLL", "OLEAUT32.DLL",
    "ADVAPI32.DLL", "SHELL32.DLL", "COMCTL32.DLL", "COMDLG32.DLL", "WININET.DLL", "MSIMG32.DLL",
    "UCRTBASE.DLL", "SHLWAPI.DLL", "UUID.DLL"};
  for (const std::string& name : imports)
    EXPECT_TRUE(system.count(name) || name.rfind("API-MS-WIN-", 0) == 0) << name;
  EXPECT_TRUE(imports.count("KERNEL32.DLL"));

  using ModuleFunc = bool (*)();
  auto initDll = reinterpret_cast<ModuleFunc>(reinterpret_cast<void (*)()>(module->entry("InitDll")));
  auto exitDll = reinterpret_cast<ModuleFunc>(reinterpret_cast<void (*)()>(module->entry("ExitDll")));
  ASSERT_TRUE(initDll && exitDll);
  EXPECT_TRUE(initDll());
  EXPECT_TRUE(exitDll());
  EXPECT_TRUE(initDll());
}

TEST(Vst3Plugin, FactoryAndClassDescription)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  IPluginFactory* f = module->factory();

  PFactoryInfo fi;
  ASSERT_EQ(f->getFactoryInfo(&fi), kResultOk);
  EXPECT_TRUE(PaddedText(fi.vendor, sizeof(fi.vendor), "Zentik"));
  EXPECT_NE(fi.url[0], 0);
  EXPECT_NE(fi.email[0], 0);
  EXPECT_EQ(fi.flags, 16);

  ASSERT_EQ(f->countClasses(), 1);
  PClassInfo ci;
  ASSERT_EQ(f->getClassInfo(0, &ci), kResultOk);
  EXPECT_EQ(std::memcmp(ci.cid, kZentikQX40ClassID, 16), 0);
  EXPECT_TRUE(PaddedText(ci.category, sizeof(ci.category), "Audio Module Class"));
  EXPECT_TRUE(PaddedText(ci.name, sizeof(ci.name), "ZentikQX40"));
  EXPECT_EQ(ci.cardinality, 0x7FFFFFFF);

  FUnknownPtr<IPluginFactory2> f2(f);
  ASSERT_TRUE(f2);
  PClassInfo2 c2;
  ASSERT_EQ(f2->getClassInfo2(0, &c2), kResultOk);
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(static_cast<unsigned char>(c2.cid[i]), kZentikQX40ClassID[i]) << "byte " << i;
  EXPECT_EQ(c2.cardinality, 0x7FFFFFFF);
  EXPECT_TRUE(PaddedText(c2.category, sizeof(c2.category), "Audio Module Class"));
  EXPECT_TRUE(PaddedText(c2.name, sizeof(c2.name), "ZentikQX40"));
  EXPECT_EQ(c2.classFlags, 2u);
  EXPECT_TRUE(PaddedText(c2.subCategories, sizeof(c2.subCategories), "Fx|Distortion"));
  EXPECT_TRUE(PaddedText(c2.vendor, sizeof(c2.vendor), ""));
  EXPECT_TRUE(PaddedText(c2.version, sizeof(c2.version), "1.1.1"));
  EXPECT_TRUE(PaddedText(c2.sdkVersion, sizeof(c2.sdkVersion), "VST 3.5.2"));
  EXPECT_EQ(f2->getClassInfo2(1, &c2), kInvalidArgument);

  FUnknownPtr<IPluginFactory3> f3(f);
  ASSERT_TRUE(f3);
  PClassInfoW cw;
  ASSERT_EQ(f3->getClassInfoUnicode(0, &cw), kResultOk);
  EXPECT_EQ(toAscii(cw.name), "ZentikQX40");
  EXPECT_EQ(toAscii(cw.sdkVersion), "VST 3.5.2");
  EXPECT_EQ(toAscii(cw.version), "1.1.1");
  EXPECT_EQ(std::memcmp(cw.cid, kZentikQX40ClassID, 16), 0);
}

TEST(Vst3Plugin, OneSharedCountedFactory)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  using GetFactoryFunc = IPluginFactory* (PLUGIN_API*)();
  auto getFactory = reinterpret_cast<GetFactoryFunc>(
      reinterpret_cast<void (*)()>(module->entry("GetPluginFactory")));
  IPluginFactory* again = getFactory();
  EXPECT_EQ(again, module->factory());
  // The module's reference, this one, and the one added now.
  EXPECT_EQ(again->addRef(), 3u);
  EXPECT_EQ(again->release(), 2u);
  EXPECT_EQ(again->release(), 1u);

  // The class id creates an audio processor that is also its controller.
  void* obj = nullptr;
  ASSERT_EQ(again->createInstance(reinterpret_cast<FIDString>(kZentikQX40ClassID),
                                  reinterpret_cast<FIDString>(IAudioProcessor::iid.toTUID()), &obj),
            kResultOk);
  auto* processor = static_cast<IAudioProcessor*>(obj);
  IEditController* controller = nullptr;
  EXPECT_EQ(processor->queryInterface(IEditController::iid, reinterpret_cast<void**>(&controller)),
            kResultOk);
  ASSERT_NE(controller, nullptr);
  controller->release();
  EXPECT_EQ(processor->release(), 0u);
}

TEST(Vst3Plugin, InstancesCreatedFromManyThreadsAtOnce)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  std::vector<std::thread> threads;
  std::atomic<int> created {0};
  for (int t = 0; t < 6; ++t)
    threads.emplace_back([&]() {
      for (int i = 0; i < 4; ++i)
      {
        std::string error;
        if (PluginInstance::create(module->factory(), reinterpret_cast<const int8*>(kZentikQX40ClassID), error))
          ++created;
      }
    });
  for (auto& t : threads)
    t.join();
  EXPECT_EQ(created.load(), 24);
}

TEST(Vst3Plugin, DeclaredBusesAndParameters)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  Instance x(*module);
  ASSERT_TRUE(x.plug);
  IComponent* c = x.plug->component;
  IEditController* e = x.plug->controller;

  ASSERT_EQ(c->getBusCount(kAudio, kInput), 1);
  ASSERT_EQ(c->getBusCount(kAudio, kOutput), 1);
  EXPECT_EQ(c->getBusCount(kEvent, kInput), 0);
  EXPECT_EQ(c->getBusCount(kEvent, kOutput), 0);
  BusInfo bi;
  ASSERT_EQ(c->getBusInfo(kAudio, kInput, 0, bi), kResultOk);
  EXPECT_EQ(toAscii(bi.name), "Main Input");
  EXPECT_EQ(bi.channelCount, 2);
  EXPECT_EQ(bi.busType, kMain);
  EXPECT_EQ(bi.flags, uint32(BusInfo::kDefaultActive));
  ASSERT_EQ(c->getBusInfo(kAudio, kOutput, 0, bi), kResultOk);
  EXPECT_EQ(toAscii(bi.name), "Output");
  EXPECT_EQ(bi.channelCount, 2);
  SpeakerArrangement arr = 0;
  ASSERT_EQ(x.plug->processor->getBusArrangement(kInput, 0, arr), kResultOk);
  EXPECT_EQ(arr, SpeakerArrangement(0x3));

  struct Expected
  {
    ParamID id;
    const char* title;
    int32 steps;
    int32 flags;
    double defaultNormalized;
  };
  const Expected table[] = {
    {kPreset, "Preset", 1, 0x8000, 0.0},
    {kBypass, "Bypass", 1, 0x10009, 0.0},
    {0, "Bypass", 1, 9, 0.0},
    {1, "Dist. Amount", 0, 1, 0.0},
    {2, "Tone", 0, 1, 0.5},                 // 25 of 100 through the shape 2
    {3, "Level", 0, 1, 0.5},
    {4, "Analog Saturation", 1, 9, 1.0},
    {5, "Analog Hiss", 1, 9, 1.0},
    {6, "Ultra Mode", 1, 9, 0.0},
    {7, "Dry/Wet", 0, 1, 1.0},
  };
  ASSERT_EQ(e->getParameterCount(), 10);
  for (int32 i = 0; i < 10; ++i)
  {
    ParameterInfo pi;
    ASSERT_EQ(e->getParameterInfo(i, pi), kResultOk);
    const Expected& want = table[i];
    EXPECT_EQ(pi.id, want.id) << i;
    EXPECT_EQ(toAscii(pi.title), want.title) << i;
    EXPECT_EQ(toAscii(pi.units), "") << i;
    EXPECT_EQ(pi.stepCount, want.steps) << i;
    EXPECT_EQ(pi.flags, want.flags) << i;
    EXPECT_EQ(pi.unitId, 0) << i;
    EXPECT_NEAR(pi.defaultNormalizedValue, want.defaultNormalized, 1e-12) << i;
    // Before any change the values are the defaults.
    if (want.id < 8)
      EXPECT_NEAR(e->getParamNormalized(want.id), want.defaultNormalized, 1e-12) << i;
  }

  // A host resetting every parameter to its declared default gets the
  // plug-in's defaults back (Tone 25, not 6.25).
  for (int32 i = 2; i < 10; ++i)
  {
    ParameterInfo pi;
    ASSERT_EQ(e->getParameterInfo(i, pi), kResultOk);
    e->setParamNormalized(pi.id, pi.defaultNormalizedValue);
  }
  std::vector<uint8_t> state;
  ASSERT_EQ(x.plug->getState(state), kResultOk);
  ASSERT_EQ(state.size(), 68u);
  const double defaults[8] = {0.0, 0.0, 25.0, 25.0, 1.0, 1.0, 0.0, 100.0};
  for (int i = 0; i < 8; ++i)
  {
    double v;
    std::memcpy(&v, &state[8 * i], 8);
    EXPECT_NEAR(v, defaults[i], 1e-9) << i;
  }

  String128 s;
  struct Text { ParamID id; double v; const char* text; };
  for (Text t : {Text {0, 1.0, "on"}, Text {4, 0.0, "off"}, Text {2, 0.5, "25.0"},
                 Text {7, 1.0, "100.0"}, Text {1, 0.1, "1.0"}})
  {
    ASSERT_EQ(e->getParamStringByValue(t.id, t.v, s), kResultOk);
    EXPECT_EQ(toAscii(s), t.text) << t.id;
  }
  EXPECT_EQ(e->getParamStringByValue(kBypass, 1.0, s), kResultFalse);
  EXPECT_NEAR(e->plainParamToNormalized(2, 25.0), 0.5, 1e-12);

  IUnitInfo* u = nullptr;
  ASSERT_EQ(c->queryInterface(IUnitInfo::iid, reinterpret_cast<void**>(&u)), kResultOk);
  EXPECT_EQ(u->getUnitCount(), 1);
  UnitInfo ui;
  EXPECT_EQ(u->getUnitInfo(1, ui), kResultFalse);
  ProgramListInfo pl;
  ASSERT_EQ(u->getProgramListInfo(0, pl), kResultOk);
  EXPECT_EQ(pl.programCount, 1);
  ASSERT_EQ(u->getProgramName(kPreset, 0, s), kResultOk);
  EXPECT_EQ(toAscii(s), "-");
  u->release();

  IMidiMapping* m = nullptr;
  ASSERT_EQ(c->queryInterface(IMidiMapping::iid, reinterpret_cast<void**>(&m)), kResultOk);
  ParamID id = 0;
  EXPECT_EQ(m->getMidiControllerAssignment(0, 0, 1, id), kResultFalse);
  m->release();
  EXPECT_EQ(x.plug->processor->getLatencySamples(), 0u);
  EXPECT_EQ(x.plug->processor->getTailSamples(), 0u);
}

TEST(Vst3Plugin, AutomationReachesTheSound)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  struct Case { double rate; int32 size; double tolerance; int channels; };
  for (Case k : {Case {44100.0, kSample64, 1e-9, 2}, Case {44100.0, kSample32, 1e-6, 2},
                 Case {96000.0, kSample64, 1e-9, 2}, Case {96000.0, kSample32, 1e-6, 2},
                 Case {48000.0, kSample32, 1e-6, 1}})
  {
    SCOPED_TRACE(::testing::Message() << k.rate << " Hz, " << (k.size == kSample32 ? 32 : 64)
                                      << "-bit, " << k.channels << " channel(s)");
    const Buffers in = makeGuitarSignal(k.rate, 2.0, k.channels);
    const std::vector<Change> script = automation(k.rate);
    Instance x(*module, k.channels == 1 ? SpeakerArr::kMono : SpeakerArr::kStereo);
    ASSERT_TRUE(x.plug);
    const Buffers got = renderThroughLibrary(*x.plug, k.rate, k.size, in, script);
    const Buffers expected =
        k.size == kSample32 ? toFloatPrecision(renderThroughEffect(k.rate, toFloatPrecision(in), script))
                            : renderThroughEffect(k.rate, in, script);
    size_t where = 0;
    EXPECT_LE(maxDifference(got, expected, where), k.tolerance) << "at frame " << where;
    // Distorted, not silent, and not the input.
    EXPECT_GT(peak(got), 0.05);
    size_t unused = 0;
    EXPECT_GT(maxDifference(got, in, unused), 0.05);
  }
}

TEST(Vst3Plugin, HostBypassAndProgramParameter)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  Instance x(*module);
  ASSERT_TRUE(x.plug);
  ASSERT_EQ(x.plug->setup(44100.0, 256, kSample64), kResultOk);
  ASSERT_EQ(x.plug->start(), kResultOk);
  const Buffers in = makeGuitarSignal(44100.0, 0.1, 2);
  Buffers out(2, std::vector<double>(256));
  ParameterChanges changes;
  QuietStdout quiet;

  changes.add(kBypass, 0, 0.8);
  ASSERT_EQ(x.plug->processBlock(in, 1000, out, 0, 256, &changes), kResultOk);
  EXPECT_EQ(x.plug->controller->getParamNormalized(kBypass), 1.0);
  for (size_t i = 0; i < 256; ++i)
    ASSERT_EQ(out[0][i], in[0][1000 + i]) << i;
  changes.clear();
  changes.add(kBypass, 0, 0.5);
  ASSERT_EQ(x.plug->processBlock(in, 1256, out, 0, 256, &changes), kResultOk);
  EXPECT_EQ(x.plug->controller->getParamNormalized(kBypass), 0.0);
  EXPECT_NE(out[0][100], in[0][1356]);

  // The single preset holds the defaults: 0.99 restores it, 1.0 asks for a
  // preset that does not exist.
  changes.clear();
  changes.add(ZentikQX40::kTone, 0, 0.9);
  changes.add(kPreset, 0, 1.0);
  x.plug->processBlock(in, 0, out, 0, 256, &changes);
  EXPECT_NEAR(x.plug->controller->getParamNormalized(ZentikQX40::kTone), 0.9, 1e-12);
  changes.clear();
  changes.add(kPreset, 0, 0.99);
  x.plug->processBlock(in, 0, out, 0, 256, &changes);
  EXPECT_NEAR(x.plug->controller->getParamNormalized(ZentikQX40::kTone), 0.5, 1e-12);
}

// Hosts set the bypass on the controller and send the same change to process;
// the controller keeps what the host set, the sound follows process.
TEST(Vst3Plugin, BypassParameterKeepsWhatTheHostSets)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  Instance x(*module);
  ASSERT_TRUE(x.plug);
  IEditController* e = x.plug->controller;
  ASSERT_EQ(x.plug->setup(44100.0, 256, kSample32), kResultOk);
  ASSERT_EQ(x.plug->start(), kResultOk);
  const Buffers in = makeGuitarSignal(44100.0, 0.1, 2);
  Buffers out(2, std::vector<double>(256));
  ParameterChanges changes;
  QuietStdout quiet;

  EXPECT_EQ(e->setParamNormalized(kBypass, 1.0), kResultOk);
  EXPECT_EQ(e->getParamNormalized(kBypass), 1.0);
  ASSERT_EQ(x.plug->processBlock(in, 1000, out, 0, 256), kResultOk);
  EXPECT_NE(out[0][100], float(in[0][1100]));
  EXPECT_EQ(e->getParamNormalized(kBypass), 1.0);

  changes.add(kBypass, 0, 1.0);
  ASSERT_EQ(x.plug->processBlock(in, 1256, out, 0, 256, &changes), kResultOk);
  for (size_t i = 0; i < 256; ++i)
    ASSERT_EQ(out[0][i], double(float(in[0][1256 + i]))) << i;
  EXPECT_EQ(e->getParamNormalized(kBypass), 1.0);

  std::vector<uint8_t> state;
  ASSERT_EQ(x.plug->getState(state, true), kResultOk);
  ASSERT_EQ(state.size(), 68u);
  EXPECT_EQ(std::vector<uint8_t>(state.begin() + 64, state.end()), (std::vector<uint8_t> {1, 0, 0, 0}));
  {
    Instance y(*module);
    ASSERT_TRUE(y.plug);
    EXPECT_EQ(y.plug->controller->getParamNormalized(kBypass), 0.0);
    ASSERT_EQ(y.plug->setState(state, true), kResultOk);
    EXPECT_EQ(y.plug->controller->getParamNormalized(kBypass), 1.0);
  }

  // Off again, the same way round.
  EXPECT_EQ(e->setParamNormalized(kBypass, 0.0), kResultOk);
  EXPECT_EQ(e->getParamNormalized(kBypass), 0.0);
  changes.clear();
  changes.add(kBypass, 0, 0.0);
  ASSERT_EQ(x.plug->processBlock(in, 1512, out, 0, 256, &changes), kResultOk);
  EXPECT_NE(out[0][100], double(float(in[0][1612])));
  EXPECT_EQ(e->getParamNormalized(kBypass), 0.0);
  ASSERT_EQ(x.plug->getState(state, true), kResultOk);
  EXPECT_EQ(state[64], 0);
}

TEST(Vst3Plugin, StateIs68BytesAndRoundTrips)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  const Buffers in = makeGuitarSignal(44100.0, 0.5, 2);
  std::vector<Change> script = {
    {0, ZentikQX40::kHiss, 0.0}, {0, ZentikQX40::kDistAmount, 0.7}, {0, ZentikQX40::kTone, 0.3},
    {0, ZentikQX40::kUltra, 1.0}, {0, ZentikQX40::kDryWet, 0.6}, {0, kBypass, 1.0},
  };
  std::vector<uint8_t> state, viaController;
  Buffers first;
  {
    Instance x(*module);
    ASSERT_TRUE(x.plug);
    renderThroughLibrary(*x.plug, 44100.0, kSample64, in, script);
    ASSERT_EQ(x.plug->getState(state), kResultOk);
    ASSERT_EQ(x.plug->getState(viaController, true), kResultOk);
  }
  ASSERT_EQ(state.size(), 68u);
  EXPECT_EQ(state, viaController);
  double values[8];
  std::memcpy(values, state.data(), 64);
  EXPECT_EQ(values[ZentikQX40::kBypass], 0.0);
  EXPECT_NEAR(values[ZentikQX40::kDistAmount], 49.0, 1e-9);   // 100 x 0.7^2
  EXPECT_NEAR(values[ZentikQX40::kTone], 9.0, 1e-9);
  EXPECT_EQ(values[ZentikQX40::kLevel], 25.0);
  EXPECT_EQ(values[ZentikQX40::kSaturation], 1.0);
  EXPECT_EQ(values[ZentikQX40::kHiss], 0.0);
  EXPECT_EQ(values[ZentikQX40::kUltra], 1.0);
  EXPECT_NEAR(values[ZentikQX40::kDryWet], 60.0, 1e-9);
  EXPECT_EQ(std::vector<uint8_t>(state.begin() + 64, state.end()), (std::vector<uint8_t> {1, 0, 0, 0}));

  // A fresh instance takes the state through either interface, and then
  // sounds as the saved one did (bypass off again for the comparison).
  for (bool controllerSide : {false, true})
  {
    Instance y(*module);
    ASSERT_TRUE(y.plug);
    ASSERT_EQ(y.plug->setState(state, controllerSide), kResultOk);
    EXPECT_EQ(y.plug->controller->getParamNormalized(kBypass), 1.0);
    EXPECT_NEAR(y.plug->controller->getParamNormalized(ZentikQX40::kTone), 0.3, 1e-12);
    std::vector<uint8_t> back;
    ASSERT_EQ(y.plug->getState(back, !controllerSide), kResultOk);
    EXPECT_EQ(back, state);
  }

  // Cut short: the values delivered are taken, the failure is reported.
  Instance z(*module);
  ASSERT_TRUE(z.plug);
  EXPECT_EQ(z.plug->setState(std::vector<uint8_t>(state.begin(), state.begin() + 40)), kResultFalse);
  EXPECT_NEAR(z.plug->controller->getParamNormalized(ZentikQX40::kTone), 0.3, 1e-12);
  EXPECT_EQ(z.plug->controller->getParamNormalized(ZentikQX40::kUltra), 0.0);   // parameter 6 kept
  EXPECT_EQ(z.plug->controller->getParamNormalized(kBypass), 0.0);
  EXPECT_EQ(z.plug->setState(std::vector<uint8_t>(state.begin(), state.begin() + 64)), kResultFalse);
  EXPECT_EQ(z.plug->controller->getParamNormalized(kBypass), 0.0);
}

TEST(Vst3Plugin, ReloadedLibraryRestoresASavedState)
{
  const Buffers in = makeGuitarSignal(48000.0, 1.0, 2);
  const std::vector<Change> settings = {
    {0, ZentikQX40::kHiss, 0.0}, {0, ZentikQX40::kDistAmount, 0.8}, {0, ZentikQX40::kTone, 0.65},
    {0, ZentikQX40::kLevel, 0.4}, {0, ZentikQX40::kUltra, 1.0}, {0, ZentikQX40::kDryWet, 0.85},
  };
  std::vector<uint8_t> state;
  {
    auto module = loadPlugin();
    ASSERT_TRUE(module);
    Instance x(*module);
    ASSERT_TRUE(x.plug);
    renderThroughLibrary(*x.plug, 48000.0, kSample64, in, settings);
    ASSERT_EQ(x.plug->getState(state), kResultOk);
  }
  // The library is unloaded here (module and instance gone) and loaded anew.
  ASSERT_EQ(GetModuleHandleA("ZentikQX40.vst3"), nullptr);
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  Instance y(*module);
  ASSERT_TRUE(y.plug);
  ASSERT_EQ(y.plug->setState(state), kResultOk);
  for (const Change& c : settings)
    EXPECT_NEAR(y.plug->controller->getParamNormalized(c.id), c.value, 1e-12) << c.id;

  // The restored instance renders what the effect renders from that state.
  const Buffers got = renderThroughLibrary(*y.plug, 48000.0, kSample64, in, {});
  const Buffers expected = renderThroughEffect(48000.0, in, {}, &state);
  size_t where = 0;
  EXPECT_LE(maxDifference(got, expected, where), 1e-9) << "at frame " << where;
}

TEST(Vst3Plugin, LongBlocksAndTheHostsInputs)
{
  auto module = loadPlugin();
  ASSERT_TRUE(module);
  const Buffers in = makeGuitarSignal(44100.0, 0.2, 2);
  const std::vector<Change> hissOff = {{0, ZentikQX40::kHiss, 0.0}, {0, ZentikQX40::kDistAmount, 0.6}};
  for (int32 size : {kSample64, kSample32})
  {
    // Blocks four times longer than announced sound as the announced ones.
    Instance a(*module), b(*module);
    ASSERT_TRUE(a.plug && b.plug);
    const Buffers normal = renderThroughLibrary(*a.plug, 44100.0, size, in, hissOff);
    ASSERT_EQ(b.plug->setup(44100.0, 128, size), kResultOk);
    ASSERT_EQ(b.plug->start(), kResultOk);
    Buffers longOut(2, std::vector<double>(in[0].size()));
    ParameterChanges changes;
    for (const Change& c : hissOff)
      changes.add(c.id, 0, c.value);
    QuietStdout quiet;
    size_t pos = 0;
    while (pos < in[0].size())
    {
      const int32 n = static_cast<int32>(std::min<size_t>(512, in[0].size() - pos));
      ASSERT_EQ(b.plug->processBlock(in, pos, longOut, pos, n, pos ? nullptr : &changes), kResultOk);
      EXPECT_TRUE(b.plug->guardsIntact);
      pos += static_cast<size_t>(n);
    }
    size_t where = 0;
    EXPECT_EQ(maxDifference(normal, longOut, where), 0.0) << "at frame " << where;
  }
}
