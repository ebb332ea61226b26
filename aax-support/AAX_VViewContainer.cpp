#include "aax-support/AAX_VViewContainer.h"

AAX_VViewContainer::AAX_VViewContainer (IACFUnknown* containerUnknown)
{
	AcfQuery (containerUnknown, IID_AAX_IACFViewContainer, mContainer);
}

AAX_VViewContainer::~AAX_VViewContainer () = default;

intptr_t AAX_VViewContainer::Slot3 () const
{
	return mContainer ? mContainer->Slot3 () : 0;
}

void* AAX_VViewContainer::NativeParent () const
{
	return mContainer ? mContainer->NativeParent () : nullptr;
}

AaxResult AAX_VViewContainer::ModifierKeys (uint32_t* modifiers) const
{
	return mContainer ? mContainer->ModifierKeys (modifiers) : kAaxErrNotImplemented;
}

AaxResult AAX_VViewContainer::SetViewSize (const AaxViewSize* size) const
{
	return mContainer ? mContainer->SetViewSize (size) : kAaxSuccess;
}

AaxResult AAX_VViewContainer::OfferParameterMouseDown (AaxParamID id, uint32_t modifiers) const
{
	return mContainer ? mContainer->OfferParameterMouseDown (id, modifiers) : kAaxErrNotImplemented;
}

AaxResult AAX_VViewContainer::Slot8 (AaxWord a, AaxWord b) const
{
	return mContainer ? mContainer->Slot8 (a, b) : kAaxErrNotImplemented;
}

AaxResult AAX_VViewContainer::Slot9 (AaxWord a, AaxWord b) const
{
	return mContainer ? mContainer->Slot9 (a, b) : kAaxErrNotImplemented;
}
