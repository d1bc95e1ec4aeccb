// Every fault point of an extraction. One archive holds a small stored
// member, a larger stored one and a deflated one, and is cut into two disks
// inside one of the later two; its members are extracted in order through
// one archive session, as an archive entry does. Run after run, the n-th read, the
// n-th write or the n-th progress report fails, for every n until a run no
// longer gets that far. Each run stops at the failing member, as the
// installation does: that member gives the result its fault stands for and
// leaves no file, the members before it are whole, and every file handle
// is closed again. The sanitizers watch every buffer on the way.
//
// The reads and writes fail in the real POSIX file layer: the build links
// this program with the layer's ReadBlock and WriteBlock wrapped
// (cmake/fault_points.cmake), so that only the n-th call is replaced.
#include <dirent.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <type_traits>
#include <vector>

#include "fs/file_ops.h"
#include "fs/thread_state.h"
#include "host/zip_fixture_files.h"
#include "unzip/crc32.h"
#include "unzip/extract_member.h"

// The layer's own functions and their stand-ins, under the names the
// linker's wrapping gives them (the x86-64 names of the two functions).
// A change of either signature changes its name: these assertions stop the
// build then, rather than leave the wrapping silently unused.
static_assert(std::is_same<decltype(&ReadBlock), void (*)(FileHandle, void*, uint16_t, uint16_t*)>::value,
              "ReadBlock changed: update its wrapped name here and in cmake/fault_points.cmake");
static_assert(std::is_same<decltype(&WriteBlock), void (*)(FileHandle, const void*, uint16_t, uint16_t*)>::value,
              "WriteBlock changed: update its wrapped name here and in cmake/fault_points.cmake");
void RealReadBlock(FileHandle file, void* buffer, uint16_t count, uint16_t* transferred) __asm__(
    "__real__Z9ReadBlocklPvtPt");
void RealWriteBlock(FileHandle file, const void* buffer, uint16_t count, uint16_t* transferred) __asm__(
    "__real__Z10WriteBlocklPKvtPt");
void FaultyReadBlock(FileHandle file, void* buffer, uint16_t count, uint16_t* transferred) __asm__(
    "__wrap__Z9ReadBlocklPvtPt");
void FaultyWriteBlock(FileHandle file, const void* buffer, uint16_t count, uint16_t* transferred) __asm__(
    "__wrap__Z10WriteBlocklPKvtPt");

namespace {

using zip_fixtures::FixturePath;
using zip_fixtures::ReadText;

const unsigned long kCrcError = 23;    // what a scratched floppy answers
const unsigned long kDiskFull = 112;

enum FaultKind { kFailedRead, kFailedWrite, kCancelledReport };
const char* const kFaultNames[] = {"read", "write", "report"};

// The one fault of a run and what the failing call found.
struct Fault {
    FaultKind kind = kFailedRead;
    int at = 0;                 // 1-based number of the call that fails
    int calls = 0;              // calls of that kind so far
    bool struck = false;
    bool outputExisted = false;  // the member's output file, when it struck
    ProgressReportKind reportKind = kProgressPoll;
    uint16_t percentage = 0;
    std::string output;          // of the member being extracted
};

Fault g_fault;

std::string PathText(const std::string& path) {
    std::string text = path;
    for (char& c : text) {
        if (c == '\\') c = '/';
    }
    return text;
}

bool Exists(const std::string& path) { return access(PathText(path).c_str(), F_OK) == 0; }

// True when this call is the one that fails.
bool Strikes(FaultKind kind) {
    if (g_fault.kind != kind || ++g_fault.calls != g_fault.at) return false;
    g_fault.struck = true;
    g_fault.outputExisted = Exists(g_fault.output);
    return true;
}

}  // namespace

void FaultyReadBlock(FileHandle file, void* buffer, uint16_t count, uint16_t* transferred) {
    if (!Strikes(kFailedRead)) return RealReadBlock(file, buffer, count, transferred);
    *transferred = 0;
    SetFileErrorCode(kCrcError);
}

void FaultyWriteBlock(FileHandle file, const void* buffer, uint16_t count, uint16_t* transferred) {
    if (!Strikes(kFailedWrite)) return RealWriteBlock(file, buffer, count, transferred);
    *transferred = 0;
    SetFileErrorCode(kDiskFull);
}

