// The editor's window graphics in the plug-in libraries.

#include "effect/ZentikQX40EditorLayout.h"

#include "framework/ModuleHandle.h"
#include "gui/IGraphicsWin.h"

#include <new>

IGraphics* ZentikQX40EditorLayout::NewWindowGraphics(IPlugBase* plug)
{
  // Frame rate 0 selects the toolkit's default.
  IGraphicsWin* graphics = new (std::nothrow) IGraphicsWin(plug, kWidth, kHeight, 0);
  if (graphics)
    graphics->SetHInstance(static_cast<HINSTANCE>(GetPlugModuleInstance()));
  return graphics;
}
