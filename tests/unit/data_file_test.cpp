// The data file's reader and the setup's signature, version and CRC checks.
#include "install/datafile/data_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "install/datafile/data_file_checks.h"
#include "packer.h"

namespace datafile {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Serves bytes in pieces of at most maxPiece, fails every read that reaches failFrom,
// and can claim a size other than what it holds.
struct TestSource : ByteSource {
    explicit TestSource(Bytes bytes) : data(std::move(bytes)), size(data.size()) {}
    std::uint64_t Size() const override { return size; }
    bool ReadAt(std::uint64_t offset, void* buf, std::size_t len, std::size_t* got) override {
        *got = offset < data.size() ? std::min({len, maxPiece, static_cast<std::size_t>(data.size() - offset)}) : 0;
        if (*got) std::memcpy(buf, data.data() + offset, *got);
        return len == 0 || offset + len <= failFrom;
    }
    Bytes data;
    std::uint64_t size, failFrom = UINT64_MAX;
    std::size_t maxPiece = SIZE_MAX;
};

// Entry 1's name fills its field; entry 0 holds all the content.
std::string Name(std::size_t i) { return i == 1 ? std::string(32, 'n') : std::to_string(i); }

// Every data file comes from the tool's packer, as the setup's files do.
Bytes Packed(std::size_t entries, std::size_t contentSize) {
    std::vector<dftool::PackEntry> list;
    for (std::size_t i = 0; i < entries; ++i)
        list.push_back({Name(i), "20240131235959", std::uint8_t(i), Bytes(i ? 0 : contentSize, 0x5A)});
    std::string error;
    return dftool::PackDataFile(list, datafile::kFormatVersion, &error);  // empty on an error: no test passes on it
}

// More records than one read takes, in short pieces.
TEST(ReadEntryTable, ReadsAllRecordsInOrder) {
    TestSource source(Packed(1100, 3));
    source.maxPiece = 7;
    EntryTable table;
    ASSERT_EQ(ReadEntryTable(source, &table), ReadStatus::Ok);
    ASSERT_EQ(table.entries.size(), 1100u);
    for (std::size_t i = 0; i < 1100; ++i) ASSERT_EQ(table.entries[i].name, Name(i));
}

TEST(ReadEntryTable, RefusesTablesThatLeaveTheFile) {
    constexpr ReadStatus Ok = ReadStatus::Ok, Truncated = ReadStatus::Truncated;
    const std::tuple<const char*, std::uint32_t, std::size_t, ReadStatus> cases[] = {  // what, count, file size, status
        {"no count field", 0, 27, Truncated},       {"count but short header", 0, 31, Truncated},
        {"empty table", 0, 32, Ok},                 {"record one byte short", 2, 32 + 128 - 1, Truncated},
        {"record ends at the end", 2, 32 + 128, Ok}, {"huge count", 0xFFFFFFFF, 4096, Truncated},
        {"count * 64 wraps in 32 bits", 0x04000001, 32 + 64 + 2, Truncated},
    };
    for (const auto& [what, count, fileSize, expected] : cases) {
        TestSource source(Bytes(fileSize, 0));
        for (int i = 0; i < 4 && fileSize >= 28; ++i) source.data[24 + i] = std::uint8_t(count >> (8 * i));
        EntryTable table;
        EXPECT_EQ(ReadEntryTable(source, &table), expected) << what;
        EXPECT_EQ(table.entries.size(), expected == Ok ? count : 0u) << what;
    }
}

bool Passes(CheckResult (*check)(ByteSource&), const std::string& bytes) {
    TestSource source(Bytes(bytes.begin(), bytes.end()));
    return check(source) == CheckResult::Passed;
}

TEST(HeaderChecks, SignatureIsExactlyKJ38AndVersionAtMostV10AsUnsignedBytes) {
    const std::pair<std::string, bool> signatures[] = {
        {"KJ38", true}, {"KJ38 and more", true}, {"", false}, {"KJ3", false}, {"KJ39", false}, {"kj38", false}, {" KJ38", false}};
    for (const auto& [bytes, passes] : signatures) EXPECT_EQ(Passes(CheckSignature, bytes), passes) << '"' << bytes << '"';
    // Fewer than four bytes means the file ends there: the rest reads as zeros.
    const std::pair<std::string, bool> versions[] = {
        {"V1.0", true}, {"V0.9", true}, {"", true}, {"V1.1", false}, {"V2.0", false}, {"v1.0", false}, {"W", false},
        {"V1.\xB0", false},  // above '0' only as an unsigned byte
    };
    for (const auto& [version, passes] : versions) EXPECT_EQ(Passes(CheckVersion, std::string(16, 'x') + version), passes) << version;
}

// The second half on a thread of its own, as the setup runs the check.
struct ThreadBeside : Beside {
    bool Start(std::function<void()> work) override { return done = std::async(std::launch::async, std::move(work)), true; }
    bool Wait(unsigned ms) override { return done.wait_for(std::chrono::milliseconds(ms)) == std::future_status::ready; }
    std::future<void> done;
};

// Whole and in halves: damaged on an empty file, a read error or missing bytes; short reads are
// no error.
TEST(CheckCrc, DamagedOnEmptyFileReadErrorOrMissingBytes) {
    for (bool halves : {false, true}) {
        TestSource empty(Bytes{}), failing(Packed(1, 3000000)), shrunk(Packed(1, 3000000)), shortReads(Packed(1, 3000000));
        failing.failFrom = 2000000, shrunk.size += 1, shortReads.maxPiece = 333;
        TestSource* sources[] = {&empty, &failing, &shrunk, &shortReads};
        ThreadBeside beside[4];
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(CheckCrc(*sources[i], nullptr, halves ? &beside[i] : nullptr) == CheckResult::Passed, i == 3) << i << halves;
    }
}

// As if reported after every byte n of L: each new floor(50 n / L) once, in order, ending at 50,
// whole and in halves.
TEST(CheckCrc, ReportsEachPositionOnceEndingAtFifty) {
    for (std::size_t length : {1, 2, 3, 7, 49, 50, 51, 99, 100, 101, 1001, (3 << 20) + 17}) {
        std::vector<int> expected;
        for (std::uint64_t n = 1; n <= length; ++n)
            if (const int p = static_cast<int>(50 * n / length); expected.empty() || expected.back() != p) expected.push_back(p);
        for (bool halves : {false, true}) {
            TestSource source(Bytes(length, 0x5A));
            std::vector<int> positions;
            ThreadBeside beside;
            CheckCrc(source, [&](int p) { positions.push_back(p); }, halves ? &beside : nullptr);
            EXPECT_EQ(positions, expected) << "length " << length << ", halves " << halves;
        }
    }
}

}  // namespace
}  // namespace datafile
