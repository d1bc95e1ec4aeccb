#include "install/plan_descriptions.h"

#include "fs/format_text.h"
#include "fs/path_utils.h"

const char* DescribeEntryAction(EntryAction action) {
    switch (action) {
    case kCopyToWindows: return "copy to the Windows directory, only over an older version";
    case kCopyToSystem: return "copy to the System directory, only over an older version";
    case kUnpackArchive: return "unpack the ZIP archive";
    case kUnpackNestedArchives: return "unpack the archives stored inside";
    default: return "copy to the destination";
    }
}

void DescribeMemberPlan(const MemberPlan& plan, const InstallPlaces& places, char* text, int size) {
    static const char* const kBits[] = {"", "16-bit", "32-bit", "16- and 32-bit"};
    static const char* const kPrefixes[] = {"", "16\\", "32\\", "16\\ and 32\\"};
    const int mask = places.versionMask;
    switch (plan.verdict) {
    case kMemberSkippedForVersion:
        FormatBounded(text, static_cast<size_t>(size), "skipped: %s member (%s), and the version mask %i (%s) has no bit of it",
                      kPrefixes[plan.versionBits & 3], kBits[plan.versionBits & 3], mask,
                      mask >= 1 && mask <= 3 ? kBits[mask] : "no version");
        return;
    case kMemberSkippedForLanguage: {
        char directory[kMaxPath + 1];
        CopyBounded(directory, places.languageDirectory, kMaxPath);
        AddBackslash(directory);
        const char* fileName = ScanCharBack(plan.name, '\\');
        fileName = fileName ? fileName + 1 : plan.name;
        // A folder member's name ends at its backslash: nothing to begin with the language's name.
        FormatBounded(text, static_cast<size_t>(size),
                      *fileName ? "skipped: in the language folder %s, and its file name %s does not begin with %s, "
                                  "the chosen language's name"
                                : "skipped: a folder in the language folder %s%s, so no file name begins with %s, "
                                  "the chosen language's name",
                      directory, fileName, places.singleLanguage);
        return;
    }
    case kMemberRefusedRooted: CopyBounded(text, "refused: rooted name (starts with a backslash)", size); return;
    case kMemberRefusedDrive: CopyBounded(text, "refused: drive or stream colon in the name", size); return;
    case kMemberRefusedParent: CopyBounded(text, "refused: \"..\" component leads out of the folder", size); return;
    case kMemberTooLong: CopyBounded(text, "refused: path longer than 259 characters", size); return;
    default:
        FormatBounded(text, static_cast<size_t>(size), "%s%s", plan.isDirectory ? "folder " : "", plan.output);
        return;
    }
}
