// The checker's findings, one small distribution per row: the files the
// row lays out (SETUP.EXE, SETUP.inf, archives made byte by byte), the
// disks given, and exactly the check codes it must report. Every code of
// the table of codes has a row.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "checker/options.h"
#include "checker/check_codes.h"
#include "checker/disk_capacity.h"
#include "checker/distribution_check.h"
#include "checker/report.h"
#include "tests/checker/zip_builder.h"
#include "tests/fs/scratch_folder.h"
#include "unzip/crc32.h"

namespace {

typedef std::vector<std::pair<std::string, std::string>> Files;

const char kBase[] =
    "[Installation]\r\nProgram=Check\r\n[Destination]\r\nDir=C:\\APP\r\n[VersionCheck]\r\nVernum=3\r\n";

std::string Inf(const std::string& more) { return kBase + more; }

std::string Zip(const std::vector<TestMember>& members) { return ZipBuilder::Of(members); }

std::string Disk0() {
    std::string d0, d1;
    SpannedArchive("head", std::string(3000, 'b'), 1000, d0, d1);
    return d0;
}
std::string Disk1() {
    std::string d0, d1;
    SpannedArchive("head", std::string(3000, 'b'), 1000, d0, d1);
    return d1;
}

std::string NumberedLines(int from, int to, const std::string& value) {
    std::string lines;
    for (int n = from; n <= to; ++n) lines += std::to_string(n) + "=" + value + "\r\n";
    return lines;
}

struct Row {
    const char* name;
    Files files;                       // the distribution folder (disk 0)
    std::vector<Files> disks;          // further disks
    std::set<std::string> codes;       // exactly these
    int exitStatus;
    size_t findingCount = 0;           // when given, exactly this many findings
    const char* diskSize = nullptr;    // --disk-size, when the row checks capacity
};

std::vector<Row> Rows() {
    const std::string readme = "1=readme.txt\r\n";
    const std::string longName(240, 'n');
    return {
        {"clean", {{"SETUP.inf", Inf("[install]\r\n1=readme.txt\r\n2=app.zip,Z\r\n")}, {"readme.txt", "r"},
                   {"app.zip", Zip({{"APP.EXE", "x"}, {"32/APP32.DLL", "y"}})}}, {}, {}, 0},
        {"inf-missing", {{"INSTALL.INF", Inf("")}}, {}, {"inf-missing"}, 1},
        {"program-missing", {{"-SETUP.EXE", ""}, {"SETUP.inf", Inf("[install]\r\n" + readme)}, {"readme.txt", "r"}},
         {}, {"program-missing"}, 0},
        {"language-count", {{"SETUP.inf", Inf("[languages]\r\nCount=2\r\n1=English\r\n3=Deutsch,d\r\n[install]\r\n" + readme)},
                            {"readme.txt", "r"}}, {}, {"language-count"}, 0},
        {"language-default", {{"SETUP.inf", Inf("[languages]\r\nCount=2\r\nDefault=5\r\n1=English\r\n2=Deutsch\r\n"
                                                "[install]\r\n" + readme)}, {"readme.txt", "r"}},
         {}, {"language-default"}, 0},
        {"language-gap", {{"SETUP.inf", Inf("[languages]\r\nCount=3\r\n1=English\r\n3=Deutsch\r\n2=\r\n4=\r\n"
                                            "[install]\r\n" + readme)}, {"readme.txt", "r"}},
         {}, {"language-gap", "language-count"}, 0},
        {"version-mask", {{"SETUP.inf", "[VersionCheck]\r\nVernum=7\r\n[install]\r\n" + readme},
                          {"readme.txt", "r"}}, {}, {"version-mask"}, 0},
        {"list-gap", {{"SETUP.inf", Inf("[install]\r\n1=readme.txt\r\n3=gone.txt\r\n")}, {"readme.txt", "r"}},
         {}, {"list-gap"}, 0},
        {"list-limit", {{"SETUP.inf", Inf("[ini]\r\n" + NumberedLines(1, 102, "a.ini,S,K,V"))}}, {}, {"list-limit"}, 0},
        {"file-missing", {{"SETUP.inf", Inf("[install]\r\n1=gone.txt\r\n")}}, {}, {"file-missing"}, 1},
        {"folder-missing", {{"SETUP.inf", Inf("[install]\r\n1=data\\world.dat\r\n2=app.zip,Z\r\n3=docs\\read.me\r\n")},
                            {"app.zip", Zip({{"DOCS/GUIDE.TXT", "g"}})}, {"data/world.dat", "w"}, {"docs/read.me", "r"}},
         {}, {"folder-missing"}, 1},
        {"path-too-long", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n")},
                           {"app.zip", Zip({{"DOCS/" + longName + std::string(20, 'x'), "x"}})}},
         {}, {"path-too-long"}, 1},
        {"long-destination", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n")},
                              {"app.zip", Zip({{"DOCS/" + std::string(170, 'n'), "x"}})}},
         {}, {"long-destination"}, 0},
        {"not-zip", {{"SETUP.inf", Inf("[install]\r\n1=data.zip,Z\r\n")}, {"data.zip", "not an archive"}},
         {}, {"not-zip"}, 1},
        {"zip64", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n")}, {"app.zip", [] {
                       ZipBuilder zip;
                       zip.Local({"APP.EXE", "x"});
                       zip.Directory(0xFFFF);
                       return zip.Bytes();
                   }()}},
         {}, {"zip64"}, 1},
        {"directory-damaged", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n")}, {"app.zip", [] {
                                   ZipBuilder zip;
                                   zip.Local({"A.TXT", "a"});
                                   zip.Local({"B.TXT", "b"});
                                   zip.DamageRecord(1);
                                   zip.Directory();
                                   return zip.Bytes();
                               }()}},
         {}, {"directory-damaged"}, 1},
        {"encrypted", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n")},
                       {"app.zip", Zip({{"SECRET.TXT", "xxxxxxxxxxxx", 0, 1}})}}, {}, {"encrypted"}, 1},
        {"method", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n")},
                    {"app.zip", Zip({{"BIG.DAT", "data", 9}, {"MORE.DAT", "more", 9}})}}, {}, {"method"}, 1, 1},
        {"crc-mismatch", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n")},
                          {"app.zip", Zip({{"A.TXT", "damaged", 0, 0, true}})}}, {}, {"crc-mismatch"}, 1},
        // 0x07: the final block, of the reserved type 3.
        {"damaged-data", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n")},
                          {"app.zip", Zip({{"A.TXT", "\x07", 8}})}}, {}, {"damaged-data"}, 1},
        {"bad-data", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n")}, {"app.zip", [] {
                          std::string bytes = Zip({{"A.TXT", "a"}, {"B.TXT", "b"}});
                          bytes[36] = 'X';  // no local header where the directory puts B.TXT's
                          return bytes;
                      }()}}, {}, {"bad-data"}, 1},
        {"disk-missing", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n")}, {"app.zip", Disk0()}},
         {}, {"disk-missing"}, 1},
        {"three disks", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n")}, {"app.zip", ThreeDiskArchive()[0]}},
         {{{"app.zip", ThreeDiskArchive()[1]}}, {{"app.zip", ThreeDiskArchive()[2]}}}, {}, 0},
        {"disk-order", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n")}, {"app.zip", ThreeDiskArchive()[0]}},
         {{{"app.zip", ThreeDiskArchive()[2]}}, {{"app.zip", ThreeDiskArchive()[1]}}},
         {"disk-order", "crc-mismatch", "disk-unused"}, 1},
        {"two disks", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n")}, {"app.zip", Disk0()}},
         {{{"app.zip", Disk1()}}}, {}, 0},
        {"member-refused", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n")},
                            {"app.zip", Zip({{"../EVIL.TXT", "x"}})}}, {}, {"member-refused"}, 1},
        {"oem-name", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n")},
                      {"app.zip", Zip({{"M\x81LLER.TXT", "x"}})}}, {}, {"oem-name"}, 0},
        {"same-target", {{"SETUP.inf", Inf("[install]\r\n1=readme.txt\r\n2=app.zip,Z\r\n")}, {"readme.txt", "r"},
                         {"app.zip", Zip({{"README.TXT", "other"}})}}, {}, {"same-target"}, 0},
        {"nested-nothing", {{"SETUP.inf", Inf("[install]\r\n1=outer.zip,M,INNER.ZIP\r\n")},
                            {"outer.zip", Zip({{"OTHER.ZIP", Zip({{"A.TXT", "a"}})}})}}, {}, {"nested-nothing"}, 0},
        {"not-measured", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n2=late.zip,Z\r\n")}, {"app.zip", Disk0()}},
         {{{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n2=late.zip,Z\r\n")}, {"app.zip", Disk1()},
           {"late.zip", Zip({{"LATE.TXT", "late"}})}}}, {"not-measured"}, 0},
        {"inf-not-on-disk", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n[ini]\r\n1=app.ini,S,K,V\r\n")},
                             {"app.zip", Disk0()}}, {{{"app.zip", Disk1()}}}, {"inf-not-on-disk"}, 1},
        {"group-item-missing", {{"SETUP.inf", Inf("[install]\r\n" + readme + "[Group]\r\nGroupname=App\r\n"
                                                  "1=readme.txt\r\n2=gone.exe\r\n")}, {"readme.txt", "r"}},
         {}, {"group-item-missing"}, 0},
        {"group-name-long", {{"SETUP.inf", Inf("[install]\r\n" + readme + "[Group]\r\nGroupname=" +
                                               std::string(70, 'G') + "\r\n1=readme.txt\r\n")}, {"readme.txt", "r"}},
         {}, {"group-name-long"}, 0},
        {"display-name-long", {{"SETUP.inf", Inf("[Not running]\r\n1=AppClass," + std::string(100, 'D') + "\r\n")}},
         {}, {"display-name-long"}, 0},
        {"profile-comma", {{"SETUP.inf", Inf("[ini]\r\n1=app.ini,Window,Position,0,0,640,480\r\n")}},
         {}, {"profile-comma"}, 0},
        {"profile-nothing", {{"SETUP.inf", Inf("[ini]\r\n1=app.ini,Window\r\n")}}, {}, {"profile-nothing"}, 0},
        {"lettered-orphan", {{"SETUP.inf", Inf("[install]\r\n" + readme + "[installx]\r\n" + readme)},
                             {"readme.txt", "r"}}, {}, {"lettered-orphan"}, 0},
        {"disk-unused", {{"SETUP.inf", Inf("[install]\r\n" + readme)}, {"readme.txt", "r"}}, {{{"x.txt", "x"}}},
         {"disk-unused"}, 0},
        // A 720 KB floppy holds 713 clusters of 1024 bytes: 800000 bytes take 782.
        {"disk-full", {{"SETUP.inf", Inf("[install]\r\n" + readme)}, {"readme.txt", std::string(800000, 'r')}}, {},
         {"disk-full"}, 1, 0, "720"},
        {"lettered-fallback", {{"SETUP.inf", Inf("[languages]\r\nCount=2\r\n1=English\r\n2=Deutsch,d\r\n"
                                                 "[install]\r\n1=readme.txt\r\n2=readme.txt\r\n"
                                                 "[installd]\r\n1=readme.txt\r\n")}, {"readme.txt", "r"}},
         {}, {"lettered-fallback", "same-target"}, 0},
        {"inf-differs", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n")}, {"app.zip", Disk0()}},
         {{{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n[ini]\r\n1=app.ini,S,K,V\r\n")}, {"app.zip", Disk1()}}},
         {"inf-differs"}, 1},
        // Only the file without the fixed file information's signature.
        {"no-version-resource", {{"SETUP.inf", Inf("[install]\r\n1=plain.dll,S\r\n2=versioned.dll,W\r\n")},
                                 {"plain.dll", "MZ"}, {"versioned.dll", std::string("MZ\xBD\x04\xEF\xFE", 6)}},
         {}, {"no-version-resource"}, 0, 1},
        {"version-folder", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n")},
                            {"app.zip", Zip({{"32bit/APP.DLL", "x"}, {"32/APP32.DLL", "y"}})}},
         {}, {"version-folder"}, 0, 1},
        {"versions-same", {{"SETUP.inf", "[VersionCheck]\r\nVernum=4\r\n[install]\r\n" + readme}, {"readme.txt", "r"}},
         {}, {"versions-same"}, 0},
        {"language-name-missing", {{"SETUP.inf", Inf("[languages]\r\nCount=2\r\n1=English\r\n2=Deutsch,d\r\n"
                                                     "[LangName]\r\nlangdir=language\r\n0=english\r\n"
                                                     "[install]\r\n" + readme + "[installd]\r\n" + readme)},
                                   {"readme.txt", "r"}}, {}, {"language-name-missing"}, 0, 1},
        {"list-gap-drops", {{"SETUP.inf", Inf("[languages]\r\nCount=2\r\n1=English\r\n2=Deutsch,d\r\n"
                                              "[install]\r\n1=readme.txt\r\n3=readme.txt\r\n")}, {"readme.txt", "r"}},
         {}, {"list-gap-drops", "lettered-fallback"}, 1, 2},
        {"long-name-16", {{"SETUP.inf", Inf("[install]\r\n1=app.zip,Z\r\n")},
                          {"app.zip", Zip({{"16/LONGNAME16.DLL", "x"}, {"16/SHORT.DLL", "y"}})}},
         {}, {"long-name-16"}, 0, 1},
    };
}

