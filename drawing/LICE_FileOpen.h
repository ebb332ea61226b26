#pragma once
// Opening a file by a UTF-8 path, for reading in binary mode.

#include <cstdio>

FILE* LICE_OpenFileForReading(const char* utf8Path);
