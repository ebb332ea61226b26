#include "formats/vst3/IPlugVST3View.h"

#include "formats/vst3/IPlugVST3.h"
#include "gui/IGraphics.h"

#include "pluginterfaces/gui/iplugview.h"

#include <cstring>

using namespace Steinberg;

IPlugVST3View::IPlugVST3View(IPlugVST3* plug)
: mPlug(plug)
{
  mPlug->addRef();
}

IPlugVST3View::~IPlugVST3View()
{
  // A host that releases an attached view without removing it would leave
  // the editor window in its (possibly gone) parent.
  if (mAttached)
    removed();
  mPlug->RemoveView(this);
  mPlug->release();
}

tresult PLUGIN_API IPlugVST3View::isPlatformTypeSupported(FIDString type)
{
  if (!mPlug->GetGUI())
    return kResultFalse;
  return (type && std::strcmp(type, kPlatformTypeHWND) == 0) ? kResultOk : kResultFalse;
}

tresult PLUGIN_API IPlugVST3View::attached(void* parent, FIDString type)
{
  IGraphics* graphics = mPlug->GetGUI();
  if (!graphics)
    return kResultFalse;

  if (type && std::strcmp(type, kPlatformTypeHWND) == 0)
  {
    // Opening while a window is open moves the editor into the new parent.
    if (!parent || !graphics->OpenWindow(parent))
    {
      if (!graphics->GetWindow())
        mPlug->mWindowView = nullptr;
      return kResultFalse;
    }
    mPlug->mWindowView = this;
  }
  CPluginView::attached(parent, type);
  mAttached = true;
  mPlug->OnGuiOpened();
  return kResultOk;
}

void IPlugVST3View::CloseOwnWindow()
{
  if (mPlug->mWindowView != this)
    return;
  mPlug->mWindowView = nullptr;
  if (IGraphics* graphics = mPlug->GetGUI())
    graphics->CloseWindow();
}

tresult PLUGIN_API IPlugVST3View::removed()
{
  // Only a view that was attached closes anything: another view may be
  // showing the editor window now.
  if (mAttached && mPlug->GetGUI())
  {
    mPlug->OnGuiClosed();
    CloseOwnWindow();
  }
  mAttached = false;
  return CPluginView::removed();
}

tresult PLUGIN_API IPlugVST3View::getSize(ViewRect* size)
{
  IGraphics* graphics = mPlug->GetGUI();
  if (!graphics)
    return kResultFalse;
  if (!size)
    return kInvalidArgument;
  *size = ViewRect(0, 0, graphics->Width(), graphics->Height());
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3View::onSize(ViewRect* newSize)
{
  if (!newSize)
    return kResultOk;
  rect = *newSize;
  if (mExpectingNewSize)
  {
    mPlug->OnGuiResized();
    mExpectingNewSize = false;
  }
  return kResultOk;
}

bool IPlugVST3View::RequestResize(int width, int height)
{
  if (!plugFrame)
    return false;
  mExpectingNewSize = true;
  ViewRect size(0, 0, width, height);
  if (plugFrame->resizeView(this, &size) == kResultOk)
    return true;
  // Refused: no onSize is coming for this request.
  mExpectingNewSize = false;
  return false;
}
