// Natively there is no window system: the plug-in linked into the AAX tests
// runs without an editor (the x86 build tests the editor in its window).

#include "effect/ZentikQX40EditorLayout.h"

IGraphics* ZentikQX40EditorLayout::NewWindowGraphics(IPlugBase*)
{
  return nullptr;
}
