#include "tests/hosts/QuietStdout.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace zqhost {

QuietStdout::QuietStdout ()
{
	std::fflush (stdout);
	mSaved = _dup (1);
	const int nul = _open ("NUL", _O_WRONLY);
	if (mSaved >= 0 && nul >= 0)
		_dup2 (nul, 1);
	if (nul >= 0)
		_close (nul);
}

QuietStdout::~QuietStdout ()
{
	std::fflush (stdout);
	if (mSaved >= 0)
	{
		_dup2 (mSaved, 1);
		_close (mSaved);
	}
}

} // namespace zqhost
