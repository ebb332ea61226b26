// zq_render: renders a WAV file through ZentikQX40 offline, at the file's
// sample rate, in host-sized blocks, and writes a 32-bit float WAV.
//
//   zq_render [--block N] [--set PARAM=VALUE]... INPUT.wav OUTPUT.wav
//   zq_render --list
//
// PARAM is a parameter's name ("Dist. Amount", any letter case) or index;
// VALUE is a plain value in the parameter's range ("on"/"off" for switches).
// Exit status: 0 rendered, 1 file error, 2 usage error.

#include <sndfile.h>
#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "effect/ZentikQX40.h"

namespace
{

constexpr int kExitFileError = 1;
constexpr int kExitUsage = 2;
constexpr int kDefaultBlock = 512;
constexpr int kMaxBlock = 65536;

void Error(const char* format, ...)
{
  std::fputs("zq_render: ", stderr);
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::fputc('\n', stderr);
}

void PrintUsage(std::FILE* to)
{
  std::fprintf(to,
               "usage: zq_render [--block N] [--set PARAM=VALUE]... INPUT.wav OUTPUT.wav\n"
               "       zq_render --list\n"
               "  INPUT.wav   16/24-bit PCM or 32-bit float WAV, mono or stereo\n"
               "  OUTPUT.wav  written as 32-bit float WAV, same rate and channels\n"
               "  --block N   host block size in frames, 1 to %d (default %d)\n"
               "  --set P=V   parameter P (name or index) to plain value V; repeatable\n"
               "  --list      print the parameters and their ranges\n",
               kMaxBlock, kDefaultBlock);
}

std::string Trim(const std::string& s)
{
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
    ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
    --e;
  return s.substr(b, e - b);
}

bool EqualsIgnoreCase(const std::string& a, const char* b)
{
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return i == a.size() && !b[i];
}

// A whole decimal integer, nothing else.
bool ParseInt(const std::string& text, long& value)
{
  if (text.empty())
    return false;
  for (char ch : text)
    if (!std::isdigit(static_cast<unsigned char>(ch)))
      return false;
  errno = 0;
  char* end = nullptr;
  value = std::strtol(text.c_str(), &end, 10);
  return errno == 0 && end && *end == 0;
}

// Index of a parameter by index text, exact name, or name in any letter case.
int FindParam(const IPlugBase& plug, const std::string& key)
{
  long index;
  if (ParseInt(key, index))
    return (index < plug.NParams()) ? static_cast<int>(index) : -1;
  for (int i = 0; i < plug.NParams(); ++i)
    if (key == plug.GetParam(i)->GetNameForHost())
      return i;
  for (int i = 0; i < plug.NParams(); ++i)
    if (EqualsIgnoreCase(key, plug.GetParam(i)->GetNameForHost()))
      return i;
  return -1;
}

// A number, or one of the parameter's display texts ("on", "off").
bool ParseValue(const IParamRecord& param, const std::string& text, double& value)
{
  if (param.GetDisplayTextCount() > 0 && param.GetMax() - param.GetMin() <= 1000.0)
  {
    for (int key = static_cast<int>(std::ceil(param.GetMin())); key <= static_cast<int>(param.GetMax()); ++key)
    {
      const char* name = param.GetDisplayTextForValue(key);
      if (*name && EqualsIgnoreCase(text, name))
      {
        value = key;
        return true;
      }
    }
  }
  if (text.empty())
    return false;
  errno = 0;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return errno == 0 && end && *end == 0 && std::isfinite(value);
}

struct Setting
{
  int param;
  double value;
};

// Resolves one "PARAM=VALUE" argument; reports and returns false when it is not usable.
bool ResolveSetting(const IPlugBase& plug, const std::string& arg, Setting& setting)
{
  const size_t eq = arg.find('=');
  if (eq == std::string::npos)
  {
    Error("--set '%s': expected PARAM=VALUE", arg.c_str());
    return false;
  }
  const std::string key = Trim(arg.substr(0, eq));
  const std::string text = Trim(arg.substr(eq + 1));
  setting.param = FindParam(plug, key);
  if (setting.param < 0)
  {
    Error("unknown parameter '%s' (zq_render --list shows them)", key.c_str());
    return false;
  }
  const IParamRecord& param = *plug.GetParam(setting.param);
  if (!ParseValue(param, text, setting.value))
  {
    Error("'%s' is not a value for \"%s\"", text.c_str(), param.GetNameForHost());
    return false;
  }
  if (setting.value < param.GetMin() || setting.value > param.GetMax())
  {
    Error("value %g out of range for \"%s\" (%g to %g)", setting.value, param.GetNameForHost(), param.GetMin(),
          param.GetMax());
    return false;
  }
  return true;
}

void ListParams(const IPlugBase& plug)
{
  for (int i = 0; i < plug.NParams(); ++i)
  {
    const IParamRecord& p = *plug.GetParam(i);
    char def[64];
    p.FormatValue(p.GetDefault(), false, def, sizeof def, true);
    if (p.Kind() == IParamRecord::kBool)
      std::printf("%d  %-18s off/on (0 to 1), default %s\n", i, p.GetNameForHost(), def);
    else
      std::printf("%d  %-18s %g to %g, default %s\n", i, p.GetNameForHost(), p.GetMin(), p.GetMax(), def);
  }
}

bool SameFile(const char* a, const char* b)
{
  struct stat sa, sb;
  return stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

const char* CheckInputFormat(const SF_INFO& info)
{
  const int major = info.format & SF_FORMAT_TYPEMASK;
  if (major != SF_FORMAT_WAV && major != SF_FORMAT_WAVEX)
    return "not a WAV file";
  switch (info.format & SF_FORMAT_SUBMASK)
  {
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_FLOAT:
      break;
    default:
      return "unsupported sample format (16-bit PCM, 24-bit PCM or 32-bit float only)";
  }
  if (info.channels != 1 && info.channels != 2)
    return "unsupported channel count (mono or stereo only)";
  if (info.samplerate < 1)
    return "invalid sample rate";
  return nullptr;
}

struct Options
{
  std::string input;
  std::string output;
  int block = kDefaultBlock;
  std::vector<std::string> sets;
  bool list = false;
};

// 0 when the options are complete, else the exit status.
int ParseOptions(int argc, char** argv, Options& opt)
{
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i)
  {
    const std::string arg = argv[i];
    if (arg == "-h" || arg == "--help")
    {
      PrintUsage(stdout);
      return -1;
    }
    if (arg == "--list")
    {
      opt.list = true;
    }
    else if (arg == "--set" || arg == "--block")
    {
      if (i + 1 >= argc)
      {
        Error("%s needs a value", arg.c_str());
        return kExitUsage;
      }
      const std::string value = argv[++i];
      if (arg == "--set")
      {
        opt.sets.push_back(value);
        continue;
      }
      long block;
      if (!ParseInt(Trim(value), block) || block < 1 || block > kMaxBlock)
      {
        Error("--block '%s': expected a whole number of frames from 1 to %d", value.c_str(), kMaxBlock);
        return kExitUsage;
      }
      opt.block = static_cast<int>(block);
    }
    else if (arg.size() > 1 && arg[0] == '-')
    {
      Error("unknown option '%s'", arg.c_str());
      PrintUsage(stderr);
      return kExitUsage;
    }
    else
    {
      files.push_back(arg);
    }
  }
  if (opt.list)
    return 0;
  if (files.size() != 2)
  {
    Error(files.size() < 2 ? "an input and an output file are needed" : "too many file arguments");
    PrintUsage(stderr);
    return kExitUsage;
  }
  opt.input = files[0];
  opt.output = files[1];
  return 0;
}

// Streams the input through the plug-in into the output, one host block at a time.
int Render(ZentikQX40& plug, SNDFILE* in, SNDFILE* out, int channels, int block, sf_count_t& frames)
{
  const size_t n = static_cast<size_t>(block);
  std::vector<double> interleaved(n * static_cast<size_t>(channels));
  std::vector<double> inputs[2] = {std::vector<double>(n), std::vector<double>(n)};
  std::vector<double> outputs[2] = {std::vector<double>(n), std::vector<double>(n)};
  double* inPtr[2] = {inputs[0].data(), inputs[1].data()};
  double* outPtr[2] = {outputs[0].data(), outputs[1].data()};

  frames = 0;
  for (;;)
  {
    const sf_count_t got = sf_readf_double(in, interleaved.data(), block);
    if (got <= 0)
      break;
    for (sf_count_t f = 0; f < got; ++f)
      for (int c = 0; c < channels; ++c)
        inputs[c][static_cast<size_t>(f)] = interleaved[static_cast<size_t>(f) * channels + c];
    if (!plug.ProcessDouble(inPtr, channels, outPtr, channels, static_cast<int>(got)))
    {
      Error("the plug-in does not take %d channel(s)", channels);
      return kExitFileError;
    }
    for (sf_count_t f = 0; f < got; ++f)
      for (int c = 0; c < channels; ++c)
        interleaved[static_cast<size_t>(f) * channels + c] = outputs[c][static_cast<size_t>(f)];
    if (sf_writef_double(out, interleaved.data(), got) != got)
    {
      Error("writing the output failed: %s", sf_strerror(out));
      return kExitFileError;
    }
    frames += got;
  }
  if (sf_error(in) != SF_ERR_NO_ERROR)
  {
    Error("reading the input failed: %s", sf_strerror(in));
    return kExitFileError;
  }
  return 0;
}

} // namespace

