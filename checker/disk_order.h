// Disks given in the wrong order. A spanned archive's directory, on the
// first disk, names the disk each member starts on, and that member's
// local header lies at its offset in the file of that disk. A --disk
// folder that holds the start of a member of another disk number was
// given in another disk's place: SETUP.EXE would read it as the disk its
// prompt asked for and decode another piece of the data.
#pragma once

#include <string>
#include <vector>

#include "checker/check_codes.h"

// disks: the distribution folder first, then the --disk folders in order.
void CheckDiskOrder(const std::vector<std::string>& disks, const std::vector<std::string>& givenNames,
                    Findings& findings);
