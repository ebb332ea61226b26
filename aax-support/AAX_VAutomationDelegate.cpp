#include "aax-support/AAX_VAutomationDelegate.h"

#define FORWARD1(call) return mAutomation ? mAutomation->call : kAaxErrMissingInterface

AAX_VAutomationDelegate::AAX_VAutomationDelegate (IACFUnknown* hostUnknown)
{
	AcfQuery (hostUnknown, IID_AAX_IACFAutomationDelegate, mAutomation);
}

AAX_VAutomationDelegate::~AAX_VAutomationDelegate () = default;

AaxResult AAX_VAutomationDelegate::RegisterParameter (AaxParamID id) const { FORWARD1 (RegisterParameter (id)); }
AaxResult AAX_VAutomationDelegate::UnregisterParameter (AaxParamID id) const { FORWARD1 (UnregisterParameter (id)); }
AaxResult AAX_VAutomationDelegate::PostSetValueRequest (AaxParamID id, double v) const { FORWARD1 (PostSetValueRequest (id, v)); }
AaxResult AAX_VAutomationDelegate::PostCurrentValue (AaxParamID id, double v) const { FORWARD1 (PostCurrentValue (id, v)); }
AaxResult AAX_VAutomationDelegate::PostTouchRequest (AaxParamID id) const { FORWARD1 (PostTouchRequest (id)); }
AaxResult AAX_VAutomationDelegate::PostReleaseRequest (AaxParamID id) const { FORWARD1 (PostReleaseRequest (id)); }
AaxResult AAX_VAutomationDelegate::Slot9 (AaxWord a, AaxWord b) const { FORWARD1 (Slot9 (a, b)); }
