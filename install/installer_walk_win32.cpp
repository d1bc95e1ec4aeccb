#include "install/installer_walk.h"

#include <windows.h>

#include <cstring>

#include "base/window_context.h"
#include "fs/file_ops.h"
#include "fs/file_search.h"
#include "fs/format_text.h"
#include "install/data_backup.h"
#include "install/decoder_ports.h"
#include "install/file_entries.h"
#include "install/installation_walk.h"
#include "install/profile_entries.h"
#include "install/program_group.h"
#include "install/run_texts.h"
#include "install/system_files.h"
#include "progman/progman.h"
#include "progman/program_items.h"
#include "progress/progress_bars.h"
#include "progress/progress_dialog.h"
#include "resources/resource.h"
#include "setup/language.h"
#include "setup/numbered_list.h"

namespace {

int32_t g_runningBytes;

// The run's places, for the ports: set by the pass that walks.
const InstallPlaces* g_places;

const InstallPlaces& Places(void*) { return *g_places; }

bool ReadFileListEntry(void* context, int key, char* value) {
    return ReadListEntry(kLocalizedList, Places(context).installSection, key, value, kMaxPath);
}

int32_t g_total;

EntryResult MeasureCopy(void*, const FileEntryPlan& plan) {
    SearchRecord record;
    if (FindEntry(plan.source, record)) g_total = AddByteCount(g_total, record.size);
    return kEntryDone;
}

void MeasureMember(void*, const ZipEntry& entry) { g_total = AddByteCount(g_total, entry.size); }

bool Exists(void*, const char* path) { return PathExists(path); }

void Remove(void*, const char* path) { RemoveFile(path); }

bool Gate(void*, const FileEntryPlan& plan) { return VersionGate(plan.source, plan.target); }

EntryResult Copy(void*, const FileEntryPlan& plan) {
    if (IsSharedFileEntry(plan)) return CopySharedFile(plan, g_runningBytes);
    return CopyPlainFile(plan.source, plan.target, g_runningBytes);
}

void MemberBegins(void*, const ZipEntry& entry) {
    BeginProgressItem(g_runningBytes, static_cast<int32_t>(entry.size));
    g_runningBytes = AddByteCount(g_runningBytes, entry.size);
}

void MemberPlaced(void*, const char* output) { ShowProgressFile(output); }

ExtractResult Extract(void*, ArchiveSession& session, const ZipEntry&, const char* output, uint16_t attributes,
                      uint32_t headerOffset) {
    return ExtractSessionMember(session, output, attributes, headerOffset, InstallerDecoderPorts());
}

void PlaceRedirected(void* context, const char* temporary, const char* target) {
    if (ReplaceByNewer(temporary, target, Places(context).windowCaption)) SetRestartNeeded(true);
}

void SharedFileFailed(void* context, char kind, const char* text) {
    ShowSystemFileFailure(kind, text, Places(context).windowCaption);
}

// The message for a failed entry, owned by the progress dialog.
void ReportEntryFailure(void* context, EntryResult result, const FileEntryPlan& plan, const char* failedPath) {
    ShowWaitingProgressFile();
    char message[kMessageSize];
    if (result == kEntryReadError) {
        FormatBounded(message, sizeof message, Localized(kReadErrorMessage), plan.sourceFits ? plan.source : plan.file);
    } else if (result == kEntryWriteError) {
        FormatBounded(message, sizeof message, Localized(kWriteErrorMessage), failedPath);
    } else if (result == kEntryCancelled) {
        CopyBounded(message, Localized(kAbortedMessage), kMessageSize);
    } else {
        CopyBounded(message, Localized(kDiskFullMessage), kMessageSize);
    }
    MessageBoxA(ProgressDialogHandle(), message, Places(context).windowCaption, MB_OK | MB_ICONWARNING);
}

// The overall bar is full once the list has ended, also after a failure;
// the last file's name is on the line before any message that follows.
void ListEnds(void*, int) {
    ShowWaitingProgressFile();
    SetOverallPercent(100);
}

void Prune(void* context) { PruneBackups(Places(context).destination); }

void WriteProfiles(void* context) { WriteProfileEntries(Places(context).iniSection); }

void OfferProgramGroup(void* context) {
    const InstallPlaces& places = Places(context);
    char groupName[kGroupNameSize];
    LocalizedRead(places.groupSection, "Groupname", "none", groupName, kGroupNameSize);
    if (strcmp(groupName, "none") == 0) return;
    HWND dialog = ProgressDialogHandle();
    if (MessageBoxA(dialog, Localized(kGroupQuestion), places.windowCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    SetDlgItemTextA(dialog, IDC_PROGRESS_FILE, Localized(kCreatingGroupText));
    StartProgmanConversation();
    CreateProgramGroup(groupName, places.groupSection, places.destination);
    HWND shell = ShellWindow();
    BringWindowToTop(shell);
    BringWindowToTop(dialog);
    Sleep(1000);
    SetForegroundWindow(shell);
    SetForegroundWindow(dialog);
    SetFocus(dialog);
}

const WalkPorts kInstallerPorts = {
    {nullptr, ReadFileListEntry, Copy, MemberBegins, nullptr},
    Exists, Remove, Gate, MemberPlaced, Extract, PlaceRedirected, SharedFileFailed, ReportEntryFailure, ListEnds,
    Prune, WriteProfiles, OfferProgramGroup, nullptr, nullptr, nullptr, nullptr,
};

const ListPorts kMeasurePorts = {nullptr, ReadFileListEntry, MeasureCopy, MeasureMember, nullptr};

}  // namespace

int32_t MeasureFileList(const InstallPlaces& places) {
    g_total = 0;
    g_places = &places;
    MeasureInstallation(places, kMeasurePorts);
    return g_total;
}

int InstallFileList(const InstallPlaces& places) {
    g_runningBytes = 0;
    g_places = &places;
    return WalkInstallation(places, kInstallerPorts);
}
