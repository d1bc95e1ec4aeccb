// Which new directories lie directly inside one this run made, and so need
// no attribute reset of their own: one row per directory made, in order.
#include <gtest/gtest.h>

#include "fs/made_directories.h"
#include "host/dbcs_mode.h"

namespace {

struct Made {
    const char* path;
    bool parentMade;
};

const Made kRun[] = {
    {"C:\\dest", false},             // the destination: its parent was there
    {"C:\\dest\\a\\", true},         // a directory member, trailing backslash
    {"C:\\dest\\a\\b", true},
    {"C:\\dest\\a\\b\\c\\", true},
    {"C:\\dest\\a\\d", true},        // an ancestor of the last one made
    {"C:\\dest\\e", true},
    {"C:\\des\\x", false},           // a prefix of a made name, not a made directory
    {"C:\\other\\x", false},         // C:\other was there
    {"C:\\other\\x\\y", true},
    {"C:\\other\\z", false},         // C:\other is still not one of ours
    {"C:\\dest\\f", false},          // off the chain: reset, to be safe
    {"\\\\server\\share\\n", false},
    {"\\\\server\\share\\n\\m", true},
};

TEST(MadeDirectories, InsideOneMadeThisRun) {
    ForgetMadeDirectories();
    for (const Made& made : kRun) EXPECT_EQ(NoteMadeDirectory(made.path), made.parentMade) << made.path;
}

// Code page 932: the second byte of a double-byte character may be 0x5C;
// it ends no component. Read by bytes, the first name would seem to end in
// a backslash, and the second to lie in a directory never made.
TEST(MadeDirectories, DoubleByteNamesStepByCharacters) {
    for (bool dbcs : {true, false}) {
        DbcsMode mode(dbcs);
        ForgetMadeDirectories();
        EXPECT_FALSE(NoteMadeDirectory("C:\\dest\\\x95\\"));
        EXPECT_EQ(NoteMadeDirectory("C:\\dest\\\x95\\\\sub"), dbcs);
    }
}

}  // namespace
