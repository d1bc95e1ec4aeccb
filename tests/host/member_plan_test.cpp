// The installation's decisions on the host: what an entry of the file list
// means, where an archive member goes or why it does not, what a profile
// entry does, and how an extraction's result ends an entry. Each table row
// is one input and the decision it must give.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "host/dbcs_mode.h"
#include "install/file_entry.h"
#include "install/install_state.h"
#include "install/member_plan.h"
#include "install/plan_descriptions.h"
#include "install/profile_entries.h"
#include "unzip/nested_archive.h"

namespace {

// Shift-JIS characters whose second byte is the backslash's code.
#define HYOU "\x95\x5C"  // 表
#define SO "\x83\x5C"    // ソ

InstallPlaces Places(int mask = 3, const char* single = "", const char* languageDirectory = "") {
    InstallPlaces places = {};
    snprintf(places.setupDirectory, kMaxPath, "%s", "A:\\");
    snprintf(places.destination, kMaxPath, "%s", "C:\\DEST\\");
    snprintf(places.windowsDirectory, kMaxPath, "%s", "C:\\WINDOWS\\");
    snprintf(places.systemDirectory, kMaxPath, "%s", "C:\\WINDOWS\\SYSTEM\\");
    places.versionMask = mask;
    snprintf(places.singleLanguage, kMaxPath, "%s", single);
    snprintf(places.languageDirectory, kMaxPath, "%s", languageDirectory);
    return places;
}

struct PrefixCase {
    bool dbcs;
    const char* name;
    const char* stripped;
    int bits;
};

TEST(StripVersionPrefix, OnlyAtTheStartOfAComponent) {
    const PrefixCase cases[] = {
        {false, "16\\README.TXT", "README.TXT", 1},   {false, "32\\PROG.EXE", "PROG.EXE", 2},
        {false, "DOC\\32\\HELP.HLP", "DOC\\HELP.HLP", 2}, {false, "X32\\A.DLL", "X32\\A.DLL", 0},
        {false, "16\\32\\BOTH.DLL", "BOTH.DLL", 3},   {false, "32\\16\\ODD.DLL", "ODD.DLL", 3},
        {false, "A\\X16\\16\\B", "A\\X16\\16\\B", 0},  // only the first occurrence counts
        {false, "PLAIN.TXT", "PLAIN.TXT", 0},         {false, "16\\", "", 1},
        {false, "", "", 0},
        // The trail byte of 表 is no backslash: "16\" after it starts no component.
        {true, HYOU "16\\A.TXT", HYOU "16\\A.TXT", 0}, {true, SO "\\32\\A.TXT", SO "\\A.TXT", 2},
        {false, HYOU "16\\A.TXT", HYOU "A.TXT", 1},    // read byte by byte, it would
    };
    for (const PrefixCase& c : cases) {
        DbcsMode mode(c.dbcs);
        char name[kMaxPath];
        snprintf(name, sizeof name, "%s", c.name);
        EXPECT_EQ(StripVersionPrefix(name), c.bits) << c.name;
        EXPECT_STREQ(name, c.stripped) << c.name;
    }
}

TEST(LanguageFilter, OnlyTheChosenLanguageFromItsDirectory) {
    const struct {
        const char* name;
        const char* single;
        const char* directory;
        bool passes;
    } cases[] = {
        {"LANGUAGE\\DEUTSCH.LNG", "Deutsch", "Language", true},
        {"language\\deutsch2.hlp", "Deutsch", "Language", true},
        {"LANGUAGE\\FRANCAIS.LNG", "Deutsch", "Language", false},
        {"APP\\LANGUAGE\\FRANCAIS.LNG", "Deutsch", "Language", false},
        {"MYLANGUAGE\\FRANCAIS.LNG", "Deutsch", "Language", true},  // not a component start
        {"FRANCAIS.LNG", "Deutsch", "Language", true},
        {"OTHER\\FRANCAIS.LNG", "Deutsch", "Language", true},
        {"LANGUAGE\\FRANCAIS.LNG", "", "Language", true},  // all languages
        {"LANGUAGE\\FRANCAIS.LNG", "Deutsch", "", true},   // no language directory
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PassesLanguageFilter(c.name, c.single, c.directory), c.passes) << c.name << " " << c.single;
    }
}

struct MemberCase {
    bool dbcs;
    const char* name;
    int mask;
    MemberVerdict verdict;
    MemberPlacement placement;
    const char* output;
};