namespace {

class CrcTable : public testing::Environment {
public:
    void SetUp() override { InitCrc32Table(); }
};
const testing::Environment* const kCrcTable = testing::AddGlobalTestEnvironment(new CrcTable);

// The desk around the decoder: a clock that moves 250 ms at every reading,
// so that every poll reports; the next disk laid under the archive's name
// when it is asked for.
struct Desk {
    uint32_t clock = 0;
    std::string archive;
    std::string laterDisk;
};

uint32_t Clock(void* context) { return static_cast<Desk*>(context)->clock += 250; }

ProgressAnswer Report(void*, uint16_t percentage, ProgressReportKind kind) {
    if (!Strikes(kCancelledReport)) return kProgressContinue;
    g_fault.reportKind = kind;
    g_fault.percentage = percentage;
    return kProgressCancel;
}

bool WriteWhole(const std::string& path, const std::string& content) {
    FILE* file = std::fopen(PathText(path).c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    return std::fclose(file) == 0 && ok;
}

bool NextDisk(void* context, int) {
    const Desk& desk = *static_cast<Desk*>(context);
    return WriteWhole(desk.archive, ReadText(desk.laterDisk));
}

int OpenDescriptors() {
    int count = 0;
    DIR* folder = opendir("/proc/self/fd");
    if (!folder) return -1;
    while (readdir(folder)) ++count;
    closedir(folder);
    return count;
}

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }

// The result a member gives for the fault that struck it.
ExtractResult ResultOf(const Fault& fault) {
    switch (fault.kind) {
    case kFailedRead: return fault.outputExisted ? kExtractInputFailed : kExtractBadHeaderOrData;
    case kFailedWrite: return kExtractOutputFailed;
    case kCancelledReport:
        // The answer to a member's opening report does not count.
        return fault.reportKind == kProgressMilestone && fault.percentage == 0 ? kExtractOk : kExtractCancelled;
    }
    return kExtractOk;
}

struct Member {
    const char* name;
    const char* output;
};
const Member kMembers[] = {{"first.txt", "first.txt"}, {"split.bin", "split.bin"},
                           {"splitdeflated.txt", "deep\\splitdeflated.txt"}};
const int kMemberCount = 3;

std::string ExpectedContent(const char* member) {
    if (std::string(member) == "first.txt") return "first member\r\n";
    return ReadText(FixturePath(std::string("content/") + member));
}

// From the fixture's list: one line per member, its name and offset.
uint32_t MemberOffset(const std::string& member) {
    const std::string list = "\n" + ReadText(FixturePath("ex_split.zip.members"));
    const size_t at = list.find("\n" + member + " ");
    EXPECT_NE(at, std::string::npos) << member;
    if (at == std::string::npos) return 0;
    return static_cast<uint32_t>(std::strtoul(list.c_str() + at + member.size() + 2, nullptr, 10));
}

// The archive cut into two disks (tools/make_zip_fixtures.py): the stored
// member split.bin or the deflated splitdeflated.txt spans the cut.
class FaultPoints : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/faultsXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        sandbox_ = pattern;
        firstDisk_ = ReadText(Piece(1));
        for (const Member& m : kMembers) expected_.push_back(ExpectedContent(m.name));
    }
    void TearDown() override {
        CurrentThreadState().currentDisk = 0;
        nftw(sandbox_.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
    }

    std::string Piece(int n) const { return FixturePath(std::string(GetParam()) + "." + std::to_string(n)); }
    std::string Output(int member) const { return sandbox_ + "\\run\\" + kMembers[member].output; }

    // A member whose local header lies on the later disk is found there
    // once the session has moved on to it.
    uint32_t Offset(int member, bool onLaterDisk) const {
        uint32_t offset = MemberOffset(kMembers[member].name);
        return onLaterDisk && offset >= firstDisk_.size() ? offset - static_cast<uint32_t>(firstDisk_.size()) : offset;
    }

    // One run with the fault set up in g_fault: the members in order until
    // one fails. Returns how many members succeeded.
    int Run(ExtractResult& last) {
        CurrentThreadState().currentDisk = 0;
        Desk desk;
        desk.archive = sandbox_ + "\\SPLIT.ZIP";
        desk.laterDisk = Piece(2);
        EXPECT_TRUE(WriteWhole(desk.archive, firstDisk_));
        DecoderPorts ports = {&desk, nullptr, Clock, Report, NextDisk, nullptr};
        ArchiveSession session;
        BeginArchiveSession(session, desk.archive.c_str());
        int done = 0;
        last = kExtractOk;
        for (; done < kMemberCount; ++done) {
            g_fault.output = Output(done);
            last = ExtractSessionMember(session, Output(done).c_str(), 0,
                                        Offset(done, CurrentThreadState().currentDisk > 0), ports);
            if (last != kExtractOk) break;
        }
        EndArchiveSession(session);
        return done;
    }

    // Runs every fault point of one kind and counts them in points.
    void EveryPoint(FaultKind kind, int& points) {
        const int descriptors = OpenDescriptors();
        for (int n = 1;; ++n) {
            nftw((sandbox_ + "/run").c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
            g_fault = Fault();
            g_fault.kind = kind;
            g_fault.at = n;
            ExtractResult result;
            const int done = Run(result);
            const std::string label = std::string(kFaultNames[kind]) + " " + std::to_string(n);
            EXPECT_EQ(OpenDescriptors(), descriptors) << label << ": a handle was left open";
            if (!g_fault.struck || ResultOf(g_fault) == kExtractOk) {
                // Not reached, or a fault without effect: the whole archive.
                EXPECT_EQ(done, kMemberCount) << label << " gave " << result;
            } else {
                ASSERT_LT(done, kMemberCount) << label;
                EXPECT_EQ(result, ResultOf(g_fault)) << label << " in " << kMembers[done].name;
                EXPECT_FALSE(Exists(Output(done))) << label << ": a partial file is left";
            }
            for (int i = 0; i < done; ++i) {
                EXPECT_TRUE(ReadText(PathText(Output(i))) == expected_[i]) << label << ": " << kMembers[i].name;
            }
            points = g_fault.struck ? n : n - 1;
            if (!g_fault.struck || testing::Test::HasFailure()) return;
        }
    }

    std::string sandbox_;
    std::string firstDisk_;
    std::vector<std::string> expected_;
};

TEST_P(FaultPoints, EveryReadWriteAndReport) {
    int reads = 0;
    int writes = 0;
    int reports = 0;
    EveryPoint(kFailedRead, reads);
    EveryPoint(kFailedWrite, writes);
    EveryPoint(kCancelledReport, reports);
    // Two disks of three members cannot take fewer calls than these.
    EXPECT_GE(reads, 8);
    EXPECT_GE(writes, 5);
    EXPECT_GE(reports, 8);
    std::printf("%s: %d reads, %d writes, %d reports failed one at a time\n", GetParam(), reads, writes, reports);
}

INSTANTIATE_TEST_SUITE_P(Disks, FaultPoints, testing::Values("ex_split_stored", "ex_split_deflated"));

}  // namespace
