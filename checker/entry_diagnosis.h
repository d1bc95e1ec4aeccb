// Why an entry of the file list fails, told to the vendor: the checker's
// own look at the distribution, after the installation's walk decided
// that it fails.
#pragma once

#include <string>

#include "checker/target_tracker.h"
#include "install/file_entry.h"

// " (there is Name: ...)" when the file exists in another case; else empty.
std::string CaseHint(const char* file);

// The file's first bytes (at most 4); empty when it cannot be read.
std::string Head(const char* path);

// Why a kind Z entry's file is not taken for a ZIP archive.
std::string NotZipReason(const char* path);

// Why a kind M entry unpacked nothing; found: its file exists.
std::string NestedNothing(const FileEntryPlan& plan, bool found);

// Whether a path will exist by the plan. A name ending in a backslash is
// found by no directory search.
bool FoundInPlan(TargetTracker& tracker, const char* path);