TEST(PlanMember, VerdictPlacementAndOutput) {
    const std::string longName = std::string(250, 'L');
    const std::string longSystem = "system\\" + longName;
    const MemberCase cases[] = {
        {false, "16\\README.TXT", 2, kMemberSkippedForVersion, kPlacedInDestination, ""},
        {false, "16\\README.TXT", 1, kMemberInstalled, kPlacedInDestination, "C:\\TARGET\\README.TXT"},
        {false, "README.TXT", 0, kMemberInstalled, kPlacedInDestination, "C:\\TARGET\\README.TXT"},
        {false, "WINDOWS\\CORVANE.INI", 3, kMemberInstalled, kPlacedInWindows, "C:\\WINDOWS\\CORVANE.INI"},
        {false, "32\\system\\PROG.DLL", 2, kMemberInstalled, kPlacedInSystem, "C:\\WINDOWS\\SYSTEM\\PROG.DLL"},
        {false, "DOCS\\", 3, kMemberInstalled, kPlacedInDestination, "C:\\TARGET\\DOCS\\"},
        {false, "\\ROOT.TXT", 3, kMemberRefusedRooted, kPlacedInDestination, ""},
        {false, "C:EVIL.TXT", 3, kMemberRefusedDrive, kPlacedInDestination, ""},
        {false, "A\\..\\..\\EVIL.TXT", 3, kMemberRefusedParent, kPlacedInDestination, ""},
        {false, "..", 3, kMemberRefusedParent, kPlacedInDestination, ""},
        {false, "A..B\\C...", 3, kMemberInstalled, kPlacedInDestination, "C:\\TARGET\\A..B\\C..."},
        {false, longName.c_str(), 3, kMemberTooLong, kPlacedInDestination, ""},
        {false, longSystem.c_str(), 3, kMemberTooLong, kPlacedInSystem, ""},
        // Folders ending in a character whose second byte is 0x5C.
        {true, HYOU "\\" SO "\\A.TXT", 3, kMemberInstalled, kPlacedInDestination, "C:\\TARGET\\" HYOU "\\" SO "\\A.TXT"},
        {true, HYOU "..\\A.TXT", 3, kMemberInstalled, kPlacedInDestination, "C:\\TARGET\\" HYOU "..\\A.TXT"},
        {false, HYOU "..\\A.TXT", 3, kMemberRefusedParent, kPlacedInDestination, ""},
    };
    for (const MemberCase& c : cases) {
        DbcsMode mode(c.dbcs);
        MemberPlan plan;
        PlanMember(c.name, "C:\\TARGET\\", Places(c.mask), plan);
        EXPECT_EQ(plan.verdict, c.verdict) << c.name;
        EXPECT_EQ(plan.placement, c.placement) << c.name;
        EXPECT_STREQ(plan.output, c.output) << c.name;
        EXPECT_EQ(MemberWanted(plan), c.verdict != kMemberSkippedForVersion) << c.name;
    }
}

// What exists already: a member replaces a file only in the destination and
// only when stamped with a time; a read-only one's temporary name ends in $.
TEST(PlanMember, ReplacingAndTemporaryNames) {
    const struct {
        const char* name;
        unsigned long stamp;
        bool replaces;
    } cases[] = {
        {"README.TXT", 0x2AB15000, true},
        {"README.TXT", 0x2AB10000, false},
        {"WINDOWS\\CORVANE.INI", 0x2AB15000, false},
        {"system\\PROG.DLL", 0x2AB15000, false},
    };
    for (const auto& c : cases) {
        MemberPlan plan;
        PlanMember(c.name, "C:\\TARGET\\", Places(3), plan);
        EXPECT_EQ(MemberReplacesExisting(plan, c.stamp), c.replaces) << c.name;
    }
    char temporary[kMaxPath];
    ReadOnlyTemporaryName("C:\\WINDOWS\\SYSTEM\\PROG.DLL", temporary);
    EXPECT_STREQ(temporary, "C:\\WINDOWS\\SYSTEM\\PROG.DL$");
    DbcsMode mode(true);
    ReadOnlyTemporaryName("C:\\" HYOU, temporary);  // a double-byte last character goes whole
    EXPECT_STREQ(temporary, "C:\\$");
}

TEST(PlanMember, DescribesWhatHappensForTheVendor) {
    MemberPlan plan;
    char text[kMaxPath];
    PlanMember("16\\OLD.EXE", "C:\\TARGET\\", Places(2), plan);
    DescribeMemberPlan(plan, Places(2), text, kMaxPath);
    EXPECT_STREQ(text, "skipped: 16\\ member (16-bit), and the version mask 2 (32-bit) has no bit of it");
    PlanMember("LANGUAGE\\ENGLISH\\TIPS.TXT", "C:\\TARGET\\", Places(3, "ENGLISH", "LANGUAGE"), plan);
    EXPECT_EQ(plan.verdict, kMemberSkippedForLanguage);
    DescribeMemberPlan(plan, Places(3, "ENGLISH", "LANGUAGE"), text, kMaxPath);
    EXPECT_STREQ(text, "skipped: in the language folder LANGUAGE\\, and its file name TIPS.TXT does not begin with "
                       "ENGLISH, the chosen language's name");
    PlanMember("system\\PROG.DLL", "C:\\TARGET\\", Places(), plan);
    DescribeMemberPlan(plan, Places(), text, kMaxPath);
    EXPECT_STREQ(text, "C:\\WINDOWS\\SYSTEM\\PROG.DLL");
    EXPECT_STREQ(plan.name + plan.placedNameStart, "PROG.DLL");
}

