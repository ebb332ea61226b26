#include "tests/support/IGraphicsHeadless.h"

#include "drawing/LICE_PNG.h"

PopupMenuDesc* IGraphicsHeadless::ShowPopupMenu(PopupMenuDesc* menu, IRectangle* rect)
{
  PopupCall call;
  call.mRect = *rect;
  for (int i = 0; i < menu->NItems(); ++i)
  {
    call.mItems.push_back(menu->GetItem(i)->mText.Get());
    call.mFlags.push_back(menu->GetItem(i)->mFlags);
  }
  mPopups.push_back(call);
  if (mPopupChoice < 0 || mPopupChoice >= menu->NItems()) return nullptr;
  menu->mChosen = mPopupChoice;
  return menu;
}

void IGraphicsHeadless::CreateTextEntry(IControl* control, const ITextStyle*, IRectangle* rect, const char* text,
                                        IParamRecord* param)
{
  mTextEntries.push_back({control, *rect, text ? text : "", param});
}

LICE_IBitmap* IGraphicsHeadless::LoadPNGResource(int id, const char*)
{
  ++mImageLoads;
  return mModule ? LICE_LoadPNGFromResource(mModule, id) : nullptr;
}
