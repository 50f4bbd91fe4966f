// Layout of the data file: a 32-byte header, N entry records of 64 bytes, the entries'
// contents, and the CRC-16/X-25 of everything before it in the last two bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace datafile {

// The header: the signature, the format version and the entry count N (32-bit, low byte first);
// the other bytes are unused.
constexpr std::size_t kHeaderSize = 32;
constexpr std::uint64_t kSignatureOffset = 0;
constexpr std::uint64_t kVersionOffset = 16;
constexpr std::uint64_t kCountOffset = 24;
constexpr std::size_t kHeaderFieldSize = 4;  // each of the three
constexpr char kSignature[] = "KJ38";
constexpr char kFormatVersion[] = "V1.0";  // the newest version the setup reads

// An entry record: the name (NUL-padded), the timestamp, the content's offset and size (32-bit, low
// byte first) and the target type; bytes 57 to 63 are unused.
constexpr std::size_t kRecordSize = 64;
constexpr std::size_t kNameOffset = 0;
constexpr std::size_t kNameSize = 32;
constexpr std::size_t kTimestampOffset = 32;
constexpr std::size_t kTimestampSize = 16;
constexpr std::size_t kTimestampDigits = 14;  // "YYYYMMDDhhmmss" at the start of its field
constexpr std::size_t kContentOffsetOffset = 48;
constexpr std::size_t kContentSizeOffset = 52;
constexpr std::size_t kTargetTypeOffset = 56;

// The CRC trailer after the contents; offsets and sizes are 32-bit, so the whole file must stay
// within 4 GiB - 1.
constexpr std::size_t kTrailerSize = 2;
constexpr std::uint64_t kMaxFileSize = 0xFFFFFFFF;

// The target type that installs an entry into the destination folder on every class; the others
// name a version class (install/datafile/os_classes.h).
constexpr std::uint8_t kTargetDestFolder = 0;

// Random access to the bytes of an opened data file. The Windows side reads the real
// file (opened without sharing); tests and tools read memory or a POSIX file.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Reads up to len bytes at offset into buf; *got receives how many were read
    // (fewer only at the end of the file). Returns false on an I/O error.
    virtual bool ReadAt(std::uint64_t offset, void* buf, std::size_t len, std::size_t* got) = 0;
};

// Receives progress positions (0..100); called only when the position changes.
using ProgressSink = std::function<void(int position)>;

// floor(scale * n / d) for n <= d (scale when n >= d), exact for every 64-bit n and d.
std::uint64_t ScaledFloor(std::uint64_t n, std::uint64_t d, unsigned scale);

struct EntryRecord {
    std::string name;  // raw ANSI (code page 932) bytes, up to the first NUL, at most 32
    std::array<char, kTimestampSize> timestamp{};  // "YYYYMMDDhhmmss" + 2 unused bytes
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
    std::uint8_t targetType = 0;
};

struct EntryTable {
    std::uint32_t count = 0;  // N as stored, once the count field was read
    std::vector<EntryRecord> entries;  // all N records, in file order; only when the table was read
};

enum class ReadStatus { Ok, IoError, Truncated };

// Reads N and every record. Truncated when the table does not lie inside the file.
ReadStatus ReadEntryTable(ByteSource& source, EntryTable* table);

// Reads N into *count, then the records a block at a time, handing each to visit(index, record)
// in file order, so that memory does not follow N; visit returns false to stop there.
using EntryVisitor = std::function<bool(std::uint32_t index, const EntryRecord& entry)>;
ReadStatus VisitEntries(ByteSource& source, std::uint32_t* count, const EntryVisitor& visit);

// Parses a record from its 64 raw bytes.
EntryRecord ParseRecord(const std::uint8_t* record);

// Reads up to len bytes at offset, repeating short reads until len bytes or the end of
// the file; *got receives the count. False on an I/O error.
bool ReadSpan(ByteSource& source, std::uint64_t offset, void* buf, std::size_t len, std::size_t* got);

// A ByteSource over bytes in memory that the caller keeps alive.
class MemoryByteSource : public ByteSource {
public:
    MemoryByteSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, void* buf, std::size_t len, std::size_t* got) override;
private:
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace datafile
