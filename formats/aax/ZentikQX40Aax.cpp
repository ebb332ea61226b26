// The AAX library's description of the distortion plug-in and its creation
// procedures.

#include "effect/ZentikQX40.h"

#include "aax-support/AAX_ICollection.h"
#include "aax-support/AcfExports.h"
#include "formats/aax/AAX_CEffectGUI_IPLUG.h"
#include "formats/aax/AaxDescription.h"

namespace
{

constexpr uint32_t kCategoryHarmonic = 0x40;

// Procedure 0: a new plug-in's effect-parameters part, no reference counted yet.
IACFUnknown* CreateEffectParameters()
{
  ZentikQX40* plug = NewPluginInstance();
  if (!plug)
    return nullptr;
  AAX_CIPlugParameters* parameters = plug;
  return static_cast<AAX_IACFEffectParameters*>(parameters);
}

} // namespace

AaxResult DescribeEffects(AAX_ICollection* collection)
{
  AaxPluginIdentity identity;
  identity.mNames = "ZentikQX40\n";
  identity.mMakerNames = "Zentik\n";
  identity.mChannelIO = "1-1 2-2";
  identity.mEffectID = "com.Zentik.aax.ZentikQX40";
  identity.mManufacturerID = AaxFourCC('Z', 'n', 't', 'k');
  identity.mProductID = AaxFourCC('Q', 'X', '4', '0');
  identity.mVersion = 0x00010101;
  identity.mCategory = kCategoryHarmonic;
  identity.mCreateEffectParameters = reinterpret_cast<AaxProcPtr>(&CreateEffectParameters);
  identity.mCreateGUI = reinterpret_cast<AaxProcPtr>(&AAX_CEffectGUI_IPLUG::Create);
  return DescribeAaxPlugin(collection, identity);
}
