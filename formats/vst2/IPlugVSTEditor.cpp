// The editor opcodes' side of the graphics context: its size for the edit
// rectangle, and its window inside the host's.

#include "formats/vst2/IPlugVST.h"

#include "gui/IGraphics.h"

void IPlugVST::AttachGraphics(IGraphics* graphics)
{
  if (!graphics) return;
  IPlugBase::AttachGraphics(graphics);
  mAEffect.flags |= kEffFlagsHasEditor;
  RefreshEditRect();
}

void IPlugVST::ResizeGui(int /*width*/, int /*height*/)
{
  if (!GetGUI()) return;
  RefreshEditRect();
  OnGuiResized();
}

void IPlugVST::RefreshEditRect()
{
  const IGraphics* graphics = GetGUI();
  mEditRect.top = 0;
  mEditRect.left = 0;
  mEditRect.bottom = int16_t(graphics->Height());
  mEditRect.right = int16_t(graphics->Width());
}

bool IPlugVST::OpenEditor(void* parent)
{
  // Without a parent there is nothing to open inside.
  return parent && GetGUI()->OpenWindow(parent);
}

void IPlugVST::CloseEditor()
{
  GetGUI()->CloseWindow();
}
