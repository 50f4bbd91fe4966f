#include "pages/percent_bar_geometry.h"

#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace {

// Exact integer shares: a double evaluation of 0.29 * 100 gives 28.
TEST(PercentBar, WidthAndTextAreExactShares) {
    const struct {
        int position, width, filled;
        std::u16string text;
    } rows[] = {
        {0, 200, 0, u"0%"},   {50, 201, 100, u"50%"}, {100, 201, 201, u"100%"}, {1, 99, 0, u"1%"},
        {99, 99, 98, u"99%"}, {29, 100, 29, u"29%"},  {57, 100, 57, u"57%"},    {41, 300, 123, u"41%"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(pages::FilledWidth(row.position, row.width), row.filled) << row.position << " of " << row.width;
        EXPECT_EQ(pages::PercentText(row.position), row.text);
    }
}

// A pass over 0..100 repaints once per pixel step, and again after a resize.
TEST(PercentBar, PassRepaintsOncePerPixelStep) {
    const std::pair<int, int> rows[] = {{37, 38}, {99, 100}, {250, 101}};  // width, repaints
    for (const auto& [width, repaints] : rows) {
        pages::FilledWidthMemo memo;
        int painted = 0;
        for (int position = 0; position <= 100; ++position) painted += memo.Update(pages::FilledWidth(position, width));
        EXPECT_EQ(painted, repaints) << width;
        EXPECT_FALSE(memo.Update(width));
        memo.Forget();
        EXPECT_TRUE(memo.Update(width)) << "a resize repaints whatever the width";
    }
}

}  // namespace
