#include "pages/percent_bar_geometry.h"

#include <string>

#include <gtest/gtest.h>

namespace {

// Exact integer shares: a double evaluation of 0.29 * 100 gives 28.
TEST(PercentBar, WidthAndTextAreExactShares) {
    const struct {
        int position, width, filled;
        std::u16string text;
    } rows[] = {
        {0, 200, 0, u"0%"},      {50, 201, 100, u"50%"}, {100, 201, 201, u"100%"}, {1, 99, 0, u"1%"},
        {99, 99, 98, u"99%"},    {29, 100, 29, u"29%"},  {57, 100, 57, u"57%"},    {58, 100, 58, u"58%"},
        {41, 300, 123, u"41%"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(pages::FilledWidth(row.position, row.width), row.filled) << row.position << " of " << row.width;
        EXPECT_EQ(pages::PercentText(row.position), row.text);
    }
}

// A pass over 0..100 fills monotonically to the full width and repaints once per pixel
// step, again after a resize.
TEST(PercentBar, PassRepaintsOncePerPixelStep) {
    const struct {
        int width, repaints;
    } rows[] = {{37, 38}, {99, 100}, {137, 101}, {250, 101}};
    for (const auto& row : rows) {
        pages::FilledWidthMemo memo;
        int repaints = 0, previous = 0;
        for (int position = 0; position <= 100; ++position) {
            const int filled = pages::FilledWidth(position, row.width);
            EXPECT_GE(filled, previous);
            previous = filled;
            if (memo.Update(filled)) ++repaints;
        }
        EXPECT_EQ(previous, row.width);
        EXPECT_EQ(repaints, row.repaints) << row.width;
        memo.Forget();
        EXPECT_TRUE(memo.Update(previous)) << "a resize repaints whatever the width";
    }
}

}  // namespace
