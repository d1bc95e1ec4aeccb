// Key Ini of section Destination: which values name a profile entry that
// is read, and which of those are written back.
#include <gtest/gtest.h>

#include <string>

#include "setup/destination_entry.h"

namespace {

TEST(DestinationEntry, Fields) {
    const struct {
        const char* value;
        bool used;
        const char* file;
        const char* section;
        const char* key;
    } cases[] = {
        {"corvane.ini,Setup,Dir", true, "corvane.ini", "Setup", "Dir"},
        {"c:\\a\\b.ini,Setup,Dir,extra", true, "c:\\a\\b.ini", "Setup", "Dir"},
        {",Setup,Dir", true, "", "Setup", "Dir"},  // read, never written
        {"corvane.ini,,", true, "corvane.ini", "", ""},
        {"corvane.ini,Setup", false, "", "", ""},
        {"corvane.ini", false, "", "", ""},
        {"", false, "", "", ""},
    };
    for (const auto& c : cases) {
        DestinationEntry entry;
        ParseDestinationEntry(c.value, entry);
        EXPECT_EQ(entry.used, c.used) << c.value;
        EXPECT_STREQ(entry.file, c.file) << c.value;
        EXPECT_STREQ(entry.section, c.section) << c.value;
        EXPECT_STREQ(entry.key, c.key) << c.value;
    }
}

TEST(DestinationEntry, LongValueIsCut) {
    std::string value = std::string(300, 'f') + ",S,K";
    DestinationEntry entry;
    ParseDestinationEntry(value.c_str(), entry);
    EXPECT_FALSE(entry.used);  // the commas lay beyond 259 characters
}

}  // namespace
