// Version comparison and replacement of shared files, on real version
// resources read through VERSION.DLL.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "install/system_files.h"
#include "setup/prepared_state.h"
#include "testlib/distribution.h"

namespace {

std::string Fixture(const char* name) { return std::string(FIXTURE_DIR) + "/" + name; }

class SystemFiles : public testing::Test {
protected:
    void SetUp() override { folder_ = MakeTemporaryFolder("sys"); }
    void TearDown() override { RemoveTree(folder_); }

    std::string Place(const char* fixture, const char* name) {
        std::string path = folder_ + "\\" + name;
        CopyFileA(Fixture(fixture).c_str(), path.c_str(), FALSE);
        return path;
    }
    std::string folder_;
};

struct CompareCase {
    const char* newFile;
    const char* existingFile;  // null: nothing there
    int outcome;
};

TEST_F(SystemFiles, CompareVersionsOutcomes) {
    const CompareCase cases[] = {
        {"ver4001.dll", "ver4000.dll", kNewIsNewer},    {"ver4000.dll", "ver4001.dll", kKeepExisting},
        {"ver4000.dll", "ver4000.dll", kKeepExisting},  {"ver5000.dll", "ver4001.dll", kNewIsNewer},
        {"ver4000.dll", "noversion.dll", kNewIsNewer},  {"noversion.dll", "ver4000.dll", kKeepExisting},
        {"ver4000.dll", nullptr, kNoExistingFile},      {"missing.dll", "ver4000.dll", kKeepExisting},
    };
    for (const CompareCase& c : cases) {
        std::string newPath = Place(c.newFile, "new.dll");
        if (std::string(c.newFile) == "missing.dll") DeleteFileA(newPath.c_str());
        std::string existingPath = folder_ + "\\long existing name.dll";
        DeleteFileA(existingPath.c_str());
        if (c.existingFile) Place(c.existingFile, "long existing name.dll");
        EXPECT_EQ(CompareVersions(newPath.c_str(), existingPath.c_str()), c.outcome)
            << c.newFile << " over " << (c.existingFile ? c.existingFile : "nothing");
        EXPECT_EQ(VersionGate(newPath.c_str(), existingPath.c_str()), c.outcome != kKeepExisting);
    }
}

TEST_F(SystemFiles, NewerReplacesAndAsksForARestart) {
    std::string existing = Place("ver4000.dll", "PROG.DLL");
    std::string temporary = Place("ver4001.dll", "PROG.DL$");
    EXPECT_TRUE(ReplaceByNewer(temporary.c_str(), existing.c_str(), "Test"));
    EXPECT_EQ(ReadWholeFile(existing), ReadWholeFile(Fixture("ver4001.dll")));
    EXPECT_EQ(GetFileAttributesA(temporary.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SystemFiles, OlderIsThrownAway) {
    std::string existing = Place("ver4001.dll", "PROG.DLL");
    std::string temporary = Place("ver4000.dll", "PROG.DL$");
    EXPECT_FALSE(ReplaceByNewer(temporary.c_str(), existing.c_str(), "Test"));
    EXPECT_EQ(ReadWholeFile(existing), ReadWholeFile(Fixture("ver4001.dll")));
    EXPECT_EQ(GetFileAttributesA(temporary.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ChosenSystemDirectory, LocalSystemDirectoryIsKept) {
    char expected[MAX_PATH];
    GetSystemDirectoryA(expected, MAX_PATH);
    char chosen[260];
    ChosenSystemDirectory(chosen);
    EXPECT_STREQ(chosen, expected);
}

}  // namespace
