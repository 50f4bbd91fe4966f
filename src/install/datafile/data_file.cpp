#include "install/datafile/data_file.h"

#include <algorithm>
#include <cstring>

#include "install/datafile/little_endian.h"

namespace datafile {
namespace {

// Records read per ReadAt, so that a large table costs few reads.
constexpr std::size_t kRecordsPerRead = 1024;

}  // namespace

std::uint64_t ScaledFloor(std::uint64_t n, std::uint64_t d, unsigned scale) {
    if (n >= d) return scale;
    if (d <= UINT64_MAX / scale) return scale * n / d;
    // scale * n would overflow: add n scale times, modulo d, counting the wraps.
    std::uint64_t quotient = 0, rest = 0;
    for (unsigned i = 0; i < scale; ++i) {
        if (rest >= d - n) {
            rest -= d - n;
            ++quotient;
        } else {
            rest += n;
        }
    }
    return quotient;
}

bool MemoryByteSource::ReadAt(std::uint64_t offset, void* buf, std::size_t len, std::size_t* got) {
    *got = 0;
    if (offset >= size_) return true;
    std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(len, size_ - offset));
    if (n != 0) std::memcpy(buf, data_ + offset, n);
    *got = n;
    return true;
}

bool ReadSpan(ByteSource& source, std::uint64_t offset, void* buf, std::size_t len, std::size_t* got) {
    auto* out = static_cast<std::uint8_t*>(buf);
    std::size_t total = 0;
    while (total < len) {
        std::size_t n = 0;
        if (!source.ReadAt(offset + total, out + total, len - total, &n)) {
            *got = total;
            return false;
        }
        if (n == 0) break;
        total += n;
    }
    *got = total;
    return true;
}

EntryRecord ParseRecord(const std::uint8_t* record) {
    EntryRecord r;
    const auto* name = reinterpret_cast<const char*>(record + kNameOffset);
    r.name.assign(name, std::find(name, name + kNameSize, '\0'));
    std::memcpy(r.timestamp.data(), record + kTimestampOffset, kTimestampSize);
    r.offset = LoadLe32(record + kContentOffsetOffset);
    r.size = LoadLe32(record + kContentSizeOffset);
    r.targetType = record[kTargetTypeOffset];
    return r;
}

ReadStatus VisitEntries(ByteSource& source, std::uint32_t* count, const EntryVisitor& visit) {
    *count = 0;
    std::uint8_t countBytes[4];
    std::size_t got = 0;
    if (!ReadSpan(source, kCountOffset, countBytes, sizeof countBytes, &got)) return ReadStatus::IoError;
    if (got != sizeof countBytes) return ReadStatus::Truncated;
    *count = LoadLe32(countBytes);  // also when the records do not fit: messages name it

    // Checked before anything is allocated: N comes from the file.
    const std::uint64_t tableEnd = kHeaderSize + std::uint64_t(*count) * kRecordSize;
    if (tableEnd > source.Size()) return ReadStatus::Truncated;

    std::vector<std::uint8_t> block(std::min<std::size_t>(*count, kRecordsPerRead) * kRecordSize);
    for (std::uint32_t first = 0; first < *count;) {
        const std::uint32_t n = static_cast<std::uint32_t>(std::min<std::uint64_t>(*count - first, kRecordsPerRead));
        const std::size_t bytes = std::size_t(n) * kRecordSize;
        if (!ReadSpan(source, kHeaderSize + std::uint64_t(first) * kRecordSize, block.data(), bytes, &got))
            return ReadStatus::IoError;
        if (got != bytes) return ReadStatus::Truncated;
        for (std::uint32_t i = 0; i < n; ++i) {
            if (!visit(first + i, ParseRecord(block.data() + std::size_t(i) * kRecordSize))) return ReadStatus::Ok;
        }
        first += n;
    }
    return ReadStatus::Ok;
}

ReadStatus ReadEntryTable(ByteSource& source, EntryTable* table) {
    table->entries.clear();
    std::vector<EntryRecord> entries;
    bool reserved = false;
    const ReadStatus status = VisitEntries(source, &table->count, [&](std::uint32_t, const EntryRecord& entry) {
        if (!reserved) entries.reserve(table->count), reserved = true;  // the count is known to fit by now
        entries.push_back(entry);
        return true;
    });
    if (status == ReadStatus::Ok) table->entries = std::move(entries);
    return status;
}

}  // namespace datafile
