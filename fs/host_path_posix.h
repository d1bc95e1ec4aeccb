// Host build only: how the POSIX stand-in of the file layer reads the
// program's paths and reports failures. Backslashes separate components
// as they do for the product, so portable code may build paths with
// AddBackslash; failures get the Win32 code the product would see.
#pragma once

const unsigned long kHostNameTooLong = 206;  // ERROR_FILENAME_EXCED_RANGE

// Copies path into hostPath (kMaxPath characters) with every backslash
// turned into a slash. False, with the file error code set, when too long.
bool ToHostPath(const char* path, char* hostPath);

// The Win32 code for errno value error on hostPath. A missing entry is 2
// when its directory exists and 3 when that is missing too.
unsigned long HostErrorCode(int error, const char* hostPath);
