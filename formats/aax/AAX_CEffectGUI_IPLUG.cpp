#include "formats/aax/AAX_CEffectGUI_IPLUG.h"

#include <new>

IACFUnknown* AAX_CEffectGUI_IPLUG::Create()
{
  AAX_CEffectGUI_IPLUG* gui = new (std::nothrow) AAX_CEffectGUI_IPLUG;
  return gui ? static_cast<AAX_IACFEffectGUI*>(gui) : nullptr;
}

AaxResult AAX_CEffectGUI_IPLUG::GetViewSize(AaxViewSize*) const
{
  return kAaxSuccess;
}

void AAX_CEffectGUI_IPLUG::CreateViewContents()
{
}

void AAX_CEffectGUI_IPLUG::CreateViewContainer()
{
}

void AAX_CEffectGUI_IPLUG::DeleteViewContainer()
{
}
