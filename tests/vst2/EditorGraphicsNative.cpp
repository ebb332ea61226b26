// Natively the plug-in's editor is the windowless test context, with the
// editor images from the embedded resource table: the editor opcodes see a
// graphics object of the real size that opens no window.

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
