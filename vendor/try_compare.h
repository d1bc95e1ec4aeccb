// What SETUP.EXE left behind against the plan of the same choice: one line
// per difference, none when they agree.
#pragma once

#include <string>
#include <vector>

#include "vendor/try_plan.h"

// The files below the plan's destination, exactly; planned files elsewhere
// (the Windows and System directories) by size and CRC-32.
std::vector<std::string> CompareFiles(const TryPlan& plan);

// Planned writes have their value, planned deletions are gone. With nothing
// planned, listedProfile (the first disk's `ini1` line) must be unwritten.
// A profile file named without a folder lies in windowsDirectory.
std::vector<std::string> CompareProfiles(const TryPlan& plan, const std::string& listedProfile,
                                         const std::string& windowsDirectory);

// The group folder's links are the items the plan creates; a group not
// offered is looked for under listedGroup (the first disk's Groupname).
// Closes the group's folder window the shell opened.
std::vector<std::string> CompareGroup(const TryPlan& plan, const std::string& listedGroup);

// profile file, relative to the Windows directory when it names no folder.
std::string ProfilePath(const std::string& file, const std::string& windowsDirectory);
