// Entry timestamps: 14 ASCII digits YYYYMMDDhhmmss of local wall-clock time.
#pragma once

#include <array>
#include <ctime>
#include <optional>
#include <string>

#include "install/datafile/data_file.h"

namespace dftool {

// Empty when text is a timestamp that the setup can apply; otherwise why not.
std::string CheckTimestamp(const std::string& text);

// The stored field as the setup reads it, taken as local time, daylight saving time decided by
// the C library; nullopt when the setup would leave the file's times as the system sets them.
std::optional<std::time_t> LocalTimeOf(const std::array<char, datafile::kTimestampSize>& stored);

}  // namespace dftool
