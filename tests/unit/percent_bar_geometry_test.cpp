#include "pages/percent_bar_geometry.h"
#include "pages/throttle.h"

#include <string>
#include <tuple>

#include <gtest/gtest.h>

namespace {

// Exact integer shares: a double evaluation of 0.29 * 100 gives 28.
TEST(PercentBar, WidthAndTextAreExactShares) {
    const std::tuple<int, int, int, std::u16string> rows[] = {  // position, width, filled width, text
        {0, 200, 0, u"0%"},   {50, 201, 100, u"50%"}, {100, 201, 201, u"100%"}, {1, 99, 0, u"1%"},
        {99, 99, 98, u"99%"}, {29, 100, 29, u"29%"},  {57, 100, 57, u"57%"},    {41, 300, 123, u"41%"},
    };
    for (const auto& [position, width, filled, text] : rows) {
        EXPECT_EQ(pages::FilledWidth(position, width), filled) << position << " of " << width;
        EXPECT_EQ(pages::PercentText(position), text);
    }
}

}  // namespace

// The log and the bar show themselves at most once per interval, also where the tick count wraps.
TEST(Throttle, OncePerIntervalAcrossTheWrap) {
    pages::Throttle throttle(33);
    EXPECT_EQ(throttle.Wait(0xFFFFFFF0u), 0u) << "the first event waits for nothing";
    throttle.Mark(0xFFFFFFF0u);
    EXPECT_EQ(throttle.Wait(0xFFFFFFF0u + 10), 23u);
    EXPECT_EQ(throttle.Wait(0x0000000Au), 7u) << "26 ms later, across the wrap";
    EXPECT_EQ(throttle.Wait(0x00000011u), 0u);
}
