// Data files for the installation tests, written the way a packer writes them (header, entry
// table, contents, CRC trailer), optionally spoiled in one chosen way. Contents are streamed, so
// a benchmark file of hundreds of MiB never sits in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace install_tests {

// What one entry holds: literal bytes, or a reproducible pattern of any size.
class EntryContent {
 public:
  EntryContent() = default;
  static EntryContent Bytes(std::string bytes);
  static EntryContent Pattern(std::uint32_t size, std::uint32_t seed);

  std::uint32_t Size() const { return size_; }
  // Bytes [offset, offset + length) of the content.
  void Fill(std::uint64_t offset, std::uint8_t* out, std::size_t length) const;
  std::string All() const;

 private:
  std::string bytes_;
  bool pattern_ = false;
  std::uint32_t size_ = 0;
  std::uint32_t seed_ = 0;
};

struct DataEntry {
  std::string name;       // as stored: code page 932 bytes, at most 32
  std::string timestamp;  // "YYYYMMDDhhmmss", local time
  std::uint8_t type = 0;
  EntryContent content;
};

// One way of spoiling an otherwise sound file.
struct Damage {
  std::string signature = "KJ38";
  std::string version = "V1.0";
  bool flipContentByte = false;                 // changed after the CRC was taken
  std::optional<std::size_t> contentPastEnd;    // this entry's stored offset points into the trailer
};

// Receives the file's bytes in order; false stops the writer.
using ByteSink = std::function<bool(const std::uint8_t* data, std::size_t length)>;

// Writes the file; false when the sink refused or an entry cannot be stored (a name over 32 bytes,
// a timestamp over 16). The CRC trailer is right unless the damage says otherwise.
bool WriteDataFile(const std::vector<DataEntry>& entries, const Damage& damage, const ByteSink& sink);

std::vector<std::uint8_t> DataFileBytes(const std::vector<DataEntry>& entries, const Damage& damage = {});

}  // namespace install_tests
