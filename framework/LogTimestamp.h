#pragma once

#include <ctime>

// Local time stamp for trace lines, "YYYYMMDD HH:MM +hhmm" (offset from UTC).
// Returns a single static buffer, overwritten by the next call.
const char* MakeLogTimestamp();

// The formatting behind MakeLogTimestamp, from given local and UTC times.
// Writes at most `size` bytes (terminated) into `out` and returns it.
char* FormatLogTimestamp(const std::tm& local, const std::tm& utc, char* out, int size);
