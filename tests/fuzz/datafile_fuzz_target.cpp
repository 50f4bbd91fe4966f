#include "tests/fuzz/datafile_fuzz_target.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "install/datafile/crc16.h"
#include "install/datafile/data_file.h"
#include "install/datafile/data_file_checks.h"
#include "install/datafile/data_file_validation.h"
#include "install/install_plan.h"

namespace {

using namespace datafile;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

void Require(bool ok, const char* what) {
    if (!ok) Fail(what);
}

// Code page 932's shape: a lead byte takes the next byte along, whatever it is.
std::u16string DecodeLikeCp932(const std::string& bytes) {
    std::u16string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) && i + 1 < bytes.size()) {
            out.push_back(static_cast<char16_t>(0x3000 | (b << 4 ^ static_cast<unsigned char>(bytes[++i]))));
        } else {
            out.push_back(static_cast<char16_t>(b));
        }
    }
    return out;
}

// Positions must rise strictly and stay in [low, high].
struct PositionLog {
    int low, high;
    std::vector<int> seen;
    void operator()(int p) {
        Require(p >= low && p <= high, "position out of range");
        Require(seen.empty() || p > seen.back(), "position repeated or fell");
        seen.push_back(p);
    }
};

void CheckCrcMethods(const std::uint8_t* data, std::size_t size) {
    const std::uint16_t reference = CrcUpdate(CrcMethod::Bytewise, kCrcInitial, data, size);
    for (CrcMethod m : {CrcMethod::Slicing8, CrcMethod::Clmul})
        Require(CrcUpdate(m, kCrcInitial, data, size) == reference, "CRC method disagrees with the byte-wise one");
}

void CheckChecks(const std::uint8_t* data, std::size_t size) {
    MemoryByteSource source(data, size);
    const bool signature = size >= 4 && std::memcmp(data, "KJ38", 4) == 0;
    Require((CheckSignature(source) == CheckResult::Passed) == signature, "signature check");
    CheckVersion(source);

    PositionLog log{0, 50, {}};
    const CheckResult crc = CheckCrc(source, std::ref(log));
    const bool residue = CrcUpdate(CrcMethod::Bytewise, kCrcInitial, data, size) == kCrcResidue;
    Require((crc == CheckResult::Passed) == residue, "CRC check disagrees with the byte-wise register");
    Require(size == 0 ? log.seen.empty() : !log.seen.empty() && log.seen.back() == 50, "CRC progress end");
}

// Extraction's progress for the installed entries, with pieces cut from the input
// itself, must equal what a copy in 260-byte blocks sets.
void CheckExtractProgress(const EntryTable& table, int osClass, std::uint64_t total, const std::uint8_t* data,
                          std::size_t size) {
    std::vector<int> expected;
    std::uint64_t done = 0;
    auto set = [&](std::uint64_t d) {
        const int p = install::ExtractPosition(d, total);
        if (expected.empty() || expected.back() != p) expected.push_back(p);
    };
    PositionLog log{50, 100, {}};
    install::ExtractProgress progress(total, std::ref(log));
    std::size_t cursor = 0;
    for (const EntryRecord& e : table.entries) {
        if (Place(e.targetType, osClass) == Placement::Skip) continue;
        for (std::uint64_t k = 1; k <= e.size / 260; ++k) set(done + 260 * k);
        done += e.size;
        set(done);

        progress.BeginEntry(e.size);
        for (std::uint64_t left = e.size; left != 0;) {
            const std::uint64_t piece = size ? 1 + data[cursor++ % size] * 7u : left;
            progress.Copied(piece);
            left = piece >= left ? 0 : left - piece;
        }
        progress.EndEntry();
    }
    Require(done == total, "validation total differs from the installed sizes");
    Require(log.seen == expected, "extraction progress differs from the 260-byte copy");
    Require(total == 0 || log.seen.back() == 100, "extraction progress does not end at 100");
}

void CheckTable(const std::uint8_t* data, std::size_t size) {
    MemoryByteSource source(data, size);
    EntryTable table;
    const ReadStatus status = ReadEntryTable(source, &table);
    Require(status != ReadStatus::IoError, "memory reads cannot fail");
    if (status != ReadStatus::Ok) return;
    Require(table.entries.size() == table.count, "record count");
    Require(kHeaderSize + std::uint64_t(table.count) * kRecordSize <= size, "table outside the file");

    for (int osClass = -1; osClass <= 5; ++osClass) {
        const ValidationResult r = ValidateEntryTable(table, size, osClass, DecodeLikeCp932);
        if (!r.Ok()) continue;
        for (const EntryRecord& e : table.entries)
            if (Place(e.targetType, osClass) != Placement::Skip)
                Require(std::uint64_t(e.offset) + e.size <= size, "accepted content outside the file");
        if (r.totalSize != 0) CheckExtractProgress(table, osClass, r.totalSize, data, size);
    }
}

}  // namespace

void FuzzDataFile(const std::uint8_t* data, std::size_t size) {
    CheckCrcMethods(data, size);
    CheckChecks(data, size);
    CheckTable(data, size);
}
