#include "packer.h"

#include <cstring>

#include "install/datafile/crc16.h"
#include "install/datafile/data_file.h"

namespace dftool {

namespace {

void PutU32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<std::uint8_t> PackDataFile(const std::vector<PackEntry>& entries, const std::string& version,
                                       std::string* error) {
    error->clear();
    if (version.size() != 4) {
        *error = "the format version must be 4 bytes";
        return {};
    }
    for (const PackEntry& e : entries) {
        if (e.nameBytes.size() > datafile::kNameSize || e.timestamp.size() > datafile::kTimestampSize) {
            *error = "an entry's name or timestamp does not fit its field";
            return {};
        }
    }
    const std::uint64_t tableEnd = datafile::kHeaderSize + datafile::kRecordSize * entries.size();
    std::uint64_t total = tableEnd;
    for (const PackEntry& e : entries) total += e.content.size();
    // The trailer itself needs no offset, but the whole file must stay readable with
    // 32-bit offsets and sizes.
    if (total + 2 > 0xFFFFFFFFull) {
        *error = "the data file would be " + std::to_string(total + 2) +
                 " bytes; offsets and sizes are 32-bit, so at most 4294967295 bytes fit";
        return {};
    }
    std::vector<std::uint8_t> out(static_cast<std::size_t>(tableEnd), 0);
    std::memcpy(out.data() + datafile::kSignatureOffset, kSignature, 4);
    std::memcpy(out.data() + datafile::kVersionOffset, version.data(), 4);
    PutU32(out.data() + datafile::kCountOffset, static_cast<std::uint32_t>(entries.size()));

    std::uint32_t offset = static_cast<std::uint32_t>(tableEnd);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const PackEntry& e = entries[i];
        std::uint8_t* record = out.data() + datafile::kHeaderSize + datafile::kRecordSize * i;
        std::memcpy(record, e.nameBytes.data(), e.nameBytes.size());
        std::memcpy(record + 32, e.timestamp.data(), e.timestamp.size());
        PutU32(record + 48, offset);
        PutU32(record + 52, static_cast<std::uint32_t>(e.content.size()));
        record[56] = e.targetType;
        offset += static_cast<std::uint32_t>(e.content.size());
    }
    out.reserve(static_cast<std::size_t>(total) + 2);
    for (const PackEntry& e : entries) out.insert(out.end(), e.content.begin(), e.content.end());
    const std::uint16_t crc = datafile::CrcX25(out.data(), out.size());
    out.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    out.push_back(static_cast<std::uint8_t>(crc >> 8));
    return out;
}

}  // namespace dftool
