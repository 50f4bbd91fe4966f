// What an installed entry's name and timestamp may be: the one judgement that the setup and the
// data-file tool share.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "install/datafile/data_file.h"
#include "install/datafile/windows_names.h"

namespace datafile {

// Judges a name relative to its folder, as Windows would take it: a name that Windows refuses or
// reads as something else (a device, a stream, a shorter name, a path outside the folder) is refused.
NameIssue JudgeInstalledName(const std::u16string& name);

struct Timestamp {
    int year, month, day, hour, minute, second;  // local wall-clock time
};

// The years a timestamp may name: in every time zone, the moments that a signed 32-bit time_t
// holds, so that every reader of the data file can keep them.
constexpr int kFirstTimestampYear = 1970;
constexpr int kLastTimestampYear = 2037;

// The stored "YYYYMMDDhhmmss" when its first 14 bytes are digits of a real date and time in those
// years; nullopt otherwise. The setup sets no time from nullopt: the file keeps the time of
// installation. The setup and the data-file tool both decide by this rule alone.
std::optional<Timestamp> ParseTimestamp(const std::array<char, kTimestampSize>& stored);

}  // namespace datafile
