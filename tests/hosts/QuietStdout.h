#pragma once

// Sends the process's standard output to the null device while it lives, so
// a plug-in's own progress lines do not drown the host's output. Everything
// written before is flushed first; the old output comes back at the end.

namespace zqhost {

class QuietStdout
{
public:
  QuietStdout ();
  ~QuietStdout ();

private:
  QuietStdout (const QuietStdout&) = delete;
  QuietStdout& operator= (const QuietStdout&) = delete;
  int mSaved = -1;
};

} // namespace zqhost
