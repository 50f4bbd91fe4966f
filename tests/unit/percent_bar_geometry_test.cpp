#include "pages/percent_bar_geometry.h"

#include <string>

#include <gtest/gtest.h>

namespace {

using pages::BarRange;

TEST(PercentBar, FilledWidthTruncates) {
    const struct {
        int position;
        int width;
        int filled;
    } rows[] = {
        {0, 200, 0},   {50, 200, 100}, {100, 200, 200}, {50, 201, 100},
        {100, 201, 201}, {50, 1, 0},   {1, 99, 0},      {99, 99, 98},
        {33, 300, 99}, {67, 3, 2},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(pages::FilledWidth(row.position, BarRange{}, row.width), row.filled)
            << row.position << " of width " << row.width;
    }
}

TEST(PercentBar, RangeOffsetAndEmptyRange) {
    EXPECT_EQ(pages::FilledWidth(15, BarRange{10, 20}, 100), 50);
    EXPECT_EQ(pages::DoneWidth(15, BarRange{10, 20}, 0, 100), 50);
    EXPECT_EQ(pages::PercentText(15, BarRange{10, 20}), u"50%");
    EXPECT_EQ(pages::FilledWidth(7, BarRange{5, 5}, 100), 0);
    EXPECT_EQ(pages::PercentText(7, BarRange{5, 5}), u"0%");
}

TEST(PercentBar, DoneWidthUsesTheClientSpan) {
    const struct {
        int position;
        int left;
        int right;
        int done;
    } rows[] = {
        {0, 10, 211, 0}, {50, 10, 211, 100}, {100, 10, 211, 201}, {29, 0, 100, 29},
        {41, 0, 300, 123},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(pages::DoneWidth(row.position, BarRange{}, row.left, row.right), row.done)
            << row.position;
    }
}

TEST(PercentBar, TextIsTheWholePercentage) {
    const struct {
        int position;
        std::u16string text;
    } rows[] = {
        {0, u"0%"}, {50, u"50%"}, {100, u"100%"},
        // Positions where a double evaluation of 0.xx * 100 falls just below the integer.
        {29, u"29%"}, {57, u"57%"}, {58, u"58%"},
    };
    for (const auto& row : rows) EXPECT_EQ(pages::PercentText(row.position, BarRange{}), row.text);
}

TEST(PercentBar, RepaintsOnlyWhenWidthChanges) {
    pages::FilledWidthMemo memo;
    EXPECT_TRUE(memo.Update(0));  // nothing was computed yet
    EXPECT_FALSE(memo.Update(0));
    EXPECT_TRUE(memo.Update(1));
    EXPECT_FALSE(memo.Update(1));
    memo.Forget();  // the control was resized
    EXPECT_TRUE(memo.Update(1));
    EXPECT_EQ(memo.Width(), 1);
}

TEST(PercentBar, PassRepaintsOncePerPixelStep) {
    const struct {
        int width;
        int repaints;
    } rows[] = {{37, 38}, {99, 100}, {137, 101}, {250, 101}};
    for (const auto& row : rows) {
        pages::FilledWidthMemo memo;
        int repaints = 0;
        int previous = 0;
        for (int position = 0; position <= 100; ++position) {
            const int filled = pages::FilledWidth(position, BarRange{}, row.width);
            EXPECT_GE(filled, previous) << "the fill never shrinks";
            previous = filled;
            if (memo.Update(filled)) ++repaints;
        }
        EXPECT_EQ(previous, row.width);
        EXPECT_EQ(repaints, row.repaints) << row.width;
    }
}

}  // namespace
