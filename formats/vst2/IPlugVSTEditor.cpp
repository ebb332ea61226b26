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

// The graphics context has no window or size yet: the rectangle stays empty
// and no editor opens.
void IPlugVST::RefreshEditRect()
{
  mEditRect.top = 0;
  mEditRect.left = 0;
  mEditRect.bottom = 0;
  mEditRect.right = 0;
}

bool IPlugVST::OpenEditor(void* /*parent*/)
{
  return false;
}

bool IPlugVST::CloseEditor()
{
  return false;
}
