#include "packer.h"

#include <cstring>

#include "install/datafile/crc16.h"
#include "install/datafile/little_endian.h"

namespace dftool {

using namespace datafile;

std::vector<std::uint8_t> PackDataFile(const std::vector<PackEntry>& entries, const std::string& version,
                                       std::string* error) {
    error->clear();
    if (version.size() != kHeaderFieldSize) {
        *error = "the format version must be " + std::to_string(kHeaderFieldSize) + " bytes";
        return {};
    }
    for (const PackEntry& e : entries) {
        if (e.nameBytes.size() > kNameSize || e.timestamp.size() > kTimestampSize) {
            *error = "an entry's name or timestamp does not fit its field";
            return {};
        }
    }
    const std::uint64_t tableEnd = kHeaderSize + kRecordSize * entries.size();
    std::uint64_t total = tableEnd + kTrailerSize;
    for (const PackEntry& e : entries) total += e.content.size();
    if (total > kMaxFileSize) {
        *error = "the data file would be " + std::to_string(total) +
                 " bytes; offsets and sizes are 32-bit, so at most " + std::to_string(kMaxFileSize) + " bytes fit";
        return {};
    }
    std::vector<std::uint8_t> out(static_cast<std::size_t>(tableEnd), 0);
    std::memcpy(out.data() + kSignatureOffset, kSignature, kHeaderFieldSize);
    std::memcpy(out.data() + kVersionOffset, version.data(), kHeaderFieldSize);
    StoreLe32(out.data() + kCountOffset, static_cast<std::uint32_t>(entries.size()));

    std::uint32_t offset = static_cast<std::uint32_t>(tableEnd);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const PackEntry& e = entries[i];
        std::uint8_t* record = out.data() + kHeaderSize + kRecordSize * i;
        std::memcpy(record + kNameOffset, e.nameBytes.data(), e.nameBytes.size());
        std::memcpy(record + kTimestampOffset, e.timestamp.data(), e.timestamp.size());
        StoreLe32(record + kContentOffsetOffset, offset);
        StoreLe32(record + kContentSizeOffset, static_cast<std::uint32_t>(e.content.size()));
        record[kTargetTypeOffset] = e.targetType;
        offset += static_cast<std::uint32_t>(e.content.size());
    }
    out.reserve(static_cast<std::size_t>(total));
    for (const PackEntry& e : entries) out.insert(out.end(), e.content.begin(), e.content.end());
    const std::uint16_t crc = CrcX25(out.data(), out.size());
    out.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    out.push_back(static_cast<std::uint8_t>(crc >> 8));
    return out;
}

}  // namespace dftool
