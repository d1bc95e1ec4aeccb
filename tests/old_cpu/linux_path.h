// How the i386 program's seams read the program's paths and report
// failures: backslashes separate components as they do for the product,
// and a failure gets the Win32 code the product would see.
#pragma once

#include <asm/stat.h>

#include "fs/path_utils.h"

// path with every backslash turned into a slash; false, with code 206
// set, when it does not fit in kMaxPath characters.
bool ToLinuxPath(const char* path, char* linuxPath);

// The Win32 code for a failed call's result on linuxPath: a missing entry
// is 2 when its directory exists and 3 when that is missing too.
unsigned long Win32CodeOf(long result, const char* linuxPath);

// stat64 of a path: the call's result.
long StatPath(const char* linuxPath, struct stat64& info);
