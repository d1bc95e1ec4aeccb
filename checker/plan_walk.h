// One language and version choice walked by the installation's own walk,
// with the installer's own decisions: the destination, the
// programs that must not run, the backups, the progress total, every file
// entry and archive member, the profile entries and the program group.
// Each choice is walked twice: first silently, to learn which paths are
// written more than once, then for the report.
#pragma once

#include <string>
#include <vector>

#include "checker/archive_inspector.h"
#include "checker/check_codes.h"
#include "checker/disk_drive.h"
#include "checker/inf_outline.h"
#include "checker/options.h"
#include "checker/report.h"
#include "checker/target_tracker.h"

struct WalkSetting {
    const CheckOptions& options;
    const InfOutline& outline;
    Findings& findings;
    DiskDrive& drive;
    ArchiveInspector& inspector;
    TargetTracker& tracker;
};

// Both passes of the choice; the report gets the second.
ChoiceTotals WalkChoice(WalkSetting& setting, const ChoiceFacts& choice, Report& report);
