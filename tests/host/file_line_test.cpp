// When the progress dialog's current-file line is rewritten: one row per
// event on a clock in milliseconds, with what the line shows afterwards.
#include <gtest/gtest.h>

#include <string>

#include "progress/file_line.h"

namespace {

enum Event {
    kBegins,  // a file begins (ShowProgressFile)
    kTick,    // the work looks at the clock (ShowDueProgressFile)
    kLast,    // the last file is done: whatever waits is shown
};

struct Step {
    uint32_t now;
    Event event;
    const char* file;   // for kBegins
    const char* shown;  // the line afterwards
};

// One dialog's files: small ones in quick succession, a long one, a last
// one that waits when the files are done. Ticks come as the work looks at
// the clock while a file goes on.
const Step kSteps[] = {
    {1000, kBegins, "a", "a"},    // the first file at once
    {1001, kBegins, "b", "a"},    // within 50 ms of the change: waits
    {1002, kBegins, "c", "a"},
    {1040, kTick, nullptr, "a"},  // not yet
    {1049, kBegins, "d", "a"},
    {1050, kBegins, "e", "e"},    // 50 ms after the change: at once
    {1051, kBegins, "long", "e"},
    {1090, kTick, nullptr, "e"},
    {1100, kTick, nullptr, "long"},  // still going after 50 ms: its own name
    {1150, kTick, nullptr, "long"},  // nothing waits
    {1300, kBegins, "f", "f"},
    {1310, kBegins, "last", "f"},
    {1311, kLast, nullptr, "last"},  // before the run's last word
    {1312, kTick, nullptr, "last"},
};

TEST(FileLine, ChangesAtMostEveryIntervalAndNeverLosesTheLatest) {
    ResetFileLine();
    std::string shown;
    for (const Step& step : kSteps) {
        bool write = false;
        if (step.event == kBegins) write = OfferFileLine(step.file, step.now);
        if (step.event == kTick) write = FileLineWaiting(step.now, false);
        if (step.event == kLast) write = FileLineWaiting(step.now, true);
        if (write) shown = TakeFileLine(step.now);
        EXPECT_EQ(shown, std::string("\r") + step.shown) << "at " << step.now;
    }
    EXPECT_FALSE(FileLineWaiting(5000, true));
}

TEST(FileLine, ANewDialogShowsItsFirstFileAtOnce) {
    ResetFileLine();
    ASSERT_TRUE(OfferFileLine("one", 7));
    TakeFileLine(7);
    ResetFileLine();
    EXPECT_TRUE(OfferFileLine("two", 8));
}

// The tick count wraps after 49.7 days.
TEST(FileLine, IntervalCountsAcrossTheClocksWrap) {
    ResetFileLine();
    ASSERT_TRUE(OfferFileLine("before", 0xFFFFFFF0u));
    TakeFileLine(0xFFFFFFF0u);
    EXPECT_FALSE(OfferFileLine("soon", 0x10u));
    EXPECT_TRUE(FileLineWaiting(0x22u, false));
}

}  // namespace
