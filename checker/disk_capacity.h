// --disk-size: whether each disk's folder fits the floppy it goes onto,
// counted as the medium holds it (whole clusters, root directory entries).
#pragma once

#include <string>
#include <vector>

#include "checker/check_codes.h"

// Adds a disk-full finding per folder (disk 0 first) that does not fit.
void CheckDiskCapacity(const std::vector<std::string>& folders, const std::string& medium, Findings& findings);