TEST(PlanFileEntry, KindDecidesActionAndTarget) {
    const struct {
        const char* entry;
        EntryAction action;
        const char* target;
        const char* member;
    } cases[] = {
        {"prog.exe", kCopyToDestination, "C:\\DEST\\prog.exe", ""},
        {"prog.exe,", kCopyToDestination, "C:\\DEST\\prog.exe", ""},
        {"ctl3d.dll,s", kCopyToSystem, "C:\\WINDOWS\\SYSTEM\\ctl3d.dll", ""},
        {"corvane.ini,W", kCopyToWindows, "C:\\WINDOWS\\corvane.ini", ""},
        {"data.zip,z", kUnpackArchive, "C:\\DEST\\data.zip", ""},
        {"outer.zip,M,inner.zip", kUnpackNestedArchives, "C:\\DEST\\outer.zip", "inner.zip"},
        {"readme.txt,X", kCopyToDestination, "C:\\DEST\\readme.txt", ""},
    };
    for (const auto& c : cases) {
        FileEntryPlan plan;
        PlanFileEntry(c.entry, Places(), plan);
        EXPECT_EQ(plan.action, c.action) << c.entry;
        EXPECT_STREQ(plan.target, c.target) << c.entry;
        EXPECT_STREQ(plan.member, c.member) << c.entry;
        EXPECT_TRUE(plan.sourceFits && plan.targetFits) << c.entry;
    }
    FileEntryPlan plan;
    PlanFileEntry(std::string(255, 'x').c_str(), Places(), plan);
    EXPECT_TRUE(plan.sourceFits);   // A:\ and 255 characters
    EXPECT_FALSE(plan.targetFits);  // C:\DEST\ and 255 do not fit
}

TEST(PlanProfileEntry, FourthTokenIsTheValue) {
    const struct {
        const char* line;
        ProfileAction action;
        const char* value;
        bool cut;
    } cases[] = {
        {"c.ini,Options,Language,English", kProfileWrite, "English", false},
        {"c.ini,Options,Empty,", kProfileWrite, "", false},
        {"c.ini,Options,Old", kProfileDelete, nullptr, false},
        {"c.ini,Options", kProfileNothing, nullptr, false},
        {"c.ini,Window,Position,0,0,640,480", kProfileWrite, "0", true},
        {"c.ini,Fonts,Face, Arial Bold ", kProfileWrite, " Arial Bold ", false},
    };
    for (const auto& c : cases) {
        char line[kMaxPath];
        snprintf(line, sizeof line, "%s", c.line);
        ProfileEntryPlan plan;
        PlanProfileEntry(line, plan);
        EXPECT_EQ(plan.action, c.action) << c.line;
        if (c.value) EXPECT_STREQ(plan.value, c.value) << c.line;
        EXPECT_EQ(plan.valueCut, c.cut) << c.line;
    }
}

TEST(EntryResultOfExtraction, EveryExtractionResultEndsTheEntryAsItShould) {
    const struct {
        ExtractResult extraction;
        EntryResult entry;
    } cases[] = {
        {kExtractOk, kEntryDone},          {kExtractBadCrcOrBlockHeader, kEntryReadError},
        {kExtractOutputFailed, kEntryWriteError}, {kExtractInputFailed, kEntryReadError},
        {kExtractBadHeaderOrData, kEntryReadError},     {kExtractCancelled, kEntryCancelled},
        {kExtractBadMethod, kEntryReadError},     {kExtractEncrypted, kEntryReadError},
    };
    for (const auto& c : cases) EXPECT_EQ(EntryResultOfExtraction(c.extraction), c.entry) << c.extraction;
}

struct EmbeddedCase {
    std::string bytes;
    uint32_t position;
    uint32_t expected;
};

TEST(FindEmbeddedArchive, FirstLocalHeaderWithinTheBlock) {
    const std::string header("PK\x03\x04", 4);
    const EmbeddedCase cases[] = {
        {header + std::string(40, 'x'), 0, 0},
        {std::string(17, 'e') + header + std::string(40, 'x'), 0, 17},
        {std::string(17, 'e') + header + std::string(40, 'x'), 10, 7},
        {std::string(5, 'e') + header, 0, 0},             // fewer than 10 bytes... read 9
        {std::string(1019, 'e') + header + "xx", 0, 0},  // beyond the last place searched
        {std::string(1018, 'e') + header + "xx", 0, 1018},
        {std::string(2000, 'e'), 0, 0},
    };
    const std::string path = testing::TempDir() + "embedded.bin";
    for (const EmbeddedCase& c : cases) {
        FILE* file = fopen(path.c_str(), "wb");
        fwrite(c.bytes.data(), 1, c.bytes.size(), file);
        fclose(file);
        EXPECT_EQ(FindEmbeddedArchive(path.c_str(), c.position), c.expected) << c.bytes.size();
    }
    remove(path.c_str());
    EXPECT_EQ(FindEmbeddedArchive(path.c_str(), 0), 0u);
}

}  // namespace
