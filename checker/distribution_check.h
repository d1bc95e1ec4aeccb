// The whole check of a distribution folder: SETUP.inf found as SETUP.EXE
// finds it, the sections that offer the choices checked, every chosen
// language and version walked as the installation would go, the disks
// that were given but never asked for. Findings go to findings, the plan
// to the report.
#pragma once

#include <string>

#include "checker/check_codes.h"
#include "checker/options.h"
#include "checker/report.h"

// False when the check could not run (failure says why): an unreadable
// folder, a choice SETUP.EXE does not offer, no room for scratch files.
bool CheckDistribution(const CheckOptions& options, Report& report, Findings& findings, std::string& failure);

// Exit status: 0 no errors, 1 errors found, 2 could not run.
int ExitStatusOf(bool ran, const Findings& findings);
