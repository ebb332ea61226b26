#include "formats/aax/AAX_CEffectGUI_IPLUG.h"

#include <new>

#include "aax-support/AAX_VViewContainer.h"
#include "formats/aax/AAX_CIPlugParameters.h"
#include "formats/aax/IPlugAAX.h"
#include "gui/IGraphics.h"
#include "gui/IGuiTypes.h"

IACFUnknown* AAX_CEffectGUI_IPLUG::Create()
{
  AAX_CEffectGUI_IPLUG* gui = new (std::nothrow) AAX_CEffectGUI_IPLUG;
  return gui ? static_cast<AAX_IACFEffectGUI*>(gui) : nullptr;
}

void AAX_CEffectGUI_IPLUG::ForgetGraphics()
{
  if (mGraphics && GetViewContainer())
    DeleteViewContainer();
  mGraphics = nullptr;
}

AaxResult AAX_CEffectGUI_IPLUG::InitializeGUI(IACFUnknown* hostUnknown)
{
  // A null host is refused by the base before anything changes: the open
  // editor stays as it is.
  if (hostUnknown)
    ForgetGraphics();
  return AAX_CEffectGUI::InitializeGUI(hostUnknown);
}

AaxResult AAX_CEffectGUI_IPLUG::UninitializeGUI()
{
  ForgetGraphics();
  return AAX_CEffectGUI::UninitializeGUI();
}

AaxResult AAX_CEffectGUI_IPLUG::GetViewSize(AaxViewSize* size) const
{
  if (mGraphics && size)
  {
    size->mHeight = static_cast<float>(mGraphics->Height());
    size->mWidth = static_cast<float>(mGraphics->Width());
  }
  return kAaxSuccess;
}

void AAX_CEffectGUI_IPLUG::CreateViewContents()
{
  mGraphics = nullptr;
  AAX_IACFEffectParameters* parameters = GetEffectParameters();
  if (!parameters)
    return;
  // The host hands back an effect-parameters interface; only one that proves
  // to be this library's own plug-in object is taken for one.
  void* own = nullptr;
  if (parameters->QueryInterface(IID_IPlugAAXParameters, &own) != kAaxSuccess || !own)
    return;
  AAX_CIPlugParameters* plugParameters = static_cast<AAX_CIPlugParameters*>(own);
  mGraphics = static_cast<IPlugAAX*>(plugParameters)->GetGUI();
  plugParameters->Release();
}

void AAX_CEffectGUI_IPLUG::CreateViewContainer()
{
  void* parent = GetViewContainerNativeParent();
  if (!parent || !mGraphics)
    return;
  mGraphics->SetHostView(this);
  mGraphics->OpenWindow(parent);
}

void AAX_CEffectGUI_IPLUG::DeleteViewContainer()
{
  if (!mGraphics)
    return;
  mGraphics->CloseWindow();
  // The container's wrapper goes with it; the next container sets a new view.
  if (mGraphics->GetHostView() == this)
    mGraphics->SetHostView(nullptr);
}

bool AAX_CEffectGUI_IPLUG::OfferParamMouseDown(int paramIdx, const IMouseState& mouse)
{
  AAX_VViewContainer* container = GetViewContainer();
  if (!container || paramIdx < 0)
    return false;
  uint32_t mask = 0;
  container->ModifierKeys(&mask);
  if (mouse.mControl)
    mask |= kModControl;
  if (mouse.mAlt)
    mask |= kModAlt;
  if (mouse.mShift)
    mask |= kModShift;
  if (mouse.mRightButton)
    mask |= kModRightButton;
  char id[AAX_CIPlugParameters::kParamIDSize];
  AAX_CIPlugParameters::FormatParamID(paramIdx, id);
  return container->OfferParameterMouseDown(id, mask) == kAaxSuccess;
}

void AAX_CEffectGUI_IPLUG::SetHostViewSize(int width, int height)
{
  if (AAX_VViewContainer* container = GetViewContainer())
  {
    const AaxViewSize size = { static_cast<float>(height), static_cast<float>(width) };
    container->SetViewSize(&size);
  }
}
