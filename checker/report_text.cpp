#include <cstdio>
#include <string>

#include "checker/reports.h"

namespace {

const int kLabelWidth = 13;
const int kNameWidth = 34;

class TextReport : public Report {
public:
    TextReport(FILE* out, bool quiet) : out_(out), quiet_(quiet) {}

    void Begin(const DistributionFacts& facts) override {
        fprintf(out_, "%s reads %s", facts.program.c_str(), facts.setupInfo.c_str());
        if (!facts.title.empty()) fprintf(out_, ": %s", facts.title.c_str());
        fprintf(out_, "\n");
        if (facts.disks > 1) fprintf(out_, "%d disks: the distribution folder and %d more\n", facts.disks, facts.disks - 1);
    }
    void BeginChoice(const ChoiceFacts& choice) override {
        ++choices_;
        if (quiet_) return;
        fprintf(out_, "\n== %s\n", choice.label.c_str());
    }
    void Destination(const std::string& path, const std::string& origin) override {
        Line("destination", path + "  (" + origin + ")");
    }
    void RunningProgram(int key, const std::string& windowClass, const std::string& displayName,
                        const std::string& title) override {
        Line("not running", std::to_string(key) + "  window class " + windowClass + ", shown as \"" + displayName +
                                "\", " + (title.empty() ? "any title" : "title \"" + title + "\""));
    }
    void Backup(int key, const std::string& entry, const std::string& path, const std::string& first,
                const std::string& last) override {
        if (path.empty()) {
            Line("backup", std::to_string(key) + "  " + entry + "  (path too long: no backup)");
            return;
        }
        Line("backup", std::to_string(key) + "  " + path + " when it exists -> " + first + " .. " + last);
    }
    void Entry(const EntryFacts& entry) override {
        if (quiet_) return;
        std::string text = std::to_string(entry.key) + "  " + Padded(entry.value, kNameWidth - 3) + " " +
                           entry.action;
        if (entry.sourceFound && (entry.kind == 'Z' || entry.kind == 'M')) {
            text += ", " + std::to_string(entry.sourceSize) + " bytes";
        } else if (entry.sourceFound) {
            text += ": " + std::to_string(entry.sourceSize) + " bytes to " + entry.target;
        }
        if (!entry.note.empty()) text += " (" + entry.note + ")";
        Line("entry", text);
    }
    void Archive(const ArchiveFacts& archive) override {
        if (quiet_) return;
        fprintf(out_, "  %-*s%s: %s, read from disk %d\n", kLabelWidth - 2, "archive", archive.label.c_str(),
                archive.form.c_str(), archive.disk);
        if (archive.diskPrompt) Prompt(archive.diskPrompt, "as it opens " + archive.label);
    }
    void Member(const MemberFacts& member) override {
        if (quiet_) return;
        std::string where = member.status == "install" || member.status == "keep" ? member.output : std::string();
        std::string detail = member.detail;
        if (!where.empty() && !detail.empty()) where += "  (" + detail + ")";
        if (where.empty()) where = detail;
        fprintf(out_, "    %-9s%s %10lu  %s\n", member.status.c_str(), Padded(member.name, kNameWidth).c_str(),
                static_cast<unsigned long>(member.size), where.c_str());
        if (member.diskPrompt) Prompt(member.diskPrompt, "while it reads " + member.name);
    }
    void Profile(const ProfileFacts& profile) override {
        std::string text = std::to_string(profile.key) + "  " + Padded(profile.action, 8) + profile.file + " [" +
                           profile.section + "] " + profile.name;
        if (profile.action == "write") text += "=" + profile.value;
        Line("profile", text);
    }
    void Group(const GroupFacts& group) override {
        if (!group.reached) {
            Line("not reached", "backup pruning, profile entries and group: SETUP.EXE stopped before them");
            return;
        }
        if (!group.offered) {
            Line("group", "none offered (Groupname \"" + group.name + "\")");
            return;
        }
        Line("group", "\"" + group.name + "\", offered after success");
        for (const auto& item : group.items) {
            if (quiet_) continue;
            fprintf(out_, "  %-*s%s\n", kLabelWidth - 2, item.second ? "item" : "left out", item.first.c_str());
        }
    }
    void EndChoice(const ChoiceTotals& totals) override {
        Line("totals", std::to_string(totals.files) + " files, " + std::to_string(totals.bytes) +
                           " bytes; progress total " + std::to_string(totals.progressTotal) + " bytes");
    }
    void End(const Findings& findings, const Summary& summary) override {
        if (!findings.All().empty()) {
            fprintf(out_, "\nfindings\n");
            for (const Finding& finding : findings.All()) {
                fprintf(out_, "  %-8s %-19s %s\n", SeverityName(finding.severity), finding.code.c_str(),
                        finding.message.c_str());
                if (finding.choice.empty() || choices_ < 2) continue;
                std::string more = finding.choices > 1 ? " and " + std::to_string(finding.choices - 1) +
                                                             " more choice" + (finding.choices > 2 ? "s" : "")
                                                       : std::string();
                fprintf(out_, "  %-28s for %s%s\n", "", finding.choice.c_str(), more.c_str());
            }
        }
        std::string ignored = summary.ignored ? ", " + std::to_string(summary.ignored) + " ignored" : std::string();
        fprintf(out_, "\n%d error%s, %d warning%s%s, %s files, %s bytes\n", summary.errors,
                summary.errors == 1 ? "" : "s", summary.warnings, summary.warnings == 1 ? "" : "s", ignored.c_str(),
                std::to_string(summary.files).c_str(), std::to_string(summary.bytes).c_str());
    }

private:
    static std::string Padded(const std::string& text, int width) {
        std::string padded = text;
        if (static_cast<int>(padded.size()) < width) padded.append(static_cast<size_t>(width) - padded.size(), ' ');
        return padded;
    }
    void Line(const char* label, const std::string& text) {
        if (quiet_) return;
        fprintf(out_, "%-*s%s\n", kLabelWidth, label, text.c_str());
    }
    // Where the customer is asked to change the floppy.
    void Prompt(int disk, const std::string& when) {
        fprintf(out_, "    %-9sSETUP.EXE asks for disk %d %s\n", "prompt", disk, when.c_str());
    }

    FILE* out_;
    bool quiet_;
    int choices_ = 0;
};

}  // namespace

std::unique_ptr<Report> MakeTextReport(FILE* out, bool quiet) { return std::unique_ptr<Report>(new TextReport(out, quiet)); }
