// zq_golden OUTPUT: renders the golden cases through the plug-in and writes
// them in the layout of tests/support/GoldenCases.h. Run from the native
// build when the sound is meant to change:
//   build/native/tools/golden/zq_golden tests/plugin/golden_output.bin

#include <cstdint>
#include <cstdio>
#include <vector>

#include "tests/support/GoldenCases.h"

namespace
{

bool WriteInt(std::FILE* f, int32_t v)
{
  unsigned char b[4];
  for (int i = 0; i < 4; ++i)
    b[i] = static_cast<unsigned char>(static_cast<uint32_t>(v) >> (8 * i));
  return std::fwrite(b, 1, 4, f) == 4;
}

bool WriteDoubles(std::FILE* f, const std::vector<double>& v)
{
  for (double d : v)
  {
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    unsigned char b[8];
    for (int i = 0; i < 8; ++i)
      b[i] = static_cast<unsigned char>(bits >> (8 * i));
    if (std::fwrite(b, 1, 8, f) != 8)
      return false;
  }
  return true;
}

} // namespace

int main(int argc, char** argv)
{
  if (argc != 2)
  {
    std::fprintf(stderr, "usage: zq_golden OUTPUT\n");
    return 2;
  }
  const std::vector<golden::Case> cases = golden::Cases();
  std::FILE* f = std::fopen(argv[1], "wb");
  if (!f)
  {
    std::fprintf(stderr, "zq_golden: cannot write '%s'\n", argv[1]);
    return 1;
  }
  bool ok = std::fwrite(golden::kMagic, 1, 8, f) == 8 && WriteInt(f, static_cast<int32_t>(cases.size())) &&
            WriteInt(f, golden::kFrames);
  for (const golden::Case& c : cases)
  {
    std::vector<double> left, right;
    if (!golden::Render(c, left, right))
    {
      std::fprintf(stderr, "zq_golden: the plug-in refused case '%s'\n", c.name);
      ok = false;
      break;
    }
    ok = ok && WriteDoubles(f, left) && WriteDoubles(f, right);
  }
  ok = (std::fclose(f) == 0) && ok;
  if (!ok)
  {
    std::fprintf(stderr, "zq_golden: writing '%s' failed\n", argv[1]);
    return 1;
  }
  std::printf("wrote %d cases of %d stereo frames to %s\n", static_cast<int>(cases.size()), golden::kFrames, argv[1]);
  return 0;
}
