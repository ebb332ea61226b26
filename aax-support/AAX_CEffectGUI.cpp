#include "aax-support/AAX_CEffectGUI.h"

#include "aax-support/AAX_CString.h"
#include "aax-support/AAX_VController.h"
#include "aax-support/AAX_VTransport.h"
#include "aax-support/AAX_VViewContainer.h"
#include "aax-support/interfaces/AcfIds.h"

AAX_CEffectGUI::AAX_CEffectGUI()
  : mController(nullptr), mEffectParameters(nullptr), mViewContainer(nullptr), mTransport(nullptr)
{
}

AAX_CEffectGUI::~AAX_CEffectGUI()
{
  DropViewContainer();
  DropHostConnections();
}

AaxResult AAX_CEffectGUI::InternalQueryInterface(AcfRefIID iid, void** out)
{
  if (!out)
    return kAaxErrNullArgument;
  if (iid == IID_AAX_IACFEffectGUI)
  {
    *out = static_cast<AAX_IACFEffectGUI*>(this);
    AddRef();
    return kAaxSuccess;
  }
  return CACFUnknown::InternalQueryInterface(iid, out);
}

void AAX_CEffectGUI::DropViewContainer()
{
  delete mViewContainer;
  mViewContainer = nullptr;
}

void AAX_CEffectGUI::DropHostConnections()
{
  if (mEffectParameters)
    mEffectParameters->Release();
  mEffectParameters = nullptr;
  delete mController;
  mController = nullptr;
  delete mTransport;
  mTransport = nullptr;
}

AaxResult AAX_CEffectGUI::InitializeGUI(IACFUnknown* hostUnknown)
{
  if (!hostUnknown)
    return kAaxErrGuiInit;
  // A second initialisation replaces the connections instead of leaking them.
  DropHostConnections();
  mController = new AAX_VController(hostUnknown);

  void* parameters = nullptr;
  hostUnknown->QueryInterface(IID_AAX_IACFEffectParameters, &parameters);
  mEffectParameters = static_cast<AAX_IACFEffectParameters*>(parameters);

  mTransport = new AAX_VTransport(hostUnknown);
  CreateViewContents();
  return kAaxSuccess;
}

AaxResult AAX_CEffectGUI::UninitializeGUI()
{
  DropHostConnections();
  return kAaxSuccess;
}

AaxResult AAX_CEffectGUI::Slot5(AaxWord, AaxWord, AaxWord)
{
  return kAaxSuccess;
}

AaxResult AAX_CEffectGUI::SetViewContainer(IACFUnknown* container)
{
  // The window of a container the host replaces or removes is closed at once,
  // and that container's wrapper is not used again.
  if (mViewContainer)
  {
    DropViewContainer();
    if (container)
      DeleteViewContainer();
  }
  if (container)
  {
    mViewContainer = new AAX_VViewContainer(container);
    CreateViewContainer();
    UpdateAllParameters();
  }
  else
  {
    DeleteViewContainer();
  }
  return kAaxSuccess;
}

void* AAX_CEffectGUI::GetViewContainerNativeParent() const
{
  return mViewContainer ? mViewContainer->NativeParent() : nullptr;
}

AaxResult AAX_CEffectGUI::GetViewSize(AaxViewSize*) const
{
  return kAaxSuccess;
}

AaxResult AAX_CEffectGUI::Slot8(AaxWord)
{
  return kAaxSuccess;
}

AaxResult AAX_CEffectGUI::Slot9()
{
  return kAaxSuccess;
}

AaxResult AAX_CEffectGUI::ParameterUpdated(AaxParamID)
{
  return kAaxSuccess;
}

AaxResult AAX_CEffectGUI::Slot11(AaxWord, AaxWord)
{
  return kAaxErrMissingInterface;
}

AaxResult AAX_CEffectGUI::Slot12(AaxWord, AaxWord, AaxWord)
{
  return kAaxSuccess;
}

void AAX_CEffectGUI::UpdateAllParameters()
{
  if (!mEffectParameters)
    return;
  int32_t count = 0;
  if (mEffectParameters->GetNumberOfParameters(&count) != kAaxSuccess)
    return;
  for (int32_t i = 0; i < count; ++i)
  {
    AAX_CString id;
    if (mEffectParameters->GetParameterIDFromIndex(i, &id) == kAaxSuccess)
      ParameterUpdated(id.Text());
  }
}

void AAX_CEffectGUI::FinalRelease()
{
  if (mViewContainer)
  {
    DropViewContainer();
    DeleteViewContainer();
  }
  CACFUnknown::FinalRelease();
}
