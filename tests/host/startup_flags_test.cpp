// Start-up facts from GetVersion values and the shell's font heights.
#include <gtest/gtest.h>

#include "base/startup_flags.h"
#include "startup/title_fonts.h"

namespace {

struct VersionCase {
    unsigned long value;
    unsigned short number;
    bool nt;
    bool newShell;
};

TEST(StartupFlags, VersionRule) {
    const VersionCase cases[] = {
        {0xC0000004UL, 1024, false, true},   // Windows 95, 4.0
        {0x04213303UL, 819, true, false},    // NT 3.51
        {0x05650004UL, 1024, true, true},    // NT 4.0
        {0x80000A03UL, 778, false, false},   // Win32s on 3.10
        {0x00005A03UL, 858, true, true},     // 3.90 exactly
        {0x00005903UL, 857, true, false},    // 3.89
        {0x23F00206UL, 1538, true, true},    // Windows 8 and later report 6.2
    };
    for (const VersionCase& c : cases) {
        StartupFlags flags = {};
        ApplyVersionValue(flags, c.value);
        EXPECT_EQ(flags.windowsVersion, c.number) << std::hex << c.value;
        EXPECT_EQ(flags.nt, c.nt) << std::hex << c.value;
        EXPECT_EQ(flags.newShell, c.newShell) << std::hex << c.value;
    }
}

TEST(TitleFonts, HeightsByScreenWidth) {
    const struct {
        int width, title, footer;
    } cases[] = {{1, 60, 20},    {599, 60, 20},  {600, 80, 25},    {640, 80, 25}, {900, 80, 25},
                 {901, 100, 30}, {1024, 100, 30}, {0, 100, 30}, {4000, 100, 30}};
    for (const auto& c : cases) {
        TitleFontHeights heights = ChooseFontHeights(c.width);
        EXPECT_EQ(heights.title, c.title) << c.width;
        EXPECT_EQ(heights.footer, c.footer) << c.width;
    }
}

}  // namespace
