// Builds the bytes of a data file: header, entry table, contents, CRC trailer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "install/datafile/data_file.h"

namespace dftool {

struct PackEntry {
    std::string nameBytes;  // code page 932, at most 32 bytes
    std::string timestamp;  // 14 digits
    std::uint8_t targetType = 0;
    std::vector<std::uint8_t> content;
};

// The Windows test driver still names the version through the tool.

// Contents follow the table in entry order. Bytes that the setup does not read are
// zero. version must be 4 bytes. Empty error on success; otherwise the result is empty
// and error says why (the file would outgrow 32-bit offsets).
std::vector<std::uint8_t> PackDataFile(const std::vector<PackEntry>& entries, const std::string& version,
                                       std::string* error);

}  // namespace dftool
