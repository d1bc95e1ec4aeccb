// The progress arithmetic and when the bars are drawn: item bases, shares
// of the whole, the rounding of the fill, the cancel flag and the query.
#include <gtest/gtest.h>

#include <vector>

#include "host/painted_bars.h"
#include "progress/bar_painter.h"
#include "progress/progress_bars.h"

namespace {

int g_itemWindow;
int g_overallWindow;
BarWindow const kItem = &g_itemWindow;
BarWindow const kOverall = &g_overallWindow;

class ProgressBars : public testing::Test {
protected:
    void SetUp() override {
        ResetProgress(kItem, kOverall);
        ClearProgressAbort();
        PaintedBars().clear();
    }
    std::vector<int> Drawn(BarWindow bar) {
        std::vector<int> values;
        for (const PaintedBar& painted : PaintedBars()) {
            if (painted.bar == bar) values.push_back(painted.value);
        }
        return values;
    }
};

TEST_F(ProgressBars, LastItemCarriesTheRoundingLoss) {
    SetProgressTotal(1000);
    BeginProgressItem(750, 250);
    EXPECT_EQ(Progress().itemBase, 76);
    SetItemPercent(100);
    EXPECT_EQ(Progress().overallValue, 101);           // stored unclamped
    EXPECT_EQ(Drawn(kOverall), std::vector<int>{100});  // drawn clamped
}

TEST_F(ProgressBars, ThreeEqualItems) {
    SetProgressTotal(3);
    const int bases[] = {0, 33, 67};
    for (int i = 0; i < 3; ++i) {
        BeginProgressItem(i, 1);
        EXPECT_EQ(Progress().itemBase, bases[i]) << i;
        SetItemPercent(100);
    }
    EXPECT_EQ(Progress().overallValue, 100);
    EXPECT_EQ(Drawn(kOverall), (std::vector<int>{33, 66, 100}));
}

TEST_F(ProgressBars, LargeItemSharesInFloatingPoint) {
    SetProgressTotal(20000000);
    BeginProgressItem(0, 20000000);
    EXPECT_EQ(Progress().itemBase, 1);
    SetItemPercent(50);
    EXPECT_EQ(Progress().overallValue, 51);
    SetItemPercent(100);
    EXPECT_EQ(Progress().overallValue, 101);
}

TEST_F(ProgressBars, ItemBases) {
    const struct {
        int32_t done, size, total, base;
    } cases[] = {
        {0, 10, 0, 0},           {0, 10, -5, 0},          {0, 100, 100, 1},
        {99, 1, 100, 100},       {50, 10, 100, 50},       {2000000000, 147483647, 2147483647, 94},
        {1, 1, 3, 33},           {0, 10, 1000, 0},        {999, 1, 1000, 100},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ItemBaseFor(c.done, c.size, c.total), c.base) << c.done << "/" << c.size << "/" << c.total;
    }
}

TEST_F(ProgressBars, NoTotalMovesOnlyTheItemBar) {
    BeginProgressItem(0, 100);
    SetItemPercent(40);
    EXPECT_EQ(Drawn(kItem), std::vector<int>{40});
    EXPECT_TRUE(Drawn(kOverall).empty());
    SetOverallPercent(100);
    EXPECT_EQ(Drawn(kOverall), std::vector<int>{100});
}

TEST_F(ProgressBars, RedrawnOnlyOnChangeOr0Or100) {
    SetItemPercent(37);
    SetItemPercent(37);
    SetItemPercent(38);
    SetItemPercent(100);
    SetItemPercent(100);
    SetItemPercent(0);
    SetItemPercent(0);
    EXPECT_EQ(Drawn(kItem), (std::vector<int>{37, 38, 100, 100, 0, 0}));
}

TEST_F(ProgressBars, OutOfRangeValuesDrawClampedAndStoreUnclamped) {
    SetItemPercent(-5);
    SetItemPercent(250);
    EXPECT_EQ(Progress().itemValue, 250);
    EXPECT_EQ(Drawn(kItem), (std::vector<int>{0, 100}));
}

