// Facts about the running system, recorded once at start-up and read by
// the string scanning (DBCS), the file layer (NT) and the destination
// dialog (new shell).
#pragma once

struct StartupFlags {
    bool dbcs;                     // multi-byte character set active
    bool nt;                       // Windows NT family
    unsigned short windowsVersion; // major * 256 + minor
    bool newShell;                 // version 3.90 or later: folder browsing exists
};

const StartupFlags& GetStartupFlags();
void SetStartupFlags(const StartupFlags& flags);

// Derives the NT, version and new-shell facts from a GetVersion value.
void ApplyVersionValue(StartupFlags& flags, unsigned long versionValue);

// Records the flags from the running system (product only).
void RecordStartupFlags();
