// State shared by the workers of one installation run.
#pragma once

#include <cstdint>

#include "fs/path_utils.h"

// The path the write-error message names: the current entry's target, or
// the archive member whose output could not be created.
char* LastTargetPath();
void SetLastTargetPath(const char* path);

// Set when a shared file in the System directory was replaced: Windows
// must restart to use it. Cleared at the start of each run.
void SetRestartNeeded(bool needed);
bool RestartNeeded();

// Adds a file's size to a byte count; counts stop at the largest 32-bit
// value instead of running over.
int32_t AddByteCount(int32_t count, uint32_t size);

// Entry results of the workers.
const int kEntryDone = 0;
const int kEntrySamePath = -1;
const int kEntryReadError = -2;
const int kEntryWriteError = -3;
const int kEntryCancelled = -4;
const int kEntryDiskFull = -5;
