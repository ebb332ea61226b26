#pragma once

// Host services wrapper, and the process-wide one that ACFStartup sets up for
// AaxTrace.

#include "aax-support/AAX_IHostServices.h"
#include "aax-support/AcfPtr.h"
#include "aax-support/interfaces/AaxHostInterfaces.h"

class AAX_VHostServices : public AAX_IHostServices
{
public:
	// Creates the host-services object through the host's factory; raises
	// AaxError when the host claims a factory but hands back none.
	explicit AAX_VHostServices (IACFUnknown* hostUnknown);
	~AAX_VHostServices () override;

	AaxResult Slot3 (AaxWord, AaxWord, AaxWord) const override;
	AaxResult TraceMessage (int32_t priority, const char* message) const override;

	AAX_IACFHostServices* HostServices () const { return mHostServices.Get (); }

private:
	AcfPtr<AAX_IACFHostServices> mHostServices;
};

// Creates the process-wide wrapper over a non-null unknown when none exists;
// deletes it on null. Any other call changes nothing. May raise AaxError.
void SetHostServices (IACFUnknown* hostUnknown);
// The process-wide wrapper, or null.
AAX_VHostServices* GetHostServices ();

// Longest trace text including its terminator; longer text is cut.
enum { kAaxTraceBufferSize = 512 };

// Formats printf-style and hands the text to the host; 0 without host services.
AaxResult AaxTrace (int32_t priority, const char* format, ...)
#if defined(__GNUC__)
	__attribute__ ((format (printf, 2, 3)))
#endif
	;
