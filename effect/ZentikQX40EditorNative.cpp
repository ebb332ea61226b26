// Builds without a window system (the native tests and fuzzers of the
// adapters) have no editor window: the plug-in runs without an editor.

#include "effect/ZentikQX40EditorLayout.h"

IGraphics* ZentikQX40EditorLayout::NewWindowGraphics(IPlugBase* /*plug*/)
{
  return nullptr;
}
