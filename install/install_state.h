// State shared by the workers of one installation run.
#pragma once

#include "fs/path_utils.h"

// The path the write-error message names: the current entry's target, or
// the archive member whose output could not be created.
char* LastTargetPath();
void SetLastTargetPath(const char* path);

// Entry results of the workers.
const int kEntryDone = 0;
const int kEntrySamePath = -1;
const int kEntryReadError = -2;
const int kEntryWriteError = -3;
const int kEntryCancelled = -4;
const int kEntryDiskFull = -5;
