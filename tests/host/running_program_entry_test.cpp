// Lines of section "Not running" taken apart, and the messages that name
// the program: a name that fits is shown whole, a longer one is cut with
// "..." at a character boundary, and the 256-character buffer is never
// overrun whatever the name.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/startup_flags.h"
#include "install/running_program_entry.h"

namespace {

struct SplitCase {
    const char* value;
    const char* className;
    const char* displayName;
    const char* title;  // null: any title
};

const SplitCase kSplitCases[] = {
    {"CorvaneMain", "CorvaneMain", "CorvaneMain", nullptr},  // class only: class shown, any title
    {"CorvaneMain,Corvane", "CorvaneMain", "Corvane", nullptr},
    {"CorvaneMain,Corvane,Corvane 2.0", "CorvaneMain", "Corvane", "Corvane 2.0"},
    {"CorvaneMain,,Corvane 2.0", "CorvaneMain", "CorvaneMain", "Corvane 2.0"},  // empty name: the class
    {"CorvaneMain,Corvane,", "CorvaneMain", "Corvane", ""},  // an empty title is a title
    {"Cls, Name ,Title", "Cls", " Name ", "Title"},           // blanks stay
    {"Cls,Name,Title,extra", "Cls", "Name", "Title"},
};

TEST(RunningProgramEntry, SplitsClassNameAndTitle) {
    for (const SplitCase& c : kSplitCases) {
        char value[260];
        strcpy(value, c.value);
        RunningProgramEntry entry;
        SplitRunningProgramEntry(value, entry);
        EXPECT_STREQ(entry.className, c.className) << c.value;
        EXPECT_STREQ(entry.displayName, c.displayName) << c.value;
        if (c.title) {
            EXPECT_STREQ(entry.title, c.title) << c.value;
        } else {
            EXPECT_EQ(entry.title, nullptr) << c.value;
        }
    }
}

// The German question: the longest text, 162 characters besides %s.
const char kGermanQuestion[] =
    "Das Programm %s l\xE4uft bereits, sollte aber w\xE4hrend der Installation nicht laufen! "
    "W\xE4hlen Sie Ok um das Programm zu schliessen oder Abbrechen um Install abzubrechen.";

// Formats into a buffer guarded on both sides.
std::string Format(const char* format, const std::string& name) {
    const char guard = '\x5A';
    char area[kProgramMessageSize + 64];
    memset(area, guard, sizeof area);
    char* buffer = area + 32;
    FormatProgramMessage(buffer, format, name.c_str());
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(area[i], guard) << "written before the buffer";
        EXPECT_EQ(area[32 + kProgramMessageSize + i], guard) << "written after the buffer";
    }
    return buffer;
}

TEST(ProgramMessage, GermanQuestionHasRoomFor93Characters) {
    ASSERT_EQ(strlen(kGermanQuestion) - 2, 162u);
    const struct {
        size_t nameLength;
        const char* shownEnd;  // how the name ends in the text
        size_t shownLength;
    } cases[] = {
        {10, "nnnnnnnnnn l", 10},
        {93, "nnn l", 93},   // fits exactly: 255 characters
        {94, "n... l", 93},  // one too many: cut to 90 and "..."
        {200, "n... l", 93},
        {259, "n... l", 93},
    };
    for (const auto& c : cases) {
        std::string name(c.nameLength, 'n');
        std::string text = Format(kGermanQuestion, name);
        EXPECT_LE(text.size(), 255u) << c.nameLength;
        EXPECT_EQ(text.size(), 162 + c.shownLength) << c.nameLength;
        EXPECT_EQ(text.compare(0, 13, "Das Programm "), 0);
        EXPECT_NE(text.find(std::string(c.shownEnd) + "\xE4uft bereits"), std::string::npos) << c.nameLength;
        EXPECT_EQ(text.substr(text.size() - 13), " abzubrechen.") << c.nameLength;
    }
}

TEST(ProgramMessage, ShortTextsKeepLongerNames) {
    const char format[] = "%s could not be closed correctly.";
    std::string name(200, 'x');
    EXPECT_EQ(Format(format, name), name + " could not be closed correctly.");
    std::string longer(240, 'x');
    std::string text = Format(format, longer);
    EXPECT_EQ(text.size(), 255u);
    EXPECT_EQ(text, std::string(252 - 31, 'x') + "... could not be closed correctly.");
}

TEST(ProgramMessage, PercentInTheNameIsNotAFormat) {
    EXPECT_EQ(Format("[%s]", "100%s%i done"), "[100%s%i done]");
}

TEST(ProgramMessage, FormatWithoutRoomStillEndsInTheBuffer) {
    std::string format(300, 'f');
    format += "%s";
    std::string text = Format(format.c_str(), "name");
    EXPECT_EQ(text, std::string(255, 'f'));
}

class DbcsOn {
public:
    DbcsOn() : saved_(GetStartupFlags()) {
        StartupFlags flags = saved_;
        flags.dbcs = true;
        SetStartupFlags(flags);
    }
    ~DbcsOn() { SetStartupFlags(saved_); }

private:
    StartupFlags saved_;
};

TEST(ProgramMessage, CutKeepsDoubleByteCharactersWhole) {
    DbcsOn dbcs;
    // "%s" alone leaves 255 for the name: 252 before "...". Start with one
    // single byte so that a double-byte character straddles the cut.
    std::string name = "a";
    while (name.size() < 300) name += "\x82\xA0";
    std::string text = Format("%s", name);
    EXPECT_EQ(text.size(), 251u + 3u);  // 1 + 125 pairs, the next pair would pass 252
    EXPECT_EQ(text.substr(text.size() - 5), "\x82\xA0...");
}

}  // namespace
