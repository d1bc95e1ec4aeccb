// The entries of the file list carried out: measuring tells how many bytes
// an entry will install; installing copies the file or unpacks the archive
// where its plan (install/file_entry.h) says.
#pragma once

#include <cstdint>

#include "install/file_entry.h"
#include "install/install_state.h"

int32_t MeasureEntry(const FileEntryPlan& plan, const InstallPlaces& places);

EntryResult InstallEntry(const FileEntryPlan& plan, const InstallPlaces& places, int32_t& runningBytes);

// Copies a plain file in blocks, with progress, attributes and stamp. The
// copy is written to target, or to written when it is given (the target's
// temporary name); target is what may not be the source.
EntryResult CopyPlainFile(const char* source, const char* target, int32_t& runningBytes,
                          const char* written = nullptr);
