// Arbitrary bytes as a program or bank chunk handed to the effect through the
// dispatcher's set-chunk opcode. The first byte picks the kind; the rest is
// the chunk. Afterwards every parameter is finite and inside its range, the
// effect's own chunks still read back, and a refused chunk said so.

#include "effect/ZentikQX40.h"
#include "formats/vst2/IPlugVST.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" AEffect* VSTPluginMain(audioMasterCallback host);

namespace {

VstIntPtr VSTCALLBACK Host(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float)
{
  return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size < 1)
    return 0;
  AEffect* effect = VSTPluginMain(Host);
  if (!effect)
    std::abort();
  const bool bank = data[0] & 1;
  // An exact-size copy, so the sanitizer sees any read past the host's bytes.
  std::vector<uint8_t> chunk(data + 1, data + size);
  const VstIntPtr result =
    effect->dispatcher(effect, kEffSetChunk, bank ? 0 : 1, static_cast<VstIntPtr>(chunk.size()),
                       chunk.empty() ? nullptr : chunk.data(), 0.0f);
  if (result != 0 && result != 1)
    std::abort();
  if (chunk.empty() && result != 0)
    std::abort();

  IPlugVST* plug = static_cast<IPlugVST*>(effect->object);
  for (int i = 0; i < plug->NParams(); ++i)
  {
    const IParamRecord* p = plug->GetParam(i);
    if (!std::isfinite(p->Value()) || p->Value() < p->GetMin() || p->Value() > p->GetMax())
      std::abort();
    const float n = effect->getParameter(effect, i);
    if (!(n >= 0.0f && n <= 1.0f))
      std::abort();
  }
  for (VstInt32 kind : {0, 1})
  {
    void* out = nullptr;
    if (effect->dispatcher(effect, kEffGetChunk, kind, 0, &out, 0.0f) <= 0 || !out)
      std::abort();
  }
  effect->dispatcher(effect, kEffClose, 0, 0, nullptr, 0.0f);
  return 0;
}
