// Version resources of files, read through VERSION.DLL, which is loaded at
// run time from the System directory so that a DLL of the same name planted
// beside SETUP.EXE is never used.
#pragma once

#include <cstdint>

struct FileVersion {
    int32_t mostSignificant;   // dwFileVersionMS
    int32_t leastSignificant;  // dwFileVersionLS
};

// Size of the file's version resource; 0 when it has none or is missing.
uint32_t VersionResourceSize(const char* path);

// The fixed file version; false when it cannot be read.
bool ReadFileVersion(const char* path, uint32_t resourceSize, FileVersion& version);
