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
