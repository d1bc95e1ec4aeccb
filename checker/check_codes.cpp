#include "checker/check_codes.h"

#include <cstdio>
#include <cstdlib>

const std::vector<CheckCode>& AllCheckCodes() {
    static const std::vector<CheckCode> codes = {
        {"inf-missing", kSeverityError, "SETUP.inf is not where SETUP.EXE looks: beside it, with its name and the extension inf"},
        {"program-missing", kSeverityWarning, "no SETUP.EXE in the distribution folder; SETUP.inf is checked as SETUP.EXE would look for it"},
        {"language-count", kSeverityWarning, "Count of [languages] lists fewer than two languages for the dialog, or keys past Count are never read"},
        {"language-default", kSeverityWarning, "Default of [languages] names no language"},
        {"language-gap", kSeverityWarning, "an empty languages key: the dialog's lines move up, but each index still reads its own key"},
        {"version-mask", kSeverityWarning, "Vernum is neither 4 nor a mask from 1 to 3, or prefixed members are never installed"},
        {"list-gap", kSeverityWarning, "a numbered list with a gap: the keys after it are never read"},
        {"list-limit", kSeverityWarning, "a numbered list beyond its limit: profile entries past 101, group items past 20"},
        {"file-missing", kSeverityError, "a file of the file list is not in the distribution"},
        {"folder-missing", kSeverityError, "a plain copy into a folder that no earlier archive member makes"},
        {"path-too-long", kSeverityError, "a source or target path over 259 characters"},
        {"long-destination", kSeverityWarning, "a target path over 259 characters under a destination of 100 characters"},
        {"not-zip", kSeverityError, "an archive entry whose file SETUP.EXE does not take for a ZIP archive"},
        {"zip64", kSeverityError, "a ZIP64 archive: SETUP.EXE reads only the classic format"},
        {"directory-damaged", kSeverityError, "an archive whose directory cannot be read whole"},
        {"encrypted", kSeverityError, "an encrypted member"},
        {"method", kSeverityError, "a member compressed with a method other than 0 (stored) and 8 (deflated)"},
        {"damaged-data", kSeverityError, "a member whose deflate data cannot be decoded: a damaged copy, named with the offset"},
        {"crc-mismatch", kSeverityError, "a member that decodes, but not to its CRC-32: a damaged copy"},
        {"bad-data", kSeverityError, "a member whose local header cannot be read, or whose data ends early"},
        {"disk-missing", kSeverityError, "a member that continues on a disk that no --disk gives"},
        {"disk-order", kSeverityError, "a --disk given in another disk's place: the directory puts a member's start on it under another number"},
        {"inf-not-on-disk", kSeverityError, "a later disk without SETUP.inf: SETUP.EXE reads the rest of its values from the disk in the drive"},
        {"member-refused", kSeverityError, "a member name the installer refuses: rooted, a drive or stream colon, or a .. component"},
        {"oem-name", kSeverityWarning, "a member name that changes in the OEM-to-ANSI conversion"},
        {"same-target", kSeverityWarning, "two entries or members write the same file: the later wins"},
        {"nested-nothing", kSeverityWarning, "a kind M entry that installs nothing"},
        {"not-measured", kSeverityWarning, "an archive that cannot be measured on the first disk: the progress total is short"},
        {"group-item-missing", kSeverityWarning, "a group item whose file no entry installs"},
        {"group-name-long", kSeverityWarning, "a group name over 63 characters: it is cut"},
        {"display-name-long", kSeverityWarning, "a running-program display name over 93 characters: the messages cut it"},
        {"profile-comma", kSeverityWarning, "a profile value with a comma: only the text before it is written"},
        {"profile-nothing", kSeverityWarning, "a profile entry without a key: it does nothing"},
        {"lettered-orphan", kSeverityWarning, "a lettered section that belongs to no language"},
        {"disk-full", kSeverityError, "a disk holds more than the floppy of --disk-size: counted in clusters and root directory entries"},
        {"disk-unused", kSeverityWarning, "a disk given with --disk that no choice asks for"},
        {"lettered-fallback", kSeverityNote, "a language's lettered section lacks keys of the base section, which stand in"},
        {"inf-differs", kSeverityError, "a later disk's SETUP.inf differs from the first disk's: SETUP.EXE reads the rest of its values from the disk in the drive"},
        {"no-version-resource", kSeverityWarning, "a kind S or W file without a version resource: it is copied only where no file of its name exists"},
        {"version-folder", kSeverityWarning, "a member folder named like a version prefix that is none (32bit\\, 16-bit\\, win32\\): installed for every version"},
        {"versions-same", kSeverityWarning, "version choices that install the same files: the version question changes nothing between them"},
        {"language-name-missing", kSeverityWarning, "a language without a LangName entry: answering \"only my language\" installs every language's files"},
        {"list-gap-drops", kSeverityError, "a file list gap followed by entries whose files are in the distribution: they are never installed"},
        {"long-name-16", kSeverityWarning, "a member in a 16\\ folder whose name is not 8.3: a 16-bit program sees only its short name"},
    };
    return codes;
}

const CheckCode* FindCheckCode(const std::string& code) {
    for (const CheckCode& known : AllCheckCodes()) {
        if (code == known.code) return &known;
    }
    return nullptr;
}

const char* SeverityName(Severity severity) {
    switch (severity) {
    case kSeverityError: return "error";
    case kSeverityWarning: return "warning";
    default: return "note";
    }
}

void Findings::Add(const std::string& code, const std::string& message) {
    const CheckCode* known = FindCheckCode(code);
    if (!known) {
        // A code missing from the table is the checker's own mistake.
        fprintf(stderr, "setupcheck: unknown check code %s\n", code.c_str());
        abort();
    }
    const std::string key = code + '\n' + message;
    auto found = index_.find(key);
    if (found == index_.end()) {
        found = index_.emplace(key, findings_.size()).first;
        findings_.push_back(Finding{code, known->severity, message, choice_, 0});
    }
    if (!choice_.empty() && counted_.insert(key + '\n' + choice_).second) ++findings_[found->second].choices;
}

void Findings::SetChoice(const std::string& label) { choice_ = label; }

int Findings::Remove(const std::vector<std::string>& codes) {
    std::vector<Finding> kept;
    for (const Finding& finding : findings_) {
        bool drop = false;
        for (const std::string& code : codes) drop = drop || finding.code == code;
        if (!drop) kept.push_back(finding);
    }
    int removed = static_cast<int>(findings_.size() - kept.size());
    findings_.swap(kept);
    index_.clear();
    for (size_t i = 0; i < findings_.size(); ++i) index_.emplace(findings_[i].code + '\n' + findings_[i].message, i);
    return removed;
}

int Findings::Count(Severity severity) const {
    int count = 0;
    for (const Finding& finding : findings_) count += finding.severity == severity ? 1 : 0;
    return count;
}
