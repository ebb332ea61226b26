#pragma once

// The one error the library raises: a host object that could not be made. The
// ACF entry points catch it (and anything else) and return a failure code.

#include "aax-support/interfaces/AcfBase.h"

struct AaxError
{
	AaxResult mResult;
};

// Runs body and turns any exception into kAcfUnexpected.
template <class F>
AaxResult AcfGuarded (F&& body)
{
	try
	{
		return body ();
	}
	catch (...)
	{
		return kAcfUnexpected;
	}
}
