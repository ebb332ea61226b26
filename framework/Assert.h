#pragma once

// Assertions that stay active in release builds: an internal inconsistency
// stops the program with the expression, source file and line on stderr.

[[noreturn]] void AssertFailed(const char* expression, const char* file, int line);

#define ZQ_ASSERT(expr) ((expr) ? (void)0 : AssertFailed(#expr, __FILE__, __LINE__))