// Lays out a folder: every file of the row, and SETUP.EXE unless the row
// names "-SETUP.EXE".
void LayOut(const ScratchFolder& folder, const Files& files, bool withProgram) {
    bool program = withProgram;
    for (const auto& file : files) {
        if (file.first == "-SETUP.EXE") {
            program = false;
            continue;
        }
        size_t slash = file.first.rfind('/');
        if (slash != std::string::npos) mkdir(NativePath(folder.Path(file.first.substr(0, slash))).c_str(), 0755);
        folder.Put(file.first, file.second);
    }
    if (program) folder.Put("SETUP.EXE", "MZ");
}

std::set<std::string> CodesOf(const Findings& findings) {
    std::set<std::string> codes;
    for (const Finding& finding : findings.All()) codes.insert(finding.code);
    return codes;
}

std::string Listing(const Findings& findings) {
    std::string text;
    for (const Finding& finding : findings.All()) text += "  " + finding.code + ": " + finding.message + "\n";
    return text;
}

TEST(CheckCodes, EachRowGivesExactlyItsCodes) {
    InitCrc32Table();
    std::set<std::string> covered;
    for (const Row& row : Rows()) {
        ScratchFolder distribution;
        std::vector<std::unique_ptr<ScratchFolder>> disks;
        LayOut(distribution, row.files, true);
        CheckOptions options;
        options.distribution = NativePath(distribution.Folder());
        for (const Files& files : row.disks) {
            disks.emplace_back(new ScratchFolder);
            LayOut(*disks.back(), files, false);
            options.disks.push_back(NativePath(disks.back()->Folder()));
        }
        SilentReport report;
        Findings findings;
        std::string failure;
        bool ran = CheckDistribution(options, report, findings, failure);
        ASSERT_TRUE(ran) << row.name << ": " << failure;
        if (row.diskSize) {
            std::vector<std::string> folders = {options.distribution};
            folders.insert(folders.end(), options.disks.begin(), options.disks.end());
            CheckDiskCapacity(folders, row.diskSize, findings);
        }
        EXPECT_EQ(CodesOf(findings), row.codes) << row.name << "\n" << Listing(findings);
        if (row.findingCount) EXPECT_EQ(findings.All().size(), row.findingCount) << row.name << "\n" << Listing(findings);
        EXPECT_EQ(ExitStatusOf(ran, findings), row.exitStatus) << row.name;
        covered.insert(row.codes.begin(), row.codes.end());
    }
    for (const CheckCode& code : AllCheckCodes()) EXPECT_EQ(covered.count(code.code), 1u) << code.code << " has no row";
}

