// Packed date-times and the open-mode byte: pure computations, checked
// against values worked out by hand from the MS-DOS layouts.
#include <gtest/gtest.h>

#include "fs/file_ops.h"

namespace {

bool operator==(const StampFields& a, const StampFields& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
           a.second == b.second;
}

struct UnpackCase {
    PackedStamp stamp;
    StampFields fields;
};

const UnpackCase kUnpackCases[] = {
    {0x2B2A6C2D, {2001, 9, 10, 13, 33, 26}},
    {0x00210000, {1980, 1, 1, 0, 0, 0}},
    {0x00000000, {1980, 0, 0, 0, 0, 0}},    // not a date, but unpacked as is
    {0xFFFFFFFF, {2107, 15, 31, 31, 63, 62}},  // every field at its widest
    {0x3C8FBF7D, {2010, 4, 15, 23, 59, 58}},
};

TEST(Stamp, UnpackTakesTheFieldsApart) {
    for (const UnpackCase& c : kUnpackCases) {
        const StampFields f = UnpackStamp(c.stamp);
        EXPECT_TRUE(f == c.fields) << std::hex << c.stamp << std::dec << ": " << f.year << "-" << f.month << "-"
                                   << f.day << " " << f.hour << ":" << f.minute << ":" << f.second;
    }
}

struct PackCase {
    const char* what;
    StampFields fields;
    PackedStamp stamp;
};

const PackCase kPackCases[] = {
    {"ordinary", {2001, 9, 10, 13, 33, 26}, 0x2B2A6C2D},
    {"odd second drops its half", {2001, 9, 10, 13, 33, 27}, 0x2B2A6C2D},
    {"first day of the epoch", {1980, 1, 1, 0, 0, 0}, 0x00210000},
    {"month 13 spills into the year", {2001, 13, 1, 0, 0, 0}, ((21u * 512 + 13 * 32 + 1) << 16)},
    {"month 16 is the next year's month 0", {2001, 16, 1, 0, 0, 0}, ((22u * 512 + 0 * 32 + 1) << 16)},
    {"day 32 is the next month's day 0", {2001, 9, 32, 0, 0, 0}, ((21u * 512 + 10 * 32 + 0) << 16)},
    {"year before 1980 wraps the date half", {1979, 1, 1, 0, 0, 0}, 0xFE210000},
    {"year 2108 wraps to 1980", {2108, 1, 1, 0, 0, 0}, 0x00210000},
    {"hour 32 wraps inside the time half", {2001, 9, 10, 32, 0, 0}, 0x2B2A0000},
    {"minute 64 spills into the hour", {2001, 9, 10, 1, 64, 0}, 0x2B2A1000},
    {"second 64 spills into the minute", {2001, 9, 10, 0, 0, 64}, 0x2B2A0020},
};

TEST(Stamp, PackAddsTheFields) {
    for (const PackCase& c : kPackCases) EXPECT_EQ(PackStamp(c.fields), c.stamp) << c.what << std::hex;
}

TEST(Stamp, EveryValidStampSurvivesUnpackAndPack) {
    for (PackedStamp stamp : {0x2B2A6C2Du, 0x00210000u, 0xFFFFFFFFu, 0x12345678u}) {
        EXPECT_EQ(PackStamp(UnpackStamp(stamp)), stamp) << std::hex << stamp;
    }
}

TEST(Stamp, ConversionsLeaveTheErrorCode) {
    SetFileErrorCode(42);
    UnpackStamp(0x2B2A6C2D);
    PackStamp(StampFields{2001, 9, 10, 13, 33, 26});
    IsNtfsDrive('c');
    EXPECT_EQ(FileErrorCode(), 42u);
    SetFileErrorCode(0);
}

struct ModeCase {
    unsigned mode;
    OpenRights rights;  // read, write, share read, share write
};

const ModeCase kModeCases[] = {
    {0x00, {true, false, true, true}},   // read, compatibility shares both
    {0x01, {false, true, true, true}},
    {0x02, {true, true, true, true}},
    {0x03, {false, false, true, true}},  // 3-15 ask for no access
    {0x0F, {false, false, true, true}},
    {0x10, {true, false, false, false}},  // exclusive
    {0x20, {true, false, true, false}},   // deny write
    {0x30, {true, false, false, true}},   // deny read
    {0x40, {true, false, true, true}},    // deny none
    {0x50, {true, false, false, false}},  // 5-15 share nothing
    {0xF2, {true, true, false, false}},
    {0x142, {true, true, true, true}},    // bits above the low byte are ignored
};

TEST(OpenMode, AccessAndSharing) {
    for (const ModeCase& c : kModeCases) {
        const OpenRights r = RightsOfMode(c.mode);
        EXPECT_EQ(r.read, c.rights.read) << std::hex << c.mode;
        EXPECT_EQ(r.write, c.rights.write) << std::hex << c.mode;
        EXPECT_EQ(r.shareRead, c.rights.shareRead) << std::hex << c.mode;
        EXPECT_EQ(r.shareWrite, c.rights.shareWrite) << std::hex << c.mode;
    }
}

TEST(OpenMode, CreationForcesReadWriteAndKeepsSharing) {
    EXPECT_EQ(ModeForCreation(0x00), 0x02u);
    EXPECT_EQ(ModeForCreation(0x01), 0x02u);
    EXPECT_EQ(ModeForCreation(0x2F), 0x22u);
    EXPECT_EQ(ModeForCreation(0x10), 0x12u);
}

}  // namespace
