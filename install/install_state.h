// State shared by the workers of one installation run.
#pragma once

#include <cstdint>

#include "fs/path_utils.h"
#include "unzip/extract_member.h"

// Set when a shared file in the System directory was replaced: Windows
// must restart to use it. Cleared at the start of each run.
void SetRestartNeeded(bool needed);
bool RestartNeeded();

// Adds a file's size to a byte count; counts stop at the largest 32-bit
// value instead of running over.
int32_t AddByteCount(int32_t count, uint32_t size);

// Results of an entry of the file list (and of the archive workers' steps).
enum EntryResult {
    kEntryPassedOver = 1,  // failed, already reported, and the run goes on (shared files)
    kEntryDone = 0,
    kEntrySamePath = -1,   // source and target are the same file: nothing to do
    kEntryReadError = -2,
    kEntryWriteError = -3,
    kEntryCancelled = -4,
    kEntryDiskFull = -5,
};

// The failures that end the run: a read or write error, a cancel, a full
// disk. Done, passed over and source-equals-target go on to the next entry.
bool EndsRun(EntryResult result);

// What a member's extraction means for its entry: a member that cannot be
// read or decoded is a read error, an output that cannot be made a write
// error, a cancel ends the run.
EntryResult EntryResultOfExtraction(ExtractResult result);
