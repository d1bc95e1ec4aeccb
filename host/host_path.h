// Host build only: how the POSIX stand-in of the file layer reads the
// program's paths and reports failures. Backslashes separate components
// as they do for the product, so portable code may build paths with
// AddBackslash; failures get the Win32 code the product would see.
#pragma once

// Win32 codes the product would report.
const unsigned long kFileNotFound = 2;
const unsigned long kPathNotFound = 3;
const unsigned long kAccessDenied = 5;
const unsigned long kInvalidHandle = 6;
const unsigned long kNotEnoughMemory = 8;
const unsigned long kInvalidParameter = 87;
const unsigned long kAlreadyExists = 183;
const unsigned long kHostNameTooLong = 206;  // ERROR_FILENAME_EXCED_RANGE

// Copies path into hostPath (kMaxPath characters) with every backslash
// turned into a slash. False, with the file error code set, when too long.
bool ToHostPath(const char* path, char* hostPath);

// The Win32 code for errno value error on hostPath. A missing entry is 2
// when its directory exists and 3 when that is missing too.
unsigned long HostErrorCode(int error, const char* hostPath);
