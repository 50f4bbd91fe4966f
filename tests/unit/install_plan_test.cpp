#include "install/install_plan.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace install {
namespace {

TEST(ExtractPosition, RunsFromFiftyToHundred) {
    struct Case {
        std::uint64_t done, total;
        int expected;
    };
    const std::uint64_t huge = 1ull << 62;  // 100 * done overflows 64 bits
    const Case cases[] = {
        {0, 400, 50},    {260, 400, 82},   {300, 400, 87},          {400, 400, 100},
        {1, 100, 50},    {2, 100, 51},     {199, 200, 99},          {1, 1, 100},
        {13, 1000, 50},  {20, 1000, 51},   {huge, huge, 100},       {huge / 2, huge, 75},
        {huge - 1, huge, 99}, {huge / 100 * 3, huge, 51}, {0xFFFFFFFFull * 3, 0xFFFFFFFFull * 4, 87},
    };
    for (const Case& c : cases) EXPECT_EQ(ExtractPosition(c.done, c.total), c.expected) << c.done << "/" << c.total;
}

// What a copy in 260-byte blocks sets, each position only when it changes.
std::vector<int> BlockwisePositions(const std::vector<std::uint64_t>& sizes) {
    std::uint64_t total = 0;
    for (auto s : sizes) total += s;
    std::vector<int> out;
    auto set = [&](std::uint64_t d) {
        const int p = ExtractPosition(d, total);
        if (out.empty() || out.back() != p) out.push_back(p);
    };
    std::uint64_t done = 0;
    for (auto size : sizes) {
        for (std::uint64_t k = 1; k <= size / 260; ++k) set(done + 260 * k);
        done += size;
        set(done);
    }
    return out;
}

std::vector<int> Track(const std::vector<std::uint64_t>& sizes, const std::vector<std::vector<std::uint64_t>>& pieces) {
    std::uint64_t total = 0;
    for (auto s : sizes) total += s;
    std::vector<int> out;
    ExtractProgress progress(total, [&](int p) { out.push_back(p); });
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        progress.BeginEntry(sizes[i]);
        for (auto n : pieces[i]) progress.Copied(n);
        progress.EndEntry();
    }
    return out;
}

TEST(ExtractProgress, TheSpecifiedExample) {
    const std::vector<int> expected = {82, 87, 100};
    EXPECT_EQ(Track({300, 100}, {{260, 40}, {100}}), expected);
    EXPECT_EQ(Track({300, 100}, {{300}, {100}}), expected);
    EXPECT_EQ(Track({300, 100}, {{1, 258, 1, 1, 39}, {50, 50}}), expected);
    EXPECT_EQ(Track({300, 100}, {{}, {}}), expected) << "EndEntry alone sets the entry's end";
}

TEST(ExtractProgress, EmptyEntriesAndExactMultiples) {
    EXPECT_EQ(Track({0, 520}, {{}, {520}}), (std::vector<int>{50, 75, 100}));
    EXPECT_EQ(Track({520, 0}, {{520}, {}}), (std::vector<int>{75, 100}));
}

// Any way of cutting the copy into pieces reports exactly the 260-byte sequence.
TEST(ExtractProgress, MatchesBlockwiseCopyForAnyPieces) {
    std::mt19937_64 rng(7);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::uint64_t> sizes(1 + rng() % 5);
        for (auto& s : sizes) {
            switch (rng() % 4) {
            case 0: s = 0; break;
            case 1: s = 260 * (1 + rng() % 4); break;
            case 2: s = rng() % 2000; break;
            default: s = rng() % 300000; break;
            }
        }
        std::vector<std::vector<std::uint64_t>> pieces(sizes.size());
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            const std::uint64_t maxPiece = 1 + rng() % (round % 2 ? 1000 : 1 << 20);
            for (std::uint64_t left = sizes[i]; left != 0;) {
                const std::uint64_t n = std::min<std::uint64_t>(left, rng() % (maxPiece + 1));
                pieces[i].push_back(n);
                left -= n;
            }
        }
        std::uint64_t total = 0;
        for (auto s : sizes) total += s;
        if (total == 0) continue;
        EXPECT_EQ(Track(sizes, pieces), BlockwisePositions(sizes)) << "round " << round;
    }
}

}  // namespace
}  // namespace install
