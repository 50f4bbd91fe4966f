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

constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kRecordSize = 64;
constexpr std::size_t kNameSize = 32;
constexpr std::size_t kTimestampSize = 16;
constexpr std::uint64_t kSignatureOffset = 0;
constexpr std::uint64_t kVersionOffset = 16;
constexpr std::uint64_t kCountOffset = 24;

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

struct EntryRecord {
    std::string name;  // raw ANSI (code page 932) bytes, up to the first NUL, at most 32
    std::array<char, kTimestampSize> timestamp{};  // "YYYYMMDDhhmmss" + 2 unused bytes
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
    std::uint8_t targetType = 0;
};

struct EntryTable {
    std::uint32_t count = 0;  // N as stored
    std::vector<EntryRecord> entries;  // all N records, in file order
};

enum class ReadStatus { Ok, IoError, Truncated };

// Reads N and every record. Truncated when the table does not lie inside the file.
ReadStatus ReadEntryTable(ByteSource& source, EntryTable* table);

// Parses a record from its 64 raw bytes.
EntryRecord ParseRecord(const std::uint8_t* record);

}  // namespace datafile
