#include "install/datafile/data_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "install/datafile/crc16.h"
#include "install/datafile/data_file_checks.h"
#include "install/datafile/data_file_validation.h"
#include "packer.h"

namespace datafile {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Damage: patches a 32-bit field.
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}


// Every test file comes from the tool's packer, as the setup's files do.
Bytes Packed(const std::vector<dftool::PackEntry>& entries) {
    std::string error;
    Bytes file = dftool::PackDataFile(entries, dftool::kFormatVersion, &error);
    EXPECT_EQ(error, "");
    return file;
}

dftool::PackEntry Entry(const std::string& name, std::uint8_t type, std::size_t size) {
    return {name, "20240131235959", type, Bytes(size, 0x5A)};
}

// Serves bytes in pieces of at most maxPiece, fails every read that reaches failFrom,
// and can claim a size other than what it holds.
class TestSource : public ByteSource {
public:
    explicit TestSource(Bytes data) : data_(std::move(data)), size_(data_.size()) {}
    std::size_t maxPiece = SIZE_MAX;
    std::uint64_t failFrom = UINT64_MAX;
    void ClaimSize(std::uint64_t size) { size_ = size; }
    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, void* buf, std::size_t len, std::size_t* got) override {
        *got = 0;
        if (len != 0 && offset + len > failFrom) return false;
        if (offset >= data_.size()) return true;
        const std::size_t n = std::min({len, maxPiece, static_cast<std::size_t>(data_.size() - offset)});
        std::memcpy(buf, data_.data() + offset, n);
        *got = n;
        return true;
    }
private:
    Bytes data_;
    std::uint64_t size_;
};

TEST(ParseRecord, ReadsEveryFieldLittleEndian) {
    std::uint8_t raw[kRecordSize];
    for (std::size_t i = 0; i < kRecordSize; ++i) raw[i] = static_cast<std::uint8_t>(0x40 + i);
    raw[48] = 0x01, raw[49] = 0x02, raw[50] = 0x03, raw[51] = 0x84;
    raw[52] = 0xFF, raw[53] = 0x00, raw[54] = 0x00, raw[55] = 0x00;
    raw[56] = 0xFE;
    const EntryRecord r = ParseRecord(raw);
    EXPECT_EQ(r.name, std::string(reinterpret_cast<const char*>(raw), 32)) << "32 bytes, no terminator";
    EXPECT_EQ(std::string(r.timestamp.begin(), r.timestamp.end()), std::string(reinterpret_cast<const char*>(raw + 32), 16));
    EXPECT_EQ(r.offset, 0x84030201u);
    EXPECT_EQ(r.size, 0xFFu);
    EXPECT_EQ(r.targetType, 0xFE);
}

TEST(ParseRecord, NameEndsAtTheFirstNul) {
    std::uint8_t raw[kRecordSize] = {};
    std::memcpy(raw, "ab\x95\x5C" "c\0zz", 8);
    EXPECT_EQ(ParseRecord(raw).name, "ab\x95\x5C" "c");
    raw[0] = 0;
    EXPECT_EQ(ParseRecord(raw).name, "");
}

TEST(ReadEntryTable, ReadsAllRecordsInOrder) {
    const Bytes file = Packed({Entry("one", 0, 3), Entry("two", 5, 0)});
    for (std::size_t piece : {SIZE_MAX, std::size_t(7)}) {
        TestSource source(file);
        source.maxPiece = piece;
        EntryTable table;
        ASSERT_EQ(ReadEntryTable(source, &table), ReadStatus::Ok);
        EXPECT_EQ(table.count, 2u);
        ASSERT_EQ(table.entries.size(), 2u);
        EXPECT_EQ(table.entries[0].name, "one");
        EXPECT_EQ(table.entries[0].offset, 160u);
        EXPECT_EQ(table.entries[1].name, "two");
        EXPECT_EQ(table.entries[1].targetType, 5);
    }
}

TEST(ReadEntryTable, RefusesTablesThatLeaveTheFile) {
    struct Case {
        const char* what;
        std::uint32_t count;
        std::size_t fileSize;
        ReadStatus expected;
    };
    const Case cases[] = {
        {"no count field", 0, 27, ReadStatus::Truncated},
        {"count but short header", 0, 31, ReadStatus::Truncated},
        {"empty table", 0, 32, ReadStatus::Ok},
        {"record one byte short", 2, 32 + 128 - 1, ReadStatus::Truncated},
        {"record ends at the end", 2, 32 + 128, ReadStatus::Ok},
        {"huge count", 0xFFFFFFFF, 4096, ReadStatus::Truncated},
        {"count * 64 wraps in 32 bits", 0x04000001, 32 + 64 + 2, ReadStatus::Truncated},
    };
    for (const Case& c : cases) {
        Bytes file(c.fileSize, 0);
        if (c.fileSize >= 28) Put32(file, 24, c.count);
        TestSource source(file);
        EntryTable table;
        EXPECT_EQ(ReadEntryTable(source, &table), c.expected) << c.what;
        EXPECT_EQ(table.entries.size(), c.expected == ReadStatus::Ok ? c.count : 0u) << c.what;
    }
}