int main(int argc, char** argv)
{
  Options opt;
  const int parsed = ParseOptions(argc, argv, opt);
  if (parsed != 0)
    return parsed < 0 ? 0 : parsed;

  ZentikQX40 plug(nullptr);
  plug.Initialize("zq_render");
  if (opt.list)
  {
    ListParams(plug);
    return 0;
  }

  // Every setting is checked before any file is touched.
  std::vector<Setting> settings;
  for (const std::string& arg : opt.sets)
  {
    Setting s;
    if (!ResolveSetting(plug, arg, s))
      return kExitUsage;
    settings.push_back(s);
  }
  if (SameFile(opt.input.c_str(), opt.output.c_str()))
  {
    Error("the output would overwrite the input '%s'", opt.input.c_str());
    return kExitUsage;
  }

  SF_INFO inInfo = {};
  SNDFILE* in = sf_open(opt.input.c_str(), SFM_READ, &inInfo);
  if (!in)
  {
    Error("cannot open '%s': %s", opt.input.c_str(), sf_strerror(nullptr));
    return kExitFileError;
  }
  if (const char* problem = CheckInputFormat(inInfo))
  {
    Error("'%s': %s", opt.input.c_str(), problem);
    sf_close(in);
    return kExitFileError;
  }

  SF_INFO outInfo = {};
  outInfo.samplerate = inInfo.samplerate;
  outInfo.channels = inInfo.channels;
  outInfo.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  SNDFILE* out = sf_open(opt.output.c_str(), SFM_WRITE, &outInfo);
  if (!out)
  {
    Error("cannot write '%s': %s", opt.output.c_str(), sf_strerror(nullptr));
    sf_close(in);
    return kExitFileError;
  }

  plug.SetupProcessing(inInfo.samplerate, opt.block);
  for (const Setting& s : settings)
    plug.SetParameterValue(s.param, s.value);

  sf_count_t frames = 0;
  int status = Render(plug, in, out, inInfo.channels, opt.block, frames);
  sf_close(in);
  if (sf_close(out) != 0 && status == 0)
  {
    Error("finishing '%s' failed", opt.output.c_str());
    status = kExitFileError;
  }
  if (status != 0)
  {
    // No half-written result is left behind.
    std::remove(opt.output.c_str());
    return status;
  }

  std::printf("rendered %lld frames, %d channel(s) at %d Hz (oversampling x%d) to %s\n",
              static_cast<long long>(frames), inInfo.channels, inInfo.samplerate,
              ZentikQX40::OversamplingForRate(inInfo.samplerate), opt.output.c_str());
  return 0;
}
