// Extraction's progress: the positions 50 to 100 that a copy in 260-byte blocks sets.
#include "install/install_plan.h"

#include <gtest/gtest.h>

#include <numeric>
#include <tuple>
#include <vector>

namespace install {
namespace {

TEST(ExtractPosition, RunsFromFiftyToHundredWithoutOverflow) {
    const std::uint64_t huge = 1ull << 62;  // 100 * done overflows 64 bits
    // 260, 300 and 400 of 400 are the copy's example below.
    const std::tuple<std::uint64_t, std::uint64_t, int> cases[] = {  // done, total, position
        {0, 400, 50}, {1, 100, 50}, {2, 100, 51}, {199, 200, 99}, {0, 0, 100}, {huge, huge, 100}, {huge / 2, huge, 75},
        {huge - 1, huge, 99}, {huge / 100 * 3, huge, 51}, {0xFFFFFFFFull * 3, 0xFFFFFFFFull * 4, 87}};
    for (const auto& [done, total, expected] : cases) EXPECT_EQ(ExtractPosition(done, total), expected) << done << "/" << total;
}

using Sizes = std::vector<std::uint64_t>;

std::vector<int> Track(const Sizes& sizes, const std::vector<Sizes>& pieces) {
    std::vector<int> out;
    ExtractProgress progress(std::accumulate(sizes.begin(), sizes.end(), std::uint64_t(0)), [&](int p) { out.push_back(p); });
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        progress.BeginEntry(sizes[i]);
        for (auto n : pieces[i]) progress.Copied(n);
        progress.EndEntry();
    }
    return out;
}

// However the copy is cut into pieces, the positions are those of a copy in 260-byte blocks that sets
// one after every block and at each entry's end, when it changes.
TEST(ExtractProgress, ReportsTheBlockwiseCopysPositionsHoweverTheCopyIsCut) {
    // 300 and 100 bytes: 260 of 400 copied sets 82, 300 sets 87, 400 sets 100.
    const std::vector<int> example = {82, 87, 100};
    EXPECT_EQ(Track({300, 100}, {{260, 40}, {100}}), example);
    EXPECT_EQ(Track({300, 100}, {{1, 258, 1, 1, 39}, {50, 50}}), example);
    EXPECT_EQ(Track({300, 100}, {{}, {}}), example) << "EndEntry alone counts the entry";
    EXPECT_EQ(Track({0, 100}, {{}, {100}}), (std::vector<int>{50, 100})) << "an empty entry ends at its start";
    // One piece of ten blocks, each of which moves the bar by 5.
    EXPECT_EQ(Track({2600}, {{2600}}), (std::vector<int>{55, 60, 65, 70, 75, 80, 85, 90, 95, 100}));
}

}  // namespace
}  // namespace install
