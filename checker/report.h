// What the checker tells: the plan of each language and version choice in
// the installer's order, the findings and the summary. The text report is
// for people, the JSON report for CI; both get the same calls.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "checker/check_codes.h"

struct DistributionFacts {
    std::string setupInfo;    // the file's name, as SETUP.EXE derives it
    std::string program;      // SETUP.EXE's name in the folder
    std::string title;        // Program of [Installation]
    int disks = 1;
};

struct ChoiceFacts {
    int languageIndex = 1;
    std::string languageName;
    char letter = '\0';
    bool languageAsked = false;
    bool allLanguages = true;     // the answer to the other languages' question
    std::string singleLanguage;   // the language files' name when not all
    int versionMask = 0;
    bool versionAsked = false;
    std::string label;
};

struct EntryFacts {
    int key = 0;
    std::string value;            // as listed
    std::string file;
    std::string source;           // the file read, on the disk then in the drive
    char kind = ' ';
    std::string action;           // what the entry does
    bool sourceFound = false;
    uint32_t sourceSize = 0;
    std::string target;           // the file it writes; empty for archives, which write members
    bool shared = false;          // Windows or System directory: version-checked
    bool writes = false;          // a file lands at target
    std::string note;             // why not, or what else to know
};

struct ArchiveFacts {
    std::string label;            // e.g. extras.zip > SAMPLES.ZIP
    std::string form;             // ZIP archive, self-extracting, inner archive at offset N
    int disk = 0;
    int diskPrompt = 0;           // the disk SETUP.EXE asks for as it opens the archive; 0 none
};

struct MemberFacts {
    std::string name;             // as listed (ANSI)
    uint32_t size = 0;
    uint32_t crc = 0;             // as the archive records it
    std::string status;           // install, skip, refuse, fail, keep
    std::string output;           // where it lands
    std::string detail;           // why, when not installed as is
    bool folder = false;
    bool writes = false;          // a file lands at output
    int diskPrompt = 0;           // the disk SETUP.EXE asks for while reading it; 0 none
};

struct ProfileFacts {
    int key = 0;
    std::string action;           // write, delete, nothing
    std::string file, section, name, value;
};

struct GroupFacts {
    std::string name;
    bool reached = true;          // false: the installation stopped before its finish
    bool offered = false;
    std::vector<std::pair<std::string, bool>> items;  // line, exists after the installation
};

struct ChoiceTotals {
    long long files = 0;
    long long bytes = 0;
    int32_t progressTotal = 0;
    std::vector<std::string> written;  // every file the choice writes and what writes it, in order
};

struct Summary {
    int errors = 0;
    int warnings = 0;
    int notes = 0;
    int ignored = 0;  // findings left out by --ignore
    long long files = 0;
    long long bytes = 0;
};

class Report {
public:
    virtual ~Report() {}
    virtual void Begin(const DistributionFacts& facts) = 0;
    virtual void BeginChoice(const ChoiceFacts& choice) = 0;
    virtual void Destination(const std::string& path, const std::string& origin) = 0;
    virtual void RunningProgram(int key, const std::string& windowClass, const std::string& displayName,
                                const std::string& title) = 0;
    virtual void Backup(int key, const std::string& entry, const std::string& path, const std::string& first,
                        const std::string& last) = 0;
    virtual void Entry(const EntryFacts& entry) = 0;
    virtual void Archive(const ArchiveFacts& archive) = 0;
    virtual void Member(const MemberFacts& member) = 0;
    virtual void Profile(const ProfileFacts& profile) = 0;
    virtual void Group(const GroupFacts& group) = 0;
    virtual void EndChoice(const ChoiceTotals& totals) = 0;
    virtual void End(const Findings& findings, const Summary& summary) = 0;
};

// A report that says nothing: the first pass of each choice.
class SilentReport : public Report {
public:
    void Begin(const DistributionFacts&) override {}
    void BeginChoice(const ChoiceFacts&) override {}
    void Destination(const std::string&, const std::string&) override {}
    void RunningProgram(int, const std::string&, const std::string&, const std::string&) override {}
    void Backup(int, const std::string&, const std::string&, const std::string&, const std::string&) override {}
    void Entry(const EntryFacts&) override {}
    void Archive(const ArchiveFacts&) override {}
    void Member(const MemberFacts&) override {}
    void Profile(const ProfileFacts&) override {}
    void Group(const GroupFacts&) override {}
    void EndChoice(const ChoiceTotals&) override {}
    void End(const Findings&, const Summary&) override {}
};
