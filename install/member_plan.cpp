#include "install/member_plan.h"

#include <cstring>

#include "base/startup_flags.h"
#include "fs/char_step.h"
#include "fs/format_text.h"
#include "fs/upper_case.h"

namespace {

const char kWindowsPrefix[] = "windows\\";
const char kSystemPrefix[] = "system\\";

bool Dbcs() { return GetStartupFlags().dbcs; }

// First occurrence of part that begins on a character boundary.
char* FindAtCharacter(char* text, const char* part) {
    if (!Dbcs()) return strstr(text, part);
    size_t length = strlen(part);
    for (char* p = text; *p; p = NextCharacter(p)) {
        if (strncmp(p, part, length) == 0) return p;
    }
    return nullptr;
}

// At the start of the text or right after a backslash character, not
// after the second byte of a double-byte one.
bool StartsComponent(const char* text, const char* at) {
    if (at == text) return true;
    if (!Dbcs()) return at[-1] == '\\';
    const char* previous = PreviousCharacter(text, at);
    return previous == at - 1 && *previous == '\\';
}

bool RemoveComponentPrefix(char* name, const char* prefix) {
    char* found = FindAtCharacter(name, prefix);
    if (!found || !StartsComponent(name, found)) return false;
    size_t prefixLength = strlen(prefix);
    memmove(found, found + prefixLength, strlen(found + prefixLength) + 1);
    return true;
}

// Case does not matter; the prefixes are plain ASCII.
bool HasPrefix(const char* name, const char* prefix) {
    for (; *prefix; ++name, ++prefix) {
        char c = *name;
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != *prefix) return false;
    }
    return true;
}

// Refused names: each would lead out of the directory it is placed in.
MemberVerdict EscapeVerdict(const char* name) {
    if (name[0] == '\\') return kMemberRefusedRooted;
    if (ScanChar(name, ':')) return kMemberRefusedDrive;
    for (const char* component = name; *component;) {
        const char* end = ScanChar(component, '\\');
        size_t length = end ? static_cast<size_t>(end - component) : strlen(component);
        if (length == 2 && component[0] == '.' && component[1] == '.') return kMemberRefusedParent;
        if (!end) break;
        component = end + 1;
    }
    return kMemberInstalled;
}

}  // namespace

int StripVersionPrefix(char* name) {
    int bits = 0;
    if (RemoveComponentPrefix(name, "16\\")) bits |= 1;
    if (RemoveComponentPrefix(name, "32\\")) bits |= 2;
    return bits;
}

bool PassesLanguageFilter(const char* name, const char* singleLanguage, const char* languageDirectory) {
    if (singleLanguage[0] == '\0' || languageDirectory[0] == '\0') return true;
    char directory[kMaxPath + 1];
    CopyBounded(directory, languageDirectory, kMaxPath);
    AddBackslash(directory);
    char upperName[kMaxPath];
    CopyBounded(upperName, name, kMaxPath);
    UpperCaseText(upperName);
    UpperCaseText(directory);
    const char* found = FindAtCharacter(upperName, directory);
    if (!found || !StartsComponent(upperName, found)) return true;
    const char* lastBackslash = ScanCharBack(upperName, '\\');
    if (!lastBackslash) return true;
    char upperSingle[kMaxPath];
    CopyBounded(upperSingle, singleLanguage, kMaxPath);
    UpperCaseText(upperSingle);
    return strncmp(lastBackslash + 1, upperSingle, strlen(upperSingle)) == 0;
}

void PlanMember(const char* memberName, const char* targetDirectory, const InstallPlaces& places,
                MemberPlan& plan) {
    CopyBounded(plan.name, memberName, kMaxPath);
    plan.output[0] = '\0';
    plan.placement = kPlacedInDestination;
    plan.placedNameStart = 0;
    plan.versionBits = StripVersionPrefix(plan.name);
    plan.isDirectory = EndsWithBackslash(plan.name);
    if (plan.versionBits != 0 && (plan.versionBits & places.versionMask) == 0) {
        plan.verdict = kMemberSkippedForVersion;
        return;
    }
    if (!PassesLanguageFilter(plan.name, places.singleLanguage, places.languageDirectory)) {
        plan.verdict = kMemberSkippedForLanguage;
        return;
    }
    plan.verdict = EscapeVerdict(plan.name);
    if (plan.verdict != kMemberInstalled) return;
    const char* directory = targetDirectory;
    if (HasPrefix(plan.name, kWindowsPrefix)) {
        plan.placement = kPlacedInWindows;
        plan.placedNameStart = static_cast<int>(strlen(kWindowsPrefix));
        directory = places.windowsDirectory;
    } else if (HasPrefix(plan.name, kSystemPrefix)) {
        plan.placement = kPlacedInSystem;
        plan.placedNameStart = static_cast<int>(strlen(kSystemPrefix));
        directory = places.systemDirectory;
    }
    if (!JoinPath(directory, plan.name + plan.placedNameStart, plan.output)) {
        plan.output[0] = '\0';
        plan.verdict = kMemberTooLong;
    }
}

bool MemberReplacesExisting(const MemberPlan& plan, unsigned long stamp) {
    return plan.placement == kPlacedInDestination && (stamp & 0xFFFF) != 0;
}

void ReadOnlyTemporaryName(const char* target, char* temporary) {
    CopyBounded(temporary, target, kMaxPath);
    char* last = LastCharacter(temporary);
    last[0] = '$';
    last[1] = '\0';
}

bool MemberWanted(const MemberPlan& plan) {
    return plan.verdict != kMemberSkippedForVersion && plan.verdict != kMemberSkippedForLanguage;
}
