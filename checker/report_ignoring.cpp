#include "checker/reports.h"

namespace {

class IgnoringReport : public Report {
public:
    IgnoringReport(std::unique_ptr<Report> inner, std::vector<std::string> ignore, const Findings* extra)
        : inner_(std::move(inner)), ignore_(std::move(ignore)), extra_(extra) {}

    void Begin(const DistributionFacts& f) override { inner_->Begin(f); }
    void BeginChoice(const ChoiceFacts& c) override { inner_->BeginChoice(c); }
    void Destination(const std::string& p, const std::string& o) override { inner_->Destination(p, o); }
    void RunningProgram(int k, const std::string& c, const std::string& d, const std::string& t) override {
        inner_->RunningProgram(k, c, d, t);
    }
    void Backup(int k, const std::string& e, const std::string& p, const std::string& f, const std::string& l) override {
        inner_->Backup(k, e, p, f, l);
    }
    void Entry(const EntryFacts& e) override { inner_->Entry(e); }
    void Archive(const ArchiveFacts& a) override { inner_->Archive(a); }
    void Member(const MemberFacts& m) override { inner_->Member(m); }
    void Profile(const ProfileFacts& p) override { inner_->Profile(p); }
    void Group(const GroupFacts& g) override { inner_->Group(g); }
    void EndChoice(const ChoiceTotals& t) override { inner_->EndChoice(t); }
    void End(const Findings& findings, const Summary& summary) override {
        Findings kept = findings;
        if (extra_) {
            kept.SetChoice("");
            for (const Finding& finding : extra_->All()) kept.Add(finding.code, finding.message);
        }
        Summary counted = summary;
        counted.errors = kept.Count(kSeverityError);
        counted.ignored = kept.Remove(ignore_);
        counted.warnings = kept.Count(kSeverityWarning);
        counted.notes = kept.Count(kSeverityNote);
        inner_->End(kept, counted);
    }

private:
    std::unique_ptr<Report> inner_;
    std::vector<std::string> ignore_;
    const Findings* extra_;
};

}  // namespace

std::unique_ptr<Report> MakeIgnoringReport(std::unique_ptr<Report> inner, std::vector<std::string> ignore,
                                           const Findings* extra) {
    return std::unique_ptr<Report>(new IgnoringReport(std::move(inner), std::move(ignore), extra));
}
