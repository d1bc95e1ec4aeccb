// setupcheck / SETUPCHK.EXE: what SETUP.EXE will install from a
// distribution, for every language and version choice, and what is wrong
// with it. See docs/setup-inf.md.
#include <cstdio>
#include <memory>
#include <string>

#include "checker/code_page_1252.h"
#include "checker/disk_capacity.h"
#include "checker/distribution_check.h"
#include "checker/options.h"
#include "checker/platform.h"
#include "checker/reports.h"
#include "unzip/crc32.h"

#ifdef _WIN32
#include "base/startup_flags.h"
#endif

int main(int argc, char** argv) {
    CheckOptions options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error)) {
        fprintf(stderr, "setupcheck: %s\n%s", error.c_str(), UsageText());
        return 2;
    }
    if (options.help) {
        fputs(UsageText(), stdout);
        return 0;
    }
#ifdef _WIN32
    // The DBCS flag decides how names are scanned, as in SETUP.EXE.
    RecordStartupFlags();
#endif
    InitCrc32Table();
    UseBinaryStdout();
    // Text in the terminal's character set; JSON is UTF-8 whatever it is.
    FILE* text = options.json ? stdout : TerminalTextStream();
    std::unique_ptr<Report> report =
        options.json ? MakeJsonReport(stdout, options.quiet) : MakeTextReport(text, options.quiet);
    // The disks' capacity is a fact of the folders, not of the walk.
    Findings capacity;
    if (!options.diskSize.empty()) {
        std::vector<std::string> folders = {options.distribution};
        folders.insert(folders.end(), options.disks.begin(), options.disks.end());
        CheckDiskCapacity(folders, options.diskSize, capacity);
    }
    if (!options.ignore.empty() || !capacity.All().empty())
        report = MakeIgnoringReport(std::move(report), options.ignore, &capacity);
    Findings findings;
    bool ran = CheckDistribution(options, *report, findings, error);
    report.reset();
    if (text != stdout) fclose(text);
    fflush(stdout);
    if (!ran) fprintf(stderr, "setupcheck: %s\n", error.c_str());
    if (ran && capacity.Count(kSeverityError) > 0) return 1;
    return ExitStatusOf(ran, findings);
}
