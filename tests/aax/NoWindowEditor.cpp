// Natively there is no window system: the plug-in linked into the AAX tests
// gets the window-less graphics context, so its controls are there to check
// (the x86 build tests the editor in its real window).

#include "effect/ZentikQX40EditorLayout.h"
#include "tests/support/IGraphicsHeadless.h"

#include <new>

IGraphics* ZentikQX40EditorLayout::NewWindowGraphics(IPlugBase* plug)
{
  IGraphicsHeadless* graphics = new (std::nothrow) IGraphicsHeadless(plug, kWidth, kHeight);
  if (graphics)
    graphics->SetResourceModule(TestImageModule());
  return graphics;
}
