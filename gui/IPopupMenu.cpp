#include "gui/IPopupMenu.h"

PopupMenuItem* PopupMenuDesc::AddItem(const char* text, int flags, PopupMenuDesc* subMenu)
{
  PopupMenuItem* item = new PopupMenuItem(text, flags, subMenu);
  if (!mItems.Add(item))
  {
    delete item;
    return nullptr;
  }
  return item;
}

int PopupMenuIds::TakeBlock(PopupMenuDesc* desc)
{
  const int n = NBlocks();
  mBlocks.Resize((n + 1) * int(sizeof(Block)), false);
  if (NBlocks() != n + 1)
    return -1;
  const int first = mNextId;
  const int count = desc ? desc->NItems() : 0;
  static_cast<Block*>(mBlocks.Get())[n] = Block{desc, first, count};
  mNextId += count;
  return first;
}

PopupMenuDesc* PopupMenuIds::Find(int id, int* item) const
{
  const Block* blocks = Blocks();
  for (int i = 0, n = NBlocks(); i < n; ++i)
    if (id >= blocks[i].mFirst && id < blocks[i].mFirst + blocks[i].mCount)
    {
      if (item)
        *item = id - blocks[i].mFirst;
      return blocks[i].mDesc;
    }
  return nullptr;
}
