#include <cstdio>
#include <string>

#include "checker/code_page_1252.h"
#include "checker/reports.h"

namespace {

std::string Str(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char escape[8];
                snprintf(escape, sizeof escape, "\\u%04x", c);
                out += escape;
            } else {
                Append1252AsUtf8(out, c);
            }
        }
    }
    return out + "\"";
}

std::string Num(long long n) { return std::to_string(n); }
std::string Bool(bool b) { return b ? "true" : "false"; }
// Eight hex digits, as archivers list a CRC-32.
std::string Hex8(uint32_t n) {
    char text[9];
    snprintf(text, sizeof text, "%08x", static_cast<unsigned>(n));
    return std::string("\"") + text + "\"";
}

// Arrays of a choice, in the order the walk fills them.
enum Part { kNoPart = -1, kRunning, kBackups, kEntries, kProfiles, kPartCount };
const char* const kPartNames[kPartCount] = {"runningPrograms", "backups", "entries", "profileEntries"};

class JsonReport : public Report {
public:
    JsonReport(FILE* out, bool quiet) : out_(out), quiet_(quiet) {}

    void Begin(const DistributionFacts& facts) override {
        Put("{\"setupInfo\":" + Str(facts.setupInfo) + ",\"program\":" + Str(facts.program) +
            ",\"title\":" + Str(facts.title) + ",\"disks\":" + Num(facts.disks) + ",\"choices\":[");
    }
    void BeginChoice(const ChoiceFacts& c) override {
        if (quiet_) return;
        Put(std::string(firstChoice_ ? "" : ",") + "\n{\"label\":" + Str(c.label) + ",\"language\":{\"index\":" +
            Num(c.languageIndex) + ",\"name\":" + Str(c.languageName) + ",\"letter\":" +
            Str(c.letter ? std::string(1, c.letter) : std::string()) + ",\"asked\":" + Bool(c.languageAsked) +
            ",\"allLanguages\":" + Bool(c.allLanguages) + ",\"singleLanguage\":" + Str(c.singleLanguage) +
            "},\"versionMask\":" + Num(c.versionMask) + ",\"versionAsked\":" + Bool(c.versionAsked));
        firstChoice_ = false;
        part_ = kNoPart;
    }
    void Destination(const std::string& path, const std::string& origin) override {
        if (quiet_) return;
        Put(",\"destination\":{\"path\":" + Str(path) + ",\"origin\":" + Str(origin) + "}");
    }
    void RunningProgram(int key, const std::string& windowClass, const std::string& displayName,
                        const std::string& title) override {
        Item(kRunning, "{\"key\":" + Num(key) + ",\"class\":" + Str(windowClass) + ",\"displayName\":" +
                           Str(displayName) + ",\"title\":" + Str(title) + "}");
    }
    void Backup(int key, const std::string& entry, const std::string& path, const std::string& first,
                const std::string& last) override {
        Item(kBackups, "{\"key\":" + Num(key) + ",\"entry\":" + Str(entry) + ",\"path\":" + Str(path) +
                           ",\"firstBackup\":" + Str(first) + ",\"lastBackup\":" + Str(last) + "}");
    }
    void Entry(const EntryFacts& e) override {
        if (quiet_) return;
        Item(kEntries, "{\"key\":" + Num(e.key) + ",\"value\":" + Str(e.value) + ",\"file\":" + Str(e.file) +
                           ",\"kind\":" + Str(std::string(1, e.kind)) + ",\"action\":" + Str(e.action) +
                           ",\"sourceFound\":" + Bool(e.sourceFound) + ",\"sourceSize\":" + Num(e.sourceSize) +
                           ",\"target\":" + Str(e.target) + ",\"shared\":" + Bool(e.shared) +
                           ",\"writes\":" + Bool(e.writes) + ",\"note\":" + Str(e.note) + ",\"archives\":[");
        entryOpen_ = true;
        firstArchive_ = true;
    }
    void Archive(const ArchiveFacts& a) override {
        if (quiet_) return;
        CloseArchive();
        Put(std::string(firstArchive_ ? "" : ",") + "\n {\"label\":" + Str(a.label) + ",\"form\":" + Str(a.form) +
            ",\"disk\":" + Num(a.disk) + ",\"diskPrompt\":" + Num(a.diskPrompt) + ",\"members\":[");
        firstArchive_ = false;
        archiveOpen_ = true;
        firstMember_ = true;
    }
    void Member(const MemberFacts& m) override {
        if (quiet_) return;
        Put(std::string(firstMember_ ? "" : ",") + "\n  {\"name\":" + Str(m.name) + ",\"size\":" + Num(m.size) +
            ",\"crc\":" + Hex8(m.crc) + ",\"status\":" + Str(m.status) + ",\"output\":" + Str(m.output) +
            ",\"detail\":" + Str(m.detail) + ",\"folder\":" + Bool(m.folder) + ",\"writes\":" + Bool(m.writes) +
            ",\"diskPrompt\":" + Num(m.diskPrompt) + "}");
        firstMember_ = false;
    }
    void Profile(const ProfileFacts& p) override {
        Item(kProfiles, "{\"key\":" + Num(p.key) + ",\"action\":" + Str(p.action) + ",\"file\":" + Str(p.file) +
                            ",\"section\":" + Str(p.section) + ",\"name\":" + Str(p.name) + ",\"value\":" +
                            Str(p.value) + "}");
    }
    void Group(const GroupFacts& g) override {
        if (quiet_) return;
        SwitchTo(kPartCount);
        std::string items;
        for (const auto& item : g.items) {
            items += std::string(items.empty() ? "" : ",") + "{\"line\":" + Str(item.first) +
                     ",\"exists\":" + Bool(item.second) + "}";
        }
        Put(",\"group\":{\"name\":" + Str(g.name) + ",\"reached\":" + Bool(g.reached) + ",\"offered\":" +
            Bool(g.offered) + ",\"items\":[" + items + "]}");
    }
    void EndChoice(const ChoiceTotals& t) override {
        if (quiet_) return;
        SwitchTo(kPartCount);
        Put(",\"totals\":{\"files\":" + Num(t.files) + ",\"bytes\":" + Num(t.bytes) + ",\"progressTotal\":" +
            Num(t.progressTotal) + "}}");
    }
    void End(const Findings& findings, const Summary& s) override {
        Put("\n],\"findings\":[");
        bool first = true;
        for (const Finding& f : findings.All()) {
            Put(std::string(first ? "" : ",") + "\n{\"code\":" + Str(f.code) + ",\"severity\":" +
                Str(SeverityName(f.severity)) + ",\"message\":" + Str(f.message) + ",\"choice\":" + Str(f.choice) +
                ",\"choices\":" + Num(f.choices) + "}");
            first = false;
        }
        Put("\n],\"summary\":{\"errors\":" + Num(s.errors) + ",\"warnings\":" + Num(s.warnings) + ",\"notes\":" +
            Num(s.notes) + ",\"ignored\":" + Num(s.ignored) + ",\"files\":" + Num(s.files) + ",\"bytes\":" + Num(s.bytes) + "}}\n");
    }

private:
    void Put(const std::string& text) { fputs(text.c_str(), out_); }

