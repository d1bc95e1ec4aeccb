#include "install/file_entry.h"

#include <cstring>

namespace {

char FoldKind(const char* token) {
    if (!token || token[0] == '\0') return ' ';
    char c = token[0];
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

EntryAction ActionOf(char kind) {
    switch (kind) {
    case 'W': return kCopyToWindows;
    case 'S': return kCopyToSystem;
    case 'Z': return kUnpackArchive;
    case 'M': return kUnpackNestedArchives;
    default: return kCopyToDestination;
    }
}

const char* TargetDirectory(EntryAction action, const InstallPlaces& places) {
    if (action == kCopyToWindows) return places.windowsDirectory;
    if (action == kCopyToSystem) return places.systemDirectory;
    return places.destination;
}

}  // namespace

void PlanFileEntry(const char* entry, const InstallPlaces& places, FileEntryPlan& plan) {
    char text[kMaxPath];
    CopyBounded(text, entry, kMaxPath);
    const char* file = NextToken(text, ',');
    const char* kind = NextToken(nullptr, ',');
    const char* member = NextToken(nullptr, ',');
    CopyBounded(plan.file, file ? file : "", kMaxPath);
    plan.kind = FoldKind(kind);
    plan.action = ActionOf(plan.kind);
    plan.hasMember = member != nullptr;
    CopyBounded(plan.member, member ? member : "", kMaxPath);
    plan.sourceFits = JoinPath(places.setupDirectory, plan.file, plan.source);
    if (!plan.sourceFits) plan.source[0] = '\0';
    plan.targetFits = JoinPath(TargetDirectory(plan.action, places), plan.file, plan.target);
    if (!plan.targetFits) plan.target[0] = '\0';
}

bool IsSharedFileEntry(const FileEntryPlan& plan) {
    return plan.action == kCopyToWindows || plan.action == kCopyToSystem;
}