TEST(ReadEntryTable, ReportsReadErrors) {
    const Bytes file = Packed({Entry("a", 0, 0), Entry("b", 0, 0)});
    for (std::uint64_t failFrom : {0, 27, 100}) {
        TestSource source(file);
        source.failFrom = failFrom;
        EntryTable table;
        EXPECT_EQ(ReadEntryTable(source, &table), ReadStatus::IoError) << failFrom;
    }
}

TEST(CheckSignature, AcceptsOnlyKJ38) {
    struct Case {
        std::string bytes;
        CheckResult expected;
    };
    const Case cases[] = {
        {"KJ38", CheckResult::Passed},
        {"KJ38 and more", CheckResult::Passed},
        {"", CheckResult::Damaged},
        {"K", CheckResult::Damaged},
        {"KJ3", CheckResult::Damaged},
        {std::string("KJ3\0", 4), CheckResult::Damaged},
        {"KJ39", CheckResult::Damaged},
        {"kj38", CheckResult::Damaged},
        {" KJ38", CheckResult::Damaged},
    };
    for (const Case& c : cases) {
        TestSource source(Bytes(c.bytes.begin(), c.bytes.end()));
        EXPECT_EQ(CheckSignature(source), c.expected) << '"' << c.bytes << '"';
    }
    TestSource failing(Bytes{'K', 'J', '3', '8'});
    failing.failFrom = 0;
    EXPECT_EQ(CheckSignature(failing), CheckResult::Damaged);
}

TEST(CheckVersion, PassesVersionsUpToV10AsUnsignedBytes) {
    struct Case {
        std::string version;  // bytes 16.. of the file; fewer than four means a short file
        CheckResult expected;
    };
    const Case cases[] = {
        {"V1.0", CheckResult::Passed},
        {"V0.9", CheckResult::Passed},
        {std::string("V1.\0", 4), CheckResult::Passed},
        {std::string(4, '\0'), CheckResult::Passed},
        {"", CheckResult::Passed},  // the file ends before the version: zeros
        {"V1", CheckResult::Passed},
        {"V1.1", CheckResult::Damaged},
        {"V2.0", CheckResult::Damaged},
        {"v1.0", CheckResult::Damaged},
        {"W", CheckResult::Damaged},
        {"V1.\xB0", CheckResult::Damaged},  // above '0' only as an unsigned byte
        {"\xD6", CheckResult::Damaged},
    };
    for (const Case& c : cases) {
        Bytes file(16, 'x');
        file.insert(file.end(), c.version.begin(), c.version.end());
        TestSource source(file);
        EXPECT_EQ(CheckVersion(source), c.expected) << '"' << c.version << '"';
    }
    TestSource failing(Packed({}));
    failing.failFrom = 18;
    EXPECT_EQ(CheckVersion(failing), CheckResult::Damaged);
}

TEST(CheckCrc, DamagedOnEmptyFileReadErrorOrMissingBytes) {
    std::vector<int> positions;
    auto record = [&](int p) { positions.push_back(p); };
    TestSource empty(Bytes{});
    EXPECT_EQ(CheckCrc(empty, record), CheckResult::Damaged);
    EXPECT_TRUE(positions.empty());

    const Bytes good = Packed({Entry("big", 0, 3000000)});
    TestSource failing(good);
    failing.failFrom = 2000000;
    EXPECT_EQ(CheckCrc(failing, nullptr), CheckResult::Damaged);

    TestSource shrunk(good);
    shrunk.ClaimSize(good.size() + 1);
    EXPECT_EQ(CheckCrc(shrunk, nullptr), CheckResult::Damaged);

    TestSource shortReads(good);
    shortReads.maxPiece = 333;
    EXPECT_EQ(CheckCrc(shortReads, nullptr), CheckResult::Passed);
}

// The positions of a per-byte update, floor(100 n / 2L) after byte n, each time it changes.
std::vector<int> PerBytePositions(std::uint64_t length) {
    std::vector<int> out;
    for (std::uint64_t n = 1; n <= length; ++n) {
        const int p = static_cast<int>(100 * n / (2 * length));
        if (out.empty() || out.back() != p) out.push_back(p);
    }
    return out;
}

