#include "aax-support/AAX_VHostServices.h"

#include <cstdarg>
#include <cstdio>

namespace {
AAX_VHostServices* sHostServices = nullptr;
}

AAX_VHostServices::AAX_VHostServices (IACFUnknown* hostUnknown)
{
	AcfCreateHostObject (hostUnknown, CLSID_AAX_HostServices, IID_AAX_IACFHostServices, mHostServices);
}

AAX_VHostServices::~AAX_VHostServices () = default;

AaxResult AAX_VHostServices::Slot3 (AaxWord a, AaxWord b, AaxWord c) const
{
	return mHostServices ? mHostServices->Slot3 (a, b, c) : kAaxErrMissingInterface;
}

AaxResult AAX_VHostServices::TraceMessage (int32_t priority, const char* message) const
{
	return mHostServices ? mHostServices->TraceMessage (priority, message) : kAaxErrMissingInterface;
}

void SetHostServices (IACFUnknown* hostUnknown)
{
	if (!sHostServices && hostUnknown)
		sHostServices = new AAX_VHostServices (hostUnknown);
	else if (sHostServices && !hostUnknown)
	{
		delete sHostServices;
		sHostServices = nullptr;
	}
}

AAX_VHostServices* GetHostServices ()
{
	return sHostServices;
}

AaxResult AaxTrace (int32_t priority, const char* format, ...)
{
	if (!sHostServices)
		return kAaxSuccess;
	char text[kAaxTraceBufferSize];
	va_list args;
	va_start (args, format);
	const int n = std::vsnprintf (text, sizeof text, format ? format : "", args);
	va_end (args);
	if (n < 0)
		text[0] = '\0';
	return sHostServices->TraceMessage (priority, text);
}
