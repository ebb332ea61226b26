#pragma once
// Description of a popup menu: built by IGraphics::PromptUserInput, shown by
// the window's ShowPopupMenu, which writes the chosen item back.

#include "framework/HeapBuffer.h"
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

// The command ids of one shown popup menu, numbered once, while the menu is
// built: each description whose menu exists takes the next block of ids, one
// per item (separators count), so a choice maps back to the item it showed.
class PopupMenuIds
{
public:
  PopupMenuIds() = default;
  PopupMenuIds(const PopupMenuIds&) = delete;
  PopupMenuIds& operator=(const PopupMenuIds&) = delete;

  // The first id of the block `desc` takes; -1 when the table cannot grow.
  int TakeBlock(PopupMenuDesc* desc);
  // The description that owns `id`, with the item's index in it into `item`;
  // nullptr when no block holds the id.
  PopupMenuDesc* Find(int id, int* item) const;

private:
  struct Block
  {
    PopupMenuDesc* mDesc;
    int mFirst;
    int mCount;
  };
  int NBlocks() const { return mBlocks.GetSize() / int(sizeof(Block)); }
  const Block* Blocks() const { return static_cast<const Block*>(mBlocks.Get()); }

  HeapBuffer mBlocks{int(16 * sizeof(Block))};
  int mNextId = 0;
};