TEST(CheckCrc, ReportsEachPositionOnceEndingAtFifty) {
    for (std::size_t length : {1, 2, 3, 7, 49, 50, 51, 99, 100, 101, 1001, (3 << 20) + 17}) {
        Bytes file(length, 0x5A);
        TestSource source(file);
        std::vector<int> positions;
        CheckCrc(source, [&](int p) { positions.push_back(p); });
        EXPECT_EQ(positions, PerBytePositions(length)) << "length " << length;
        ASSERT_FALSE(positions.empty());
        EXPECT_EQ(positions.back(), 50);
    }
}

// The fuzz seeds were written by a separate tool with its own CRC code, so they also
// check that trailers agree with an implementation other than this one.
Bytes Seed(const std::string& name) {
    std::ifstream in(std::string(SOURCE_DIR) + "/tests/fuzz/seeds/" + name, std::ios::binary);
    EXPECT_TRUE(in.is_open()) << name;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(SeedFiles, ChecksAndTable) {
    constexpr auto P = CheckResult::Passed;
    constexpr auto D = CheckResult::Damaged;
    struct Case {
        const char* file;
        CheckResult signature, version, crc;
        ReadStatus table;
    };
    const Case cases[] = {
        {"valid_all_types.cab", P, P, P, ReadStatus::Ok},  {"header_only.cab", P, P, P, ReadStatus::Ok},
        {"empty.cab", D, P, D, ReadStatus::Truncated},    {"short_signature.cab", D, P, D, ReadStatus::Truncated},
        {"old_version.cab", P, P, P, ReadStatus::Ok},      {"new_version.cab", P, D, P, ReadStatus::Ok},
        {"bad_crc.cab", P, P, D, ReadStatus::Ok},          {"count_wraps.cab", P, P, P, ReadStatus::Truncated},
        {"bad_names.cab", P, P, P, ReadStatus::Ok},
    };
    for (const Case& c : cases) {
        const Bytes file = Seed(c.file);
        MemoryByteSource source(file.data(), file.size());
        EntryTable table;
        EXPECT_EQ(CheckSignature(source), c.signature) << c.file;
        EXPECT_EQ(CheckVersion(source), c.version) << c.file;
        EXPECT_EQ(CheckCrc(source, nullptr), c.crc) << c.file;
        EXPECT_EQ(ReadEntryTable(source, &table), c.table) << c.file;
    }
}

TEST(SeedFiles, ValidationOfTheSampleTables) {
    auto widen = [](const std::string& s) { return std::u16string(s.begin(), s.end()); };
    const Bytes file = Seed("valid_all_types.cab");
    MemoryByteSource source(file.data(), file.size());
    EntryTable table;
    ASSERT_EQ(ReadEntryTable(source, &table), ReadStatus::Ok);
    ASSERT_EQ(table.entries.size(), 8u);
    EXPECT_EQ(table.entries[1].name, "%SystemRoot%\\drivers\\kv.sys");
    EXPECT_EQ(table.entries[1].offset, 32u + 8 * 64 + 302);
    EXPECT_EQ(table.entries[1].size, 300u);
    EXPECT_EQ(std::string(table.entries[1].timestamp.data(), 14), "20240131235959");
    const std::pair<int, std::uint64_t> totals[] = {{-1, 302}, {0, 302}, {1, 822}, {2, 309}, {3, 320}, {4, 563}, {5, 620}};
    for (const auto& t : totals) {
        const ValidationResult r = ValidateEntryTable(table, file.size(), t.first, widen);
        ASSERT_TRUE(r.Ok()) << DescribeValidation(r);
        EXPECT_EQ(r.totalSize, t.second) << "class " << t.first;
    }

    const Bytes bad = Seed("bad_names.cab");
    MemoryByteSource badSource(bad.data(), bad.size());
    ASSERT_EQ(ReadEntryTable(badSource, &table), ReadStatus::Ok);
    EXPECT_EQ(ValidateEntryTable(table, bad.size(), 4, widen).issue, ValidationIssue::ParentComponent);
}

TEST(ScaledFloor, ExactWithoutOverflow) {
    EXPECT_EQ(ScaledFloor(0, 10, 50), 0u);
    EXPECT_EQ(ScaledFloor(1, 3, 50), 16u);
    EXPECT_EQ(ScaledFloor(3, 3, 50), 50u);
    EXPECT_EQ(ScaledFloor(7, 3, 50), 50u);
    const std::uint64_t big = UINT64_MAX - 6;
    EXPECT_EQ(ScaledFloor(big / 2, big, 100), 49u);
    EXPECT_EQ(ScaledFloor(big - 1, big, 100), 99u);
    EXPECT_EQ(ScaledFloor(big / 100 * 37, big, 100), 36u);
    EXPECT_EQ(ScaledFloor(big / 100 * 37 + big / 100, big, 100), 37u);
}

}  // namespace
}  // namespace datafile