TEST(CheckCodes, SeveritiesAreTheTable) {
    for (const CheckCode& code : AllCheckCodes()) {
        ASSERT_NE(FindCheckCode(code.code), nullptr);
        EXPECT_EQ(FindCheckCode(code.code)->severity, code.severity);
    }
    EXPECT_EQ(FindCheckCode("no-such-code"), nullptr);
}

TEST(CheckCodes, CannotRunWithoutAFolderOrWithAChoiceNotOffered) {
    CheckOptions options;
    options.distribution = "/nonexistent/distribution";
    SilentReport report;
    Findings findings;
    std::string failure;
    EXPECT_FALSE(CheckDistribution(options, report, findings, failure));
    EXPECT_EQ(ExitStatusOf(false, findings), 2);

    ScratchFolder distribution;
    LayOut(distribution, {{"SETUP.inf", Inf("[languages]\r\nCount=2\r\n1=English\r\n2=Deutsch\r\n")}}, true);
    options.distribution = NativePath(distribution.Folder());
    options.language = 3;
    EXPECT_FALSE(CheckDistribution(options, report, findings, failure));
    EXPECT_NE(failure.find("--language 3"), std::string::npos) << failure;
}

}  // namespace

namespace {

TEST(CheckCodes, IgnoreAcknowledgesWarningsAndNotesButNeverErrors) {
    const char* known[] = {"setupcheck", "--ignore", "same-target,lettered-fallback", "dist"};
    CheckOptions options;
    std::string error;
    ASSERT_TRUE(ParseOptions(4, const_cast<char**>(known), options, error)) << error;
    EXPECT_EQ(options.ignore, (std::vector<std::string>{"same-target", "lettered-fallback"}));
    const char* hidden[] = {"setupcheck", "--ignore=file-missing", "dist"};
    CheckOptions refused;
    EXPECT_FALSE(ParseOptions(3, const_cast<char**>(hidden), refused, error));
    const char* unknown[] = {"setupcheck", "--ignore", "no-such-code", "dist"};
    EXPECT_FALSE(ParseOptions(4, const_cast<char**>(unknown), refused, error));

    Findings findings;
    findings.Add("same-target", "a");
    findings.Add("same-target", "b");
    findings.Add("file-missing", "c");
    EXPECT_EQ(findings.Remove(options.ignore), 2);
    ASSERT_EQ(findings.All().size(), 1u);
    EXPECT_EQ(findings.All()[0].code, "file-missing");
    findings.Add("file-missing", "c");
    EXPECT_EQ(findings.All().size(), 1u);
}

}  // namespace
