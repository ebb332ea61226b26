// libFuzzer target: the VST3 adapter's setState on the effect, natively in
// process, fed arbitrary bytes as the host's state stream. The restore must
// report success exactly when the stream held the parameters and the bypass
// flag, leave every parameter finite and inside its range, and a state saved
// afterwards must hold what was restored.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "effect/ZentikQX40.h"
#include "tests/support/FuzzCheck.h"

#include "public.sdk/source/common/memorystream.h"

using namespace Steinberg;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size > 4096)
    return 0;
  ZentikQX40* plug = NewPluginInstance();
  if (!plug)
    return 0;
  FuzzCheck(plug->initialize(nullptr) == kResultOk, "initialize");

  const int n = plug->NParams();
  const size_t stateBytes = 8 * size_t(n) + 4;
  std::vector<uint8_t> bytes(data, data + size);
  MemoryStream in(bytes.empty() ? nullptr : bytes.data(), TSize(bytes.size()));
  const tresult result = plug->setState(&in);
  FuzzCheck((result == kResultOk) == (size >= stateBytes), "setState result disagrees with the stream");

  for (int i = 0; i < n; ++i)
  {
    const IParamRecord* p = plug->GetParam(i);
    const double v = p->Value();
    FuzzCheck(std::isfinite(v) && v >= p->GetMin() && v <= p->GetMax(), "value outside its range");
    const double norm = plug->getParamNormalized(Vst::ParamID(i));
    FuzzCheck(std::isfinite(norm) && norm >= 0.0 && norm <= 1.0, "normalised value outside 0..1");
  }
  const double bypass = plug->getParamNormalized(IPlugVST3::kBypassParamID);
  FuzzCheck(bypass == 0.0 || bypass == 1.0, "bypass neither on nor off");

  MemoryStream out;
  FuzzCheck(plug->getState(&out) == kResultOk, "getState after a restore");
  FuzzCheck(size_t(out.getSize()) == stateBytes, "saved state size");
  const uint8_t* saved = reinterpret_cast<const uint8_t*>(out.getData());
  if (result == kResultOk)
  {
    // In-range values come back bit for bit; the flag as 0 or 1.
    for (int i = 0; i < n; ++i)
    {
      double given, kept;
      std::memcpy(&given, data + 8 * i, 8);
      std::memcpy(&kept, saved + 8 * i, 8);
      const IParamRecord* p = plug->GetParam(i);
      if (given >= p->GetMin() && given <= p->GetMax())
        FuzzCheck(std::memcmp(&given, &kept, 8) == 0, "restored value not saved back");
    }
    const bool on = (data[8 * n] | data[8 * n + 1] | data[8 * n + 2] | data[8 * n + 3]) != 0;
    FuzzCheck(bypass == (on ? 1.0 : 0.0), "bypass flag not restored");
    FuzzCheck(saved[8 * n] == (on ? 1 : 0) && !saved[8 * n + 1] && !saved[8 * n + 2] && !saved[8 * n + 3],
          "bypass flag not saved back");
  }

  plug->terminate();
  plug->release();
  return 0;
}
