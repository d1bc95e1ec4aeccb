// The program group's items and its execute text: keys up to the first
// empty one, missing files skipped, at most 20, arguments after a double
// quote kept, lines over 127 characters left out; the execute text sized
// exactly and never written beyond its block.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "install/program_group.h"
#include "progman/program_items.h"
#include "setup/language.h"
#include "setup/setup_info.h"
#include "tests/fs/scratch_folder.h"

namespace {

class ProgramItemsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder_.Folder().empty());
        base_ = folder_.Folder() + "\\";
        folder_.Put("prog.exe", "x");
        folder_.Put("help.hlp", "x");
        folder_.Put("read.me", "x");
        ResetLanguage();
    }
    void TearDown() override { ResetLanguage(); }

    // Writes the setup information file with the given body.
    void Setup(const std::string& body) {
        folder_.Put("setup.inf", body);
        SetSetupInfoPath(NativePath(folder_.Path("setup.inf")).c_str());
    }

    std::vector<std::string> Collect(const char* section) {
        ProgramItems items;
        memset(&items, 0x5A, sizeof items);
        CollectProgramItems(section, base_.c_str(), items);
        std::vector<std::string> lines;
        for (int i = 0; i < items.count; ++i) lines.push_back(items.lines[i]);
        return lines;
    }

    ScratchFolder folder_;
    std::string base_;
};

TEST_F(ProgramItemsTest, ListEndsAtTheFirstEmptyKey) {
    Setup("[Group]\n1=prog.exe\n2=help.hlp\n4=read.me\n");
    EXPECT_EQ(Collect("Group"), (std::vector<std::string>{base_ + "prog.exe", base_ + "help.hlp"}));
}

TEST_F(ProgramItemsTest, EmptyValueEndsTheListToo) {
    Setup("[Group]\n1=prog.exe\n2=\n3=read.me\n");
    EXPECT_EQ(Collect("Group"), (std::vector<std::string>{base_ + "prog.exe"}));
}

TEST_F(ProgramItemsTest, MissingFilesAreSkippedAndLaterKeysRead) {
    Setup("[Group]\n1=gone.exe\n2=prog.exe\n3=also gone.exe\n4=read.me\n");
    EXPECT_EQ(Collect("Group"), (std::vector<std::string>{base_ + "prog.exe", base_ + "read.me"}));
}

TEST_F(ProgramItemsTest, NoItemsAtAll) {
    Setup("[Group]\nGroupname=Tools\n");
    EXPECT_TRUE(Collect("Group").empty());
    Setup("[Group]\n1=gone.exe\n");
    EXPECT_TRUE(Collect("Group").empty());
}

TEST_F(ProgramItemsTest, ArgumentsAfterTheQuoteStayAndOnlyTheFileBeforeItCounts) {
    Setup("[Group]\n1=prog.exe\",\"Corvane Editor\n2=gone.exe\",\"Ghost\n");
    EXPECT_EQ(Collect("Group"), (std::vector<std::string>{base_ + "prog.exe\",\"Corvane Editor"}));
}

TEST_F(ProgramItemsTest, DirectoriesCountAsExisting) {
    ASSERT_EQ(system(("mkdir -p " + NativePath(folder_.Path("docs"))).c_str()), 0);
    Setup("[Group]\n1=docs\n");
    EXPECT_EQ(Collect("Group"), (std::vector<std::string>{base_ + "docs"}));
}

// The vendor's checker judges by its plan instead of the disk: the judge
// gets the part before the first quote and decides alone.
TEST_F(ProgramItemsTest, AnotherJudgeOfWhichFilesExist) {
    Setup("[Group]\n1=planned.exe\",\"Editor\n2=prog.exe\n3=tools\\tool.exe\n");
    std::vector<std::string> asked;
    auto judge = [](const char* path, void* context) {
        static_cast<std::vector<std::string>*>(context)->push_back(path);
        return strstr(path, "prog.exe") == nullptr;
    };
    ProgramItems items;
    CollectProgramItems("Group", "C:\\APP\\", items, judge, &asked);
    EXPECT_EQ(asked, (std::vector<std::string>{"C:\\APP\\planned.exe", "C:\\APP\\prog.exe", "C:\\APP\\tools\\tool.exe"}));
    ASSERT_EQ(items.count, 2);
    EXPECT_STREQ(items.lines[0], "C:\\APP\\planned.exe\",\"Editor");
    EXPECT_STREQ(items.lines[1], "C:\\APP\\tools\\tool.exe");
}

TEST_F(ProgramItemsTest, AtMostTwentyItems) {
    std::string body = "[Group]\n";
    for (int i = 1; i <= 25; ++i) {
        std::string name = "item" + std::to_string(i) + ".exe";
        folder_.Put(name, "x");
        body += std::to_string(i) + "=" + name + "\n";
    }
    Setup(body);
    std::vector<std::string> lines = Collect("Group");
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines.front(), base_ + "item1.exe");
    EXPECT_EQ(lines.back(), base_ + "item20.exe");
}

