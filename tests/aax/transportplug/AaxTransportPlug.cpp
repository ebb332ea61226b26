// A plug-in that plays back what the AAX adapter answers to the framework's
// transport queries, as output samples a host can read: the library a host
// test renders to see which transport slot each query reaches.

#include <new>

#include "aax-support/AcfExports.h"
#include "formats/aax/AAX_CEffectGUI_IPLUG.h"
#include "formats/aax/AaxDescription.h"
#include "formats/aax/IPlugAAX.h"
#include "framework/PlugTypes.h"

namespace
{

class AaxTransportPlug : public IPlugAAX
{
public:
  AaxTransportPlug()
    : IPlugAAX(nullptr, 1, "1-1", 1, "AaxTransportPlug", "", "Zentik", 0x00010000, 0x54506C67 /* TPlg */,
               0x5A6E746B /* Zntk */, 0, false, false, false, 0)
  {
    GetParam(0)->InitDouble("Gain", 50.0, 0.0, 100.0, 0.1, "%", "", 1.0);
  }

  // Output sample i holds query i, in this order: GetTempo, the TransportInfo
  // fields, GetSamplePosition, GetTimeSignature.
  void ProcessAudioDouble(double** /*inputs*/, double** outputs, int nFrames) override
  {
    const double tempo = GetTempo();
    TransportInfo t;
    GetTransportInfo(t);
    const double samplePosition = double(GetSamplePosition());
    int num = 0, den = 0;
    GetTimeSignature(num, den);
    const double table[] = { tempo, t.mTempo, t.mSamplePos, t.mPPQPos, t.mCycleStart, t.mCycleEnd,
                             double(t.mNumerator), double(t.mDenominator), t.mTransportIsRunning ? 1.0 : 0.0,
                             t.mTransportLoopEnabled ? 1.0 : 0.0, samplePosition, double(num), double(den) };
    const int n = int(sizeof table / sizeof table[0]);
    for (int i = 0; i < nFrames; ++i)
      outputs[0][i] = i < n ? table[i] : 0.0;
  }
};

IACFUnknown* CreateEffectParameters()
{
  AaxTransportPlug* plug = new (std::nothrow) AaxTransportPlug;
  if (!plug)
    return nullptr;
  AAX_CIPlugParameters* parameters = plug;
  return static_cast<AAX_IACFEffectParameters*>(parameters);
}

} // namespace

AaxResult DescribeEffects(AAX_ICollection* collection)
{
  AaxPluginIdentity identity;
  identity.mNames = "AaxTransportPlug\n";
  identity.mMakerNames = "Zentik\n";
  identity.mChannelIO = "1-1";
  identity.mEffectID = "com.Zentik.aax.AaxTransportPlug";
  identity.mManufacturerID = AaxFourCC('Z', 'n', 't', 'k');
  identity.mProductID = AaxFourCC('T', 'P', 'l', 'g');
  identity.mVersion = 0x00010000;
  identity.mCategory = 0x40;
  identity.mCreateEffectParameters = reinterpret_cast<AaxProcPtr>(&CreateEffectParameters);
  identity.mCreateGUI = reinterpret_cast<AaxProcPtr>(&AAX_CEffectGUI_IPLUG::Create);
  return DescribeAaxPlugin(collection, identity);
}
