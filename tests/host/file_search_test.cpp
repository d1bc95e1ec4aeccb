// The host's POSIX directory search against the behaviour the product shows,
// and the attribute filter, which is the same code in both builds.
#include "tests/fs/file_search_cases.h"

namespace {

struct FilterCase {
    uint32_t attributes;
    uint16_t mask;
    bool excluded;
};

const FilterCase kFilterCases[] = {
    {0x00, 0x00, false}, {0x20, 0x00, false},  // the archive bit never excludes
    {0x01, 0x00, true},  {0x01, 0x01, false}, {0x02, 0x00, true}, {0x04, 0x00, true},
    {0x08, 0x00, true},  {0x10, 0x00, true},  {0x10, 0x10, false}, {0x11, 0x10, true},
    {0x3F, 0x3F, false}, {0x3F, 0x1F, false}, {0x3F, 0x1E, true},
    {0x80, 0x00, false},   // bits above 3F are not looked at
    {0x90, 0x00, true},
};

TEST(SearchMask, OnlyMissingBitsExclude) {
    for (const FilterCase& c : kFilterCases)
        EXPECT_EQ(ExcludedBySearchMask(c.attributes, c.mask), c.excluded)
            << std::hex << c.attributes << " mask " << c.mask;
}

}  // namespace
