// zq_render from the command line: real files in, real files out.

#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "effect/ZentikQX40.h"
#include "tests/effect/TestSignal.h"

namespace
{

std::string Quote(const std::string& s)
{
  std::string q = "'";
  for (char c : s)
    q += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

bool Exists(const std::string& path)
{
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

struct Wav
{
  SF_INFO info = {};
  std::vector<double> samples;   // interleaved
};

bool ReadWav(const std::string& path, Wav& wav)
{
  wav.info = SF_INFO();
  SNDFILE* f = sf_open(path.c_str(), SFM_READ, &wav.info);
  if (!f)
    return false;
  wav.samples.assign(static_cast<size_t>(wav.info.frames * wav.info.channels), 0.0);
  const sf_count_t got = sf_readf_double(f, wav.samples.data(), wav.info.frames);
  sf_close(f);
  return got == wav.info.frames;
}

class Renderer : public ::testing::Test
{
protected:
  void SetUp() override
  {
    dir = std::string("renderer_tmp_") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    for (char& c : dir)
      if (c == '/')
        c = '_';
    std::system(("rm -rf " + Quote(dir) + " && mkdir -p " + Quote(dir)).c_str());
  }
  void TearDown() override { std::system(("rm -rf " + Quote(dir)).c_str()); }

  std::string Path(const std::string& name) const { return dir + "/" + name; }

  // Writes `frames` frames of a reproducible signal; returns the path.
  std::string WriteInput(const std::string& name, int format, int channels, int rate, int frames)
  {
    const std::string path = Path(name);
    SF_INFO info = {};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    EXPECT_NE(f, nullptr) << sf_strerror(nullptr);
    if (!f)
      return path;
    const std::vector<double> signal = TestSignal(frames * channels, 7, 0.7);
    if (frames > 0)
      sf_writef_double(f, signal.data(), frames);
    sf_close(f);
    return path;
  }

  // Runs zq_render; its standard output and error end up in `output`.
  int Run(const std::vector<std::string>& args, std::string& output)
  {
    std::string cmd = Quote(ZQ_RENDER_EXE);
    for (const std::string& a : args)
      cmd += " " + Quote(a);
    cmd += " 2>&1";
    output.clear();
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
      return -1;
    char buf[512];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
      output.append(buf, n);
    const int status = pclose(p);
    // A signal (a crash) is never an acceptable ending.
    EXPECT_TRUE(WIFEXITED(status)) << cmd << "\n" << output;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string dir;
};

// The same render in-process, through the headless plug-in.
std::vector<double> RenderInProcess(const Wav& in, int block, const std::vector<std::pair<int, double>>& settings)
{
  const int ch = in.info.channels;
  ZentikQX40 plug(nullptr);
  plug.Initialize();
  plug.SetupProcessing(in.info.samplerate, block);
  for (const auto& s : settings)
    plug.SetParameterValue(s.first, s.second);
  std::vector<double> out(in.samples.size());
  std::vector<double> planIn[2] = {std::vector<double>(static_cast<size_t>(block)),
                                   std::vector<double>(static_cast<size_t>(block))};
  std::vector<double> planOut[2] = {planIn[0], planIn[1]};
  for (sf_count_t pos = 0; pos < in.info.frames; pos += block)
  {
    const int n = static_cast<int>(std::min<sf_count_t>(block, in.info.frames - pos));
    for (int f = 0; f < n; ++f)
      for (int c = 0; c < ch; ++c)
        planIn[c][static_cast<size_t>(f)] = in.samples[static_cast<size_t>((pos + f) * ch + c)];
    double* i[2] = {planIn[0].data(), planIn[1].data()};
    double* o[2] = {planOut[0].data(), planOut[1].data()};
    EXPECT_TRUE(plug.ProcessDouble(i, ch, o, ch, n));
    for (int f = 0; f < n; ++f)
      for (int c = 0; c < ch; ++c)
        out[static_cast<size_t>((pos + f) * ch + c)] = planOut[c][static_cast<size_t>(f)];
  }
  return out;
}

TEST_F(Renderer, StereoRenderEqualsThePlugInInProcess)
{
  const std::string in = WriteInput("in.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, 3000);
  const std::string out = Path("out.wav");
  std::string log;
  ASSERT_EQ(Run({"--set", "Dist. Amount=60", "--set", "7=80", "--set", "analog hiss = off", "--set",
                 "Ultra Mode=on", in, out},
                log),
            0)
    << log;
  EXPECT_NE(log.find("rendered 3000 frames, 2 channel(s) at 44100 Hz (oversampling x4)"), std::string::npos)
    << log;

  Wav source, result;
  ASSERT_TRUE(ReadWav(in, source));
  ASSERT_TRUE(ReadWav(out, result));
  EXPECT_EQ(result.info.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
  EXPECT_EQ(result.info.samplerate, 44100);
  EXPECT_EQ(result.info.channels, 2);
  ASSERT_EQ(result.info.frames, 3000);

  const std::vector<double> expected = RenderInProcess(
    source, 512,
    {{ZentikQX40::kDistAmount, 60.0}, {ZentikQX40::kDryWet, 80.0}, {ZentikQX40::kHiss, 0.0}, {ZentikQX40::kUltra, 1.0}});
  double peak = 0.0;
  for (size_t i = 0; i < expected.size(); ++i)
  {
    ASSERT_EQ(static_cast<float>(result.samples[i]), static_cast<float>(expected[i])) << i;
    peak = std::max(peak, std::fabs(expected[i]));
  }
  EXPECT_GT(peak, 0.1);
}

TEST_F(Renderer, FormatsRatesAndBlockSizes)
{
  struct Case
  {
    int format, channels, rate, frames;
  };
  const Case cases[] = {
    {SF_FORMAT_WAV | SF_FORMAT_PCM_24, 1, 48000, 1500},
    {SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 96000, 1000},
    {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 192000, 700},
    {SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 2, 44100, 600},
    {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, 0},
  };
  int k = 0;
  for (const Case& c : cases)
  {
    SCOPED_TRACE(k);
    const std::string in = WriteInput("in" + std::to_string(k) + ".wav", c.format, c.channels, c.rate, c.frames);
    Wav outputs[2];
    const char* blocks[2] = {"1", "4096"};
    for (int b = 0; b < 2; ++b)
    {
      const std::string out = Path("out" + std::to_string(k) + "_" + blocks[b] + ".wav");
      std::string log;
      ASSERT_EQ(Run({"--block", blocks[b], "--set", "Analog Hiss=0", "--set", "1=75", in, out}, log), 0) << log;
      ASSERT_TRUE(ReadWav(out, outputs[b]));
      EXPECT_EQ(outputs[b].info.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
      EXPECT_EQ(outputs[b].info.samplerate, c.rate);
      EXPECT_EQ(outputs[b].info.channels, c.channels);
      EXPECT_EQ(outputs[b].info.frames, c.frames);
    }
    // Host block boundaries do not change the sound.
    EXPECT_EQ(outputs[0].samples, outputs[1].samples);
    ++k;
  }
}

TEST_F(Renderer, BadSamplesInAFloatFileDoNotStick)
{
  const int frames = 4000;
  const std::string in = Path("bad.wav");
  {
    SF_INFO info = {};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* f = sf_open(in.c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr) << sf_strerror(nullptr);
    std::vector<double> signal = TestSignal(frames * 2, 3, 0.5);
    signal[100 * 2] = std::nan("");                                   // left
    signal[700 * 2 + 1] = std::numeric_limits<double>::infinity();    // right
    sf_writef_double(f, signal.data(), frames);
    sf_close(f);
  }
  const std::string out = Path("out.wav");
  std::string log;
  ASSERT_EQ(Run({in, out}, log), 0) << log;
  Wav result;
  ASSERT_TRUE(ReadWav(out, result));
  ASSERT_EQ(result.info.frames, frames);
  for (int f = 0; f < frames; ++f)
    for (int c = 0; c < 2; ++c)
      ASSERT_TRUE(std::isfinite(result.samples[static_cast<size_t>(f * 2 + c)])) << "frame " << f << " channel " << c;
}

TEST_F(Renderer, ListsTheParameters)
{
  std::string log;
  ASSERT_EQ(Run({"--list"}, log), 0) << log;
  for (const char* name : {"Bypass", "Dist. Amount", "Tone", "Level", "Analog Saturation", "Analog Hiss", "Ultra Mode",
                           "Dry/Wet"})
    EXPECT_NE(log.find(name), std::string::npos) << name;
  ASSERT_EQ(Run({"--help"}, log), 0) << log;
  EXPECT_NE(log.find("usage:"), std::string::npos);
}

TEST_F(Renderer, ErrorsAreReportedWithoutOutput)
{
  const std::string good = WriteInput("good.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, 100);
  const std::string aiff = WriteInput("in.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 2, 44100, 100);
  const std::string u8 = WriteInput("u8.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1, 44100, 100);
  const std::string pcm32 = WriteInput("pcm32.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_32, 1, 44100, 100);
  const std::string three = WriteInput("three.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 3, 44100, 100);
  const std::string garbage = Path("garbage.wav");
  std::ofstream(garbage) << "this is not a wave file at all, just text\n";
  const std::string truncated = Path("truncated.wav");
  {
    std::ifstream src(good, std::ios::binary);
    std::vector<char> head(20);
    src.read(head.data(), 20);
    std::ofstream(truncated, std::ios::binary).write(head.data(), 20);
  }
  const std::string out = Path("out.wav");

  struct Case
  {
    std::vector<std::string> args;
    int status;
    const char* message;
  };
  const Case cases[] = {
    {{}, 2, "usage:"},
    {{good}, 2, "an input and an output file are needed"},
    {{good, out, "extra"}, 2, "too many file arguments"},
    {{"--frobnicate", good, out}, 2, "unknown option '--frobnicate'"},
    {{Path("missing.wav"), out}, 1, "cannot open"},
    {{garbage, out}, 1, "cannot open"},
    {{truncated, out}, 1, "cannot open"},
    {{aiff, out}, 1, "not a WAV file"},
    {{u8, out}, 1, "unsupported sample format"},
    {{pcm32, out}, 1, "unsupported sample format"},
    {{three, out}, 1, "unsupported channel count"},
    {{good, Path("no/such/dir/out.wav")}, 1, "cannot write"},
    {{good, good}, 2, "would overwrite the input"},
    {{"--set", "Foo=1", good, out}, 2, "unknown parameter 'Foo'"},
    {{"--set", "8=1", good, out}, 2, "unknown parameter '8'"},
    {{"--set", "-1=1", good, out}, 2, "unknown parameter '-1'"},
    {{"--set", "=1", good, out}, 2, "unknown parameter ''"},
    {{"--set", "Dist. Amount=150", good, out}, 2, "value 150 out of range for \"Dist. Amount\" (0 to 100)"},
    {{"--set", "Dry/Wet=-0.5", good, out}, 2, "out of range for \"Dry/Wet\""},
    {{"--set", "Bypass=2", good, out}, 2, "out of range for \"Bypass\""},
    {{"--set", "Tone=abc", good, out}, 2, "'abc' is not a value for \"Tone\""},
    {{"--set", "Tone=nan", good, out}, 2, "is not a value"},
    {{"--set", "Tone=1e999", good, out}, 2, "is not a value"},
    {{"--set", "Tone=", good, out}, 2, "is not a value"},
    {{"--set", "Tone", good, out}, 2, "expected PARAM=VALUE"},
    {{"--set"}, 2, "--set needs a value"},
    {{"--block", "0", good, out}, 2, "--block '0'"},
    {{"--block", "65537", good, out}, 2, "--block '65537'"},
    {{"--block", "12x", good, out}, 2, "--block '12x'"},
    {{"--block", "-4", good, out}, 2, "--block '-4'"},
    {{good, out, "--block"}, 2, "--block needs a value"},
  };
  for (const Case& c : cases)
  {
    std::string joined;
    for (const std::string& a : c.args)
      joined += "[" + a + "] ";
    SCOPED_TRACE(joined);
    std::string log;
    EXPECT_EQ(Run(c.args, log), c.status) << log;
    EXPECT_NE(log.find(c.message), std::string::npos) << log;
    EXPECT_FALSE(Exists(out));
  }
  // The refused overwrite left the input as it was.
  Wav still;
  ASSERT_TRUE(ReadWav(good, still));
  EXPECT_EQ(still.info.frames, 100);
  EXPECT_EQ(still.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
}

} // namespace
