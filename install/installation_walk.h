// The installation's walk over the file list, written once: the list's
// order, each entry's plan and gates, archives and inner archives member
// by member with their plans, the read-only redirect, the keep-existing
// rule, the stop rules, and after success the backup pruning, the profile
// entries and the group. SETUP.EXE carries it out, its progress total
// measures with it, and the vendor's checker reports it; each gives the
// walk its own ports. The ports are function pointers with a context; a
// null report port is skipped, every other port is required.
#pragma once

#include <cstdint>

#include "install/file_entry.h"
#include "install/install_state.h"
#include "install/member_plan.h"
#include "unzip/extract_member.h"
#include "unzip/zip_directory.h"

// What became of a member; every member of a listed archive gets one.
enum MemberFate {
    kMemberNotWanted,   // another version or language: not even counted
    kMemberRefused,     // its name is refused: a read error ends the entry
    kMemberUnplaceable, // its path is too long: like an output that fails
    kMemberKept,        // a file is there and this member does not replace it
    kMemberUnpacked,
    kMemberNotUnpacked, // the extraction failed: see extraction
};

struct MemberStep {
    const ZipEntry* entry;
    const MemberPlan* plan;
    const char* output;        // where it is written: the plan's, or its '$' name
    bool redirected;           // read-only over an existing file: under the '$' name
    MemberFate fate;
    ExtractResult extraction;  // kMemberNotUnpacked only
};

// An archive about to be unpacked: the entry's file, or an inner archive
// stored in it (inner is its member in the outer listing).
struct ArchiveStep {
    const FileEntryPlan* entry;
    const ZipEntry* inner;  // null for a kind Z entry
    uint32_t base;
    int32_t length;         // 0: to the end of the file
};

// What both passes ask: the list, the plain files and the members.
struct ListPorts {
    void* context;
    // The file list's value at key, read from SETUP.inf on the disk in the
    // drive now; false at the list's end.
    bool (*readEntry)(void* context, int key, char* value);
    // A plain copy, shared or not; measuring: the file's share of the total.
    EntryResult (*copyFile)(void* context, const FileEntryPlan& plan);
    // A member that passed the filters, before anything else: progress.
    void (*memberBegins)(void* context, const ZipEntry& entry);
    // A report, may be null: each entry's result, after its failure was
    // reported.
    void (*entryDone)(void* context, int key, const FileEntryPlan& plan, EntryResult result);
};

// The installing pass's further ports; each gets list.context.
struct WalkPorts {
    ListPorts list;
    bool (*pathExists)(void* context, const char* path);
    void (*removeFile)(void* context, const char* path);
    // Kinds W and S: true lets the copy go ahead.
    bool (*versionGate)(void* context, const FileEntryPlan& plan);
    // Where the member goes now that the redirect is decided, kept or not.
    void (*memberPlaced)(void* context, const char* output);
    ExtractResult (*extractMember)(void* context, ArchiveSession& session, const ZipEntry& entry, const char* output,
                                   uint16_t attributes, uint32_t headerOffset);
    // A redirected member unpacked: it replaces the file when newer.
    void (*placeRedirected)(void* context, const char* temporary, const char* target);
    // A file of the Windows or System directory that failed: reported, and
    // the installation goes on. kind 'W' or 'S'.
    void (*sharedFileFailed)(void* context, char kind, const char* text);
    // An entry whose failure ends the run; failedPath is what a write
    // error names.
    void (*entryFailed)(void* context, EntryResult result, const FileEntryPlan& plan, const char* failedPath);
    // The list has ended, with the run's outcome: before the finish.
    void (*listEnds)(void* context, int outcome);
    void (*pruneBackups)(void* context);
    void (*writeProfileEntries)(void* context);
    void (*offerGroup)(void* context);

    // Reports, may be null.
    void (*archiveBegins)(void* context, const ArchiveStep& archive);
    void (*memberDone)(void* context, const MemberStep& step);
    // After a stop, every later entry of the list (read as above), and
    // once the list is read, the finish that is not reached.
    void (*entryNotReached)(void* context, int key, const char* value);
    void (*finishNotReached)(void* context);
};

// A stored member that holds an inner archive of a kind M entry: the one
// named (case does not matter), or every stored one when none is named.
bool IsChosenInnerArchive(const ZipEntry& entry, const char* member);

// Installs the file list and, after success, finishes; returns 0 for
// success, else the entry result that ended the run.
int WalkInstallation(const InstallPlaces& places, const WalkPorts& ports);

// The progress total's pass over the same list: every entry, with no gate,
// no effect and no stop; copyFile gives a plain file's share (its size, 0
// when missing) and memberBegins hears every member that counts, also one
// that would be kept.
void MeasureInstallation(const InstallPlaces& places, const ListPorts& ports);
