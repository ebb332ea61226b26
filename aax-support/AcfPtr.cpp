#include "aax-support/AcfPtr.h"

#include "aax-support/AaxError.h"

void AcfCreateHostObject (IACFUnknown* hostUnknown, AcfRefIID classId, AcfRefIID iid, void** out)
{
	*out = nullptr;
	if (!hostUnknown)
		return;
	IACFComponentFactory* factory = nullptr;
	if (hostUnknown->QueryInterface (IID_IACFComponentFactory, reinterpret_cast<void**> (&factory)) != kAaxSuccess)
		return;
	if (!factory)
		throw AaxError { kAcfNullFactory };
	factory->CreateInstance (classId, nullptr, iid, out);
	factory->Release ();
}
