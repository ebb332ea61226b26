#pragma once

// Trace hook: receives the calling function's name, a line and a printf-style
// format. Release builds of the plug-in trace nothing, so it is empty.
inline void Trace(const char* /*function*/, int /*line*/, const char* /*format*/, ...) {}
