// Prepares the output of one archive member: creates the file (replacing
// an existing one) or checks the directory, creates every missing
// directory level of drive and UNC paths, and on NTFS reserves the file's
// final size before the first write.
#pragma once

#include <cstdint>

#include "fs/file_ops.h"

// The new file, or kInvalidFile with the file error code set (always
// kInvalidFile for a directory member, whose code is 0 when the directory
// exists). A path longer than 259 characters is refused with code 206.
// madeDirectory, when given, tells whether a directory member's directory
// was made now (with plain attributes) rather than found.
FileHandle PrepareOutputFile(const char* path, bool isDirectory, uint32_t sizeToReserve,
                             bool* madeDirectory = nullptr);

// Creates each missing directory above the last backslash of path, from
// the first level below the drive root or the UNC share on.
void CreateMissingDirectories(char* path);