TEST_F(ProgressBars, HugePercentDoesNotOverflowTheShare) {
    SetProgressTotal(10000000);
    BeginProgressItem(0, 10000000);
    SetItemPercent(1000);
    EXPECT_EQ(Progress().overallValue, 1 + 1000);
}

TEST_F(ProgressBars, PaintRedrawsEachBarWithItsOwnValue) {
    SetProgressTotal(100);
    BeginProgressItem(0, 50);
    SetItemPercent(60);  // overall 0 + 30
    PaintedBars().clear();
    RedrawProgressBars();
    ASSERT_EQ(PaintedBars().size(), 2u);
    EXPECT_EQ(Drawn(kItem), std::vector<int>{60});
    EXPECT_EQ(Drawn(kOverall), std::vector<int>{30});
}

TEST_F(ProgressBars, NothingDrawnOnceDetached) {
    SetItemPercent(10);
    DetachProgressBars();
    SetItemPercent(20);
    RedrawProgressBars();
    EXPECT_EQ(Drawn(kItem), std::vector<int>{10});
    EXPECT_EQ(Progress().itemValue, 20);
}

TEST_F(ProgressBars, ResetClearsValuesButNotTheAbortFlag) {
    SetProgressTotal(10);
    BeginProgressItem(0, 10);
    SetItemPercent(50);
    RequestProgressAbort();
    ResetProgress(kItem, kOverall);
    EXPECT_EQ(Progress().itemValue, 0);
    EXPECT_EQ(Progress().overallValue, 0);
    EXPECT_EQ(Progress().total, 0);
    EXPECT_EQ(Progress().itemBase, 0);
    EXPECT_EQ(Progress().itemSize, 0);
    EXPECT_TRUE(ProgressAborted());
}

TEST_F(ProgressBars, CancelSetsTheFlagOnce) {
    EXPECT_FALSE(ProgressAborted());
    EXPECT_TRUE(RequestProgressAbort());
    EXPECT_FALSE(RequestProgressAbort());
    EXPECT_TRUE(ProgressAborted());
    ClearProgressAbort();
    EXPECT_FALSE(ProgressAborted());
}

TEST_F(ProgressBars, QueryAnswers) {
    uint16_t word = 40;
    AnswerProgressQuery(&word);
    EXPECT_EQ(word, 0);
    EXPECT_EQ(Progress().itemValue, 40);
    word = 101;  // above 100: bars left alone
    AnswerProgressQuery(&word);
    EXPECT_EQ(word, 0);
    EXPECT_EQ(Progress().itemValue, 40);
    RequestProgressAbort();
    word = 70;
    AnswerProgressQuery(&word);
    EXPECT_EQ(word, kProgressCancelAnswer);
    EXPECT_EQ(Progress().itemValue, 70);
    word = 0xFFFF;
    AnswerProgressQuery(&word);
    EXPECT_EQ(word, kProgressCancelAnswer);
    AnswerProgressQuery(nullptr);  // ignored
    EXPECT_EQ(Drawn(kItem), (std::vector<int>{40, 70}));
}

TEST(BarGeometry, FillWidth) {
    const struct {
        int width, value, fill;
    } cases[] = {
        {322, 0, 0},   {322, 100, 322}, {322, 50, 161}, {214, 50, 107}, {200, 1, 2},
        {10, 25, 3},   {10, 35, 4},     {10, 15, 2},    {0, 50, 0},     {1, 49, 0},
        {1, 51, 1},    {100, 37, 37},   {3, 50, 2},
    };
    // 0.01 is stored a little above itself, so exact halves such as
    // 10 x 25 % round up, not to even.
    for (const auto& c : cases) {
        EXPECT_EQ(BarFillWidth(c.width, c.value), c.fill) << c.width << " at " << c.value;
    }
}

TEST(BarGeometry, Clamp) {
    EXPECT_EQ(ClampBarValue(-1), 0);
    EXPECT_EQ(ClampBarValue(0), 0);
    EXPECT_EQ(ClampBarValue(100), 100);
    EXPECT_EQ(ClampBarValue(101), 100);
    EXPECT_EQ(ClampBarValue(65535), 100);
}

}  // namespace
