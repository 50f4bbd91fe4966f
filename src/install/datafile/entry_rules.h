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
    int year, month, day, hour, minute, second;
};

// The stored "YYYYMMDDhhmmss" when it is a real local date and time from 1970 to 2037 in digits
// only; nullopt otherwise (the file then keeps the times the system gives it).
std::optional<Timestamp> ParseTimestamp(const std::array<char, kTimestampSize>& stored);

}  // namespace datafile
