// The plain copies of the file list (and of the data backup), as SETUP.EXE
// carries them out; the walk (install/installation_walk.h) decides when.
#pragma once

#include <cstdint>

#include "install/file_entry.h"
#include "install/install_state.h"

// Copies a plain file in blocks, with progress, attributes and stamp. The
// copy is written to target, or to written when it is given (the target's
// temporary name); target is what may not be the source.
EntryResult CopyPlainFile(const char* source, const char* target, int32_t& runningBytes,
                          const char* written = nullptr);

// A kind W or S copy: written under the temporary name and put in place of
// the old file only once whole.
EntryResult CopySharedFile(const FileEntryPlan& plan, int32_t& runningBytes);
