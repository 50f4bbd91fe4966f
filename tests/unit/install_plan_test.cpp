// Extraction's progress: the positions 50 to 100 that a copy in 260-byte blocks sets.
#include "install/install_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <random>
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

// The model: a copy in 260-byte blocks sets a position after every block and entry end, when it changes.
std::vector<int> BlockwisePositions(const Sizes& sizes) {
    std::uint64_t total = std::accumulate(sizes.begin(), sizes.end(), std::uint64_t(0)), done = 0;
    std::vector<int> positions;
    for (std::uint64_t size : sizes) {
        for (std::uint64_t k = 1; k <= size / 260 + 1; ++k) {  // the last one is the entry's end
            const int p = ExtractPosition(done + std::min(260 * k, size), total);
            if (positions.empty() || positions.back() != p) positions.push_back(p);
        }
        done += size;
    }
    return positions;
}

// However the copy is cut into pieces: odd ones, or whole blocks of one size (as the installer
// reads, 1 MiB) with entries larger than a block.
TEST(ExtractProgress, ReportsTheBlockwiseCopysPositionsHoweverTheCopyIsCut) {
    // 300 and 100 bytes: 260 of 400 copied sets 82, 300 sets 87, 400 sets 100.
    const std::vector<int> example = {82, 87, 100};
    EXPECT_EQ(Track({300, 100}, {{260, 40}, {100}}), example);
    EXPECT_EQ(Track({300, 100}, {{1, 258, 1, 1, 39}, {50, 50}}), example);
    EXPECT_EQ(Track({300, 100}, {{}, {}}), example) << "EndEntry alone counts the entry";

    std::mt19937_64 rng(7);
    for (int round = 0; round < 300; ++round) {
        const bool blocks = round % 2 == 0;
        Sizes sizes(1 + rng() % 5);
        for (auto& s : sizes)
            s = std::array<std::uint64_t, 4>{0, 260 * (1 + rng() % 4), rng() % 2000, rng() % (blocks ? 9 << 20 : 300000)}[rng() % 4];
        std::vector<Sizes> pieces(sizes.size());
        const std::uint64_t block = blocks ? 4096u << rng() % 9 : 1 + rng() % 1000;
        for (std::size_t i = 0; i < sizes.size(); ++i)
            for (std::uint64_t left = sizes[i], n; left != 0; left -= n)
                pieces[i].push_back(n = std::min<std::uint64_t>(left, blocks ? block : rng() % (block + 1)));
        EXPECT_EQ(Track(sizes, pieces), BlockwisePositions(sizes)) << "round " << round;
    }
}

}  // namespace
}  // namespace install
