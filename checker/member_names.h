// Member names that install, but not as the vendor meant: a folder named
// like a version prefix that is none (32bit\, win16\), and names a 16-bit
// program cannot see as they are (not 8.3).
#pragma once

#include <string>

// The first folder of the name whose digits are 16 or 32 but which is not
// the version prefix itself (e.g. "32bit", "16-bit", "win32"); empty when none.
std::string MistypedVersionFolder(const char* name);

// Whether one path component is a plain 8.3 name: at most 8 characters, a
// dot and at most 3 more, nothing a short name cannot hold.
bool IsShortName(const std::string& component);

// The first component of the name that is not 8.3; empty when all are.
std::string FirstLongComponent(const char* name);
