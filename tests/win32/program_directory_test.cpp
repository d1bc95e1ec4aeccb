// The program's own directory and the bounded message formatting, with the
// real system calls.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "fs/format_text.h"
#include "fs/path_utils.h"

namespace {

TEST(ProgramDirectory, IsTheModulePathUpToItsLastBackslash) {
    char expected[MAX_PATH];
    GetModuleFileNameA(nullptr, expected, sizeof expected);
    *(strrchr(expected, '\\') + 1) = '\0';
    char directory[kMaxPath];
    ProgramDirectory(directory, kMaxPath - 1);
    EXPECT_STREQ(directory, expected);
}

TEST(ProgramDirectory, ShortBufferKeepsTheCutPath) {
    char full[MAX_PATH];
    GetModuleFileNameA(nullptr, full, sizeof full);
    std::string cut(full, 7);
    cut.erase(cut.rfind('\\') + 1);
    char directory[8];
    ProgramDirectory(directory, 7);
    EXPECT_EQ(directory, cut);
}

TEST(FormatBounded, FormatsStringsAndIntegers) {
    char text[64];
    EXPECT_EQ(FormatBounded(text, sizeof text, "Error reading %s!", "A.ZIP"), 20);
    EXPECT_STREQ(text, "Error reading A.ZIP!");
    FormatBounded(text, sizeof text, "Please insert disk number %i and press ENTER!", 2);
    EXPECT_STREQ(text, "Please insert disk number 2 and press ENTER!");
}

TEST(FormatBounded, LongArgumentsNeverOverflow) {
    std::string huge(3000, 'x');
    char small[32];
    small[31] = '#';
    FormatBounded(small, 31, "<%s>", huge.c_str());
    EXPECT_EQ(strlen(small), 30u);
    EXPECT_EQ(small[31], '#');
    char wide[kFormatBufferSize + 100];
    int length = FormatBounded(wide, sizeof wide, "%s", huge.c_str());
    EXPECT_LE(length, kFormatBufferSize - 1);
    EXPECT_EQ(static_cast<int>(strlen(wide)), length);
}

}  // namespace