    void CloseArchive() {
        if (archiveOpen_) Put("]}");
        archiveOpen_ = false;
    }
    void CloseEntry() {
        CloseArchive();
        if (entryOpen_) Put("]}");
        entryOpen_ = false;
    }
    // Closes the open array and writes the empty ones between it and part.
    void SwitchTo(int part) {
        if (part == part_) return;
        CloseEntry();
        if (part_ != kNoPart) Put("]");
        for (int skipped = part_ + 1; skipped < part; ++skipped) Put(std::string(",\"") + kPartNames[skipped] + "\":[]");
        if (part < kPartCount) Put(std::string(",\"") + kPartNames[part] + "\":[");
        part_ = part < kPartCount ? part : kPartCount;
        firstItem_ = true;
    }
    void Item(int part, const std::string& item) {
        if (quiet_) return;
        SwitchTo(part);
        CloseEntry();
        Put(std::string(firstItem_ ? "" : ",") + "\n" + item);
        firstItem_ = false;
    }

    FILE* out_;
    bool quiet_;
    bool firstChoice_ = true;
    int part_ = kNoPart;
    bool firstItem_ = true;
    bool entryOpen_ = false;
    bool firstArchive_ = true;
    bool archiveOpen_ = false;
    bool firstMember_ = true;
};

}  // namespace

std::unique_ptr<Report> MakeJsonReport(FILE* out, bool quiet) { return std::unique_ptr<Report>(new JsonReport(out, quiet)); }
