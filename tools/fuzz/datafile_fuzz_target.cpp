#include "tools/fuzz/datafile_fuzz_target.h"

#include <cstdio>
#include <cstdlib>

#include "install/datafile/data_file.h"
#include "install/datafile/data_file_checks.h"
#include "install/datafile/data_file_validation.h"
#include "install/datafile/os_classes.h"

namespace {

using namespace datafile;

void Require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

}  // namespace

// The CRC methods' agreement is the CRC test's (random data of every length, alignment and split); here
// the check only runs, for the sanitizers.
void FuzzDataFile(const std::uint8_t* data, std::size_t size) {
    MemoryByteSource source(data, size);
    CheckCrc(source, nullptr);

    EntryTable table;
    if (ReadEntryTable(source, &table) != ReadStatus::Ok) return;
    Require(table.entries.size() == table.count && kHeaderSize + std::uint64_t(table.count) * kRecordSize <= size,
            "a table read that does not fit the file");
    const auto widen = [](const std::string& s) { return std::u16string(s.begin(), s.end()); };
    for (int osClass : kAllOsClasses) {
        const ValidationResult r = ValidateEntryTable(table, size, osClass, widen);
        std::uint64_t total = 0;
        for (const EntryRecord& e : table.entries) {
            if (!r.Ok() || Place(e.targetType, osClass) == Placement::Skip) continue;
            Require(std::uint64_t(e.offset) + e.size <= size, "accepted content outside the file");
            total += e.size;
        }
        Require(!r.Ok() || r.totalSize == total, "the validation total differs from the installed sizes");
        // The setup's validation reads the table a block at a time: the same verdict, and the
        // installed entries in table order.
        std::vector<InstalledEntry> installed;
        ReadStatus status = ReadStatus::IoError;
        const ValidationResult streamed = ValidateEntries(source, osClass, widen, &installed, &status);
        Require(status == ReadStatus::Ok && streamed.issue == r.issue && streamed.entryIndex == r.entryIndex &&
                    streamed.totalSize == r.totalSize,
                "the block-wise validation disagrees with the whole table's");
        std::size_t next = 0;
        for (std::size_t i = 0; r.Ok() && i < table.entries.size(); ++i) {
            if (Place(table.entries[i].targetType, osClass) == Placement::Skip) continue;
            Require(next < installed.size() && installed[next].index == i && installed[next].record.name == table.entries[i].name,
                    "the installed entries are not the table's, in order");
            ++next;
        }
        Require(next == installed.size(), "more installed entries than the table installs");
    }
}
