#include "driver/install_data_file.h"

#include <algorithm>
#include <cstring>

#include "install/datafile/crc16.h"

namespace install_tests {

namespace {

constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kRecordSize = 64;
constexpr std::size_t kNameSize = 32;
constexpr std::size_t kTimestampSize = 16;
constexpr std::size_t kBufferSize = 1 << 20;

std::uint64_t Mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

void PutU32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutText(std::uint8_t* at, const std::string& text, std::size_t width) {
  std::memcpy(at, text.data(), std::min(text.size(), width));
}

// Buffers the output, runs the CRC register over what the file should hold, and lets one
// byte reach the file changed.
class Output {
 public:
  explicit Output(const ByteSink& sink) : sink_(sink) { buffer_.reserve(kBufferSize); }

  bool Put(const std::uint8_t* data, std::size_t length) {
    crc_ = datafile::CrcUpdate(crc_, data, length);
    while (length > 0) {
      const std::size_t take = std::min(length, kBufferSize - buffer_.size());
      buffer_.insert(buffer_.end(), data, data + take);
      data += take;
      length -= take;
      if (flipAt_ && *flipAt_ >= written_ && *flipAt_ < written_ + buffer_.size()) {
        buffer_[*flipAt_ - written_] ^= 0x01;
        flipAt_.reset();
      }
      if (buffer_.size() == kBufferSize && !Flush()) return false;
    }
    return true;
  }

  bool Flush() {
    if (!buffer_.empty() && !sink_(buffer_.data(), buffer_.size())) return false;
    written_ += buffer_.size();
    buffer_.clear();
    return true;
  }

  void FlipByteAt(std::uint64_t position) { flipAt_ = position; }
  std::uint16_t Crc() const { return static_cast<std::uint16_t>(~crc_); }

 private:
  const ByteSink& sink_;
  std::vector<std::uint8_t> buffer_;
  std::uint64_t written_ = 0;
  std::optional<std::uint64_t> flipAt_;
  std::uint16_t crc_ = datafile::kCrcInitial;
};

}  // namespace

EntryContent EntryContent::Bytes(std::string bytes) {
  EntryContent content;
  content.size_ = static_cast<std::uint32_t>(bytes.size());
  content.bytes_ = std::move(bytes);
  return content;
}

EntryContent EntryContent::Pattern(std::uint32_t size, std::uint32_t seed) {
  EntryContent content;
  content.pattern_ = true;
  content.size_ = size;
  content.seed_ = seed;
  return content;
}

void EntryContent::Fill(std::uint64_t offset, std::uint8_t* out, std::size_t length) const {
  if (!pattern_) {
    std::memcpy(out, bytes_.data() + offset, length);
    return;
  }
  // Eight bytes per mixing step; the seed keeps entries of equal size apart.
  const std::uint64_t key = std::uint64_t(seed_) << 40;
  std::uint64_t word = offset / 8;
  std::uint64_t bits = Mix(key ^ word);
  for (std::size_t i = 0; i < length; ++i) {
    const std::uint64_t at = offset + i;
    if (at / 8 != word) {
      word = at / 8;
      bits = Mix(key ^ word);
    }
    out[i] = static_cast<std::uint8_t>(bits >> (8 * (at % 8)));
  }
}

std::string EntryContent::All() const {
  std::string all(size_, '\0');
  Fill(0, reinterpret_cast<std::uint8_t*>(all.data()), all.size());
  return all;
}

bool WriteDataFile(const std::vector<DataEntry>& entries, const Damage& damage, const ByteSink& sink) {
  for (const DataEntry& entry : entries) {
    if (entry.name.size() > kNameSize || entry.timestamp.size() > kTimestampSize) return false;
  }
  const std::size_t count = entries.size();
  std::vector<std::uint8_t> head(kHeaderSize + kRecordSize * count, 0);
  PutText(head.data(), damage.signature, 4);
  PutText(head.data() + 16, damage.version, 4);
  PutU32(head.data() + 24, static_cast<std::uint32_t>(count));

  std::uint64_t offset = head.size();
  std::uint64_t total = head.size();
  for (const DataEntry& entry : entries) total += entry.content.Size();
  total += 2;
  std::optional<std::uint64_t> firstContentByte;
  for (std::size_t i = 0; i < count; ++i) {
    const DataEntry& entry = entries[i];
    std::uint8_t* record = head.data() + kHeaderSize + kRecordSize * i;
    PutText(record, entry.name, kNameSize);
    PutText(record + 32, entry.timestamp, kTimestampSize);
    const bool pastEnd = damage.contentPastEnd && *damage.contentPastEnd == i;
    PutU32(record + 48, static_cast<std::uint32_t>(pastEnd ? total - 2 : offset));
    PutU32(record + 52, entry.content.Size());
    record[56] = entry.type;
    if (!firstContentByte && entry.content.Size() > 0) firstContentByte = offset;
    offset += entry.content.Size();
  }

  Output out(sink);
  if (damage.flipContentByte && firstContentByte) out.FlipByteAt(*firstContentByte);
  if (!out.Put(head.data(), head.size())) return false;
  std::vector<std::uint8_t> chunk(kBufferSize);
  for (const DataEntry& entry : entries) {
    for (std::uint64_t done = 0; done < entry.content.Size();) {
      const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), entry.content.Size() - done));
      entry.content.Fill(done, chunk.data(), take);
      if (!out.Put(chunk.data(), take)) return false;
      done += take;
    }
  }
  const std::uint16_t crc = out.Crc();
  const std::uint8_t trailer[2] = {static_cast<std::uint8_t>(crc & 0xFF), static_cast<std::uint8_t>(crc >> 8)};
  return out.Put(trailer, 2) && out.Flush();
}

std::vector<std::uint8_t> DataFileBytes(const std::vector<DataEntry>& entries, const Damage& damage) {
  std::vector<std::uint8_t> bytes;
  WriteDataFile(entries, damage, [&bytes](const std::uint8_t* data, std::size_t length) {
    bytes.insert(bytes.end(), data, data + length);
    return true;
  });
  return bytes;
}

}  // namespace install_tests