TEST_F(ProgramItemsTest, LinesOver127CharactersAreLeftOut) {
    // An existing file followed by arguments padded to the length wanted.
    auto padded = [&](size_t lineLength) {
        std::string value = "prog.exe\",\"";
        value += std::string(lineLength - base_.size() - value.size(), 't');
        return value;
    };
    std::string fits = padded(127);
    std::string over = padded(128);
    std::string huge(300, 'h');  // cut to 127 by the read: too long with the base
    Setup("[Group]\n1=" + over + "\n2=" + huge + "\n3=" + fits + "\n4=read.me\n");
    std::vector<std::string> lines = Collect("Group");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], base_ + fits);
    EXPECT_EQ(lines[0].size(), 127u);
    EXPECT_EQ(lines[1], base_ + "read.me");
}

TEST_F(ProgramItemsTest, GermanFallsBackToTheBaseSectionKeyByKey) {
    Setup("[Group]\n1=prog.exe\n2=help.hlp\n3=read.me\n[Groupd]\n2=read.me\n");
    Language().index = kLanguageGerman;
    EXPECT_EQ(Collect("Groupd"),
              (std::vector<std::string>{base_ + "prog.exe", base_ + "read.me", base_ + "read.me"}));
    Language().index = kLanguageEnglish;  // English never falls back
    EXPECT_TRUE(Collect("Groupd").empty());
}

ProgramItems Items(const std::vector<std::string>& lines) {
    ProgramItems items;
    items.count = static_cast<int>(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) snprintf(items.lines[i], kItemLineSize, "%s", lines[i].c_str());
    return items;
}

// Builds into a block of exactly the computed size, guarded behind it.
std::string Build(const std::string& group, const ProgramItems& items, size_t* size) {
    *size = ExecuteTextSize(group.c_str(), items);
    std::vector<char> area(*size + 16, '\x5A');
    BuildExecuteText(area.data(), *size, group.c_str(), items);
    for (size_t i = *size; i < area.size(); ++i) EXPECT_EQ(area[i], '\x5A') << "written beyond the block";
    return std::string(area.data());
}

TEST(ExecuteText, CommandsSizedExactly) {
    const struct {
        const char* group;
        std::vector<std::string> items;
        const char* text;
    } cases[] = {
        {"Tools", {"C:\\DEST\\prog.exe"}, "[CreateGroup(\"Tools\")][AddItem(\"C:\\DEST\\prog.exe\")]"},
        {"G", {}, "[CreateGroup(\"G\")]"},
        {"", {"C:\\A\\b"}, "[CreateGroup(\"\")][AddItem(\"C:\\A\\b\")]"},
        {"Corvane 2",
         {"C:\\CORV~ABC\\corvane.exe\",\"Corvane", "C:\\CORV~ABC\\readme.txt"},
         "[CreateGroup(\"Corvane 2\")][AddItem(\"C:\\CORV~ABC\\corvane.exe\",\"Corvane\")]"
         "[AddItem(\"C:\\CORV~ABC\\readme.txt\")]"},
        {"100%s", {"C:\\%i"}, "[CreateGroup(\"100%s\")][AddItem(\"C:\\%i\")]"},
    };
    for (const auto& c : cases) {
        size_t size = 0;
        std::string text = Build(c.group, Items(c.items), &size);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(size, text.size() + 1) << c.text;
    }
}

TEST(ExecuteText, ToolsWithOneItemIs51CharactersIn52Bytes) {
    size_t size = 0;
    std::string text = Build("Tools", Items({"C:\\DEST\\prog.exe"}), &size);
    EXPECT_EQ(text.size(), 51u);
    EXPECT_EQ(size, 52u);
}

TEST(ExecuteText, GroupNameCutTo63) {
    std::string group(100, 'g');
    size_t size = 0;
    std::string text = Build(group, Items({}), &size);
    EXPECT_EQ(text, "[CreateGroup(\"" + std::string(63, 'g') + "\")]");
    EXPECT_EQ(size, 63u + 18u);
}

TEST(ExecuteText, TwentyFullLinesFit) {
    std::vector<std::string> lines(20, std::string(127, 'p'));
    size_t size = 0;
    std::string text = Build(std::string(63, 'g'), Items(lines), &size);
    EXPECT_EQ(size, 63u + 18u + 20u * (127u + 13u));
    EXPECT_EQ(text.size(), size - 1);
}

TEST(ExecuteText, SmallerBlockIsNeverOverrun) {
    ProgramItems items = Items({"C:\\DEST\\prog.exe", "C:\\DEST\\help.hlp"});
    for (size_t size = 0; size < 40; ++size) {
        std::vector<char> area(size + 16, '\x5A');
        BuildExecuteText(area.data(), size, "Tools", items);
        for (size_t i = size; i < area.size(); ++i) EXPECT_EQ(area[i], '\x5A') << size;
        if (size > 0) EXPECT_LT(strlen(area.data()), size);
    }
}

}  // namespace
