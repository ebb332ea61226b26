// libFuzzer target: the framework's state restore (IPlugBase::UnserializeParams
// through an IStateChunk) of the effect on the headless adapter, fed
// arbitrary bytes. Every parameter must end finite and inside its range, a
// chunk too short for the parameters must report -1, and the engines must
// still give finite audio.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "effect/ZentikQX40.h"
#include "tests/support/FuzzCheck.h"
#include "framework/IStateChunk.h"

namespace {

void CheckParams(ZentikQX40& plug)
{
  for (int i = 0; i < plug.NParams(); ++i)
  {
    const IParamRecord* p = plug.GetParam(i);
    const double v = p->Value(), n = p->GetNormalised();
    FuzzCheck(std::isfinite(v) && v >= p->GetMin() && v <= p->GetMax(), "value outside its range");
    FuzzCheck(std::isfinite(n) && n >= 0.0 && n <= 1.0, "normalised value outside 0..1");
  }
}

// A restore from `pos` either reads every parameter or reports the chunk short.
void Restore(ZentikQX40& plug, const IStateChunk& chunk, int pos)
{
  const int end = pos + 8 * plug.NParams();
  const int got = plug.UnserializeParams(chunk, pos);
  if (pos >= 0 && end <= chunk.Size())
    FuzzCheck(got == end, "a complete restore ended at the wrong position");
  else
    FuzzCheck(got < 0, "a short or misplaced restore reported success");
  CheckParams(plug);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size > 4096)
    return 0;
  ZentikQX40* plug = NewPluginInstance();
  if (!plug)
    return 0;
  plug->Initialize();
  plug->SetupProcessing(44100.0, 64);

  IStateChunk chunk;
  if (size > 0)
    FuzzCheck(chunk.PutBytes(data, static_cast<int>(size)) == static_cast<int>(size), "chunk append");
  Restore(*plug, chunk, 0);
  // Again from a start the first byte gives: negative, odd or past the end.
  if (size > 0)
    Restore(*plug, chunk, static_cast<int8_t>(data[0]));

  double in[2][64], out[2][64];
  for (int i = 0; i < 64; ++i)
    in[0][i] = in[1][i] = 0.5 * std::sin(0.3 * i);
  double* ins[2] = {in[0], in[1]};
  double* outs[2] = {out[0], out[1]};
  FuzzCheck(plug->ProcessDouble(ins, 2, outs, 2, 64), "processing refused");
  for (int c = 0; c < 2; ++c)
    for (int i = 0; i < 64; ++i)
      FuzzCheck(std::isfinite(out[c][i]), "non-finite audio after a restore");
  delete plug;
  return 0;
}
