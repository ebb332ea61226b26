#pragma once
// Description of a popup menu: built by IGraphics::PromptUserInput, shown by
// the window's ShowPopupMenu, which writes the chosen item back.

#include "framework/PointerList.h"
#include "framework/TextBuffer.h"

struct PopupMenuDesc;

struct PopupMenuItem
{
  enum EFlags { kGreyed = 1, kDisabled = 2, kChecked = 4, kSeparator = 8 };

  TextBuffer mText;
  PopupMenuDesc* mSubMenu = nullptr;  // not owned by the item
  int mFlags = 0;

  explicit PopupMenuItem(const char* text = nullptr, int flags = 0, PopupMenuDesc* subMenu = nullptr)
    : mText(text), mSubMenu(subMenu), mFlags(flags)
  {
  }
};

struct PopupMenuDesc
{
  int mPrefix = 0;    // numbering: 0 none, else 1, 2 or 3 digits
  int mChosen = -1;   // chosen item, -1 none
  PointerList<PopupMenuItem> mItems;  // owned

  PopupMenuDesc() = default;
  ~PopupMenuDesc() { Destroy(); }

  PopupMenuDesc(const PopupMenuDesc&) = delete;
  PopupMenuDesc& operator=(const PopupMenuDesc&) = delete;

  // Appends an item; returns it, or nullptr when the list could not grow.
  PopupMenuItem* AddItem(const char* text, int flags = 0, PopupMenuDesc* subMenu = nullptr);
  int NItems() const { return mItems.GetSize(); }
  PopupMenuItem* GetItem(int idx) const { return mItems.Get(idx); }

  // Frees every item and its text, then the list.
  void Destroy() { mItems.DeleteAll(); }
};
