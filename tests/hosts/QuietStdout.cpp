#include "tests/hosts/QuietStdout.h"

#include <cstdio>
#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#define ZQ_NULL_DEVICE "NUL"
#else
#include <unistd.h>
#define ZQ_NULL_DEVICE "/dev/null"
#endif

namespace zqhost {

QuietStdout::QuietStdout ()
{
	std::fflush (stdout);
	mSaved = dup (1);
	const int null = open (ZQ_NULL_DEVICE, O_WRONLY);
	if (mSaved >= 0 && null >= 0)
		dup2 (null, 1);
	if (null >= 0)
		close (null);
}

QuietStdout::~QuietStdout ()
{
	std::fflush (stdout);
	if (mSaved >= 0)
	{
		dup2 (mSaved, 1);
		close (mSaved);
	}
}

} // namespace zqhost
