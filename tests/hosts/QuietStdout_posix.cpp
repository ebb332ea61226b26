#include "tests/hosts/QuietStdout.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace zqhost {

QuietStdout::QuietStdout ()
{
	std::fflush (stdout);
	mSaved = dup (1);
	const int null = open ("/dev/null", O_WRONLY);
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
