// Entry timestamps in the tool: the setup's rule (datafile::ParseTimestamp) for the manifest's text,
// for messages, and for the times of the files that extract writes.
#pragma once

#include <array>
#include <ctime>
#include <optional>
#include <string>

#include "install/datafile/data_file.h"

namespace dftool {

// The rule in words: "14 digits of a real date and time from 1970 to 2037".
std::string TimestampRuleText();

// Empty when text is a timestamp that the setup applies; otherwise why not.
std::string CheckTimestamp(const std::string& text);

// The stored field as the setup applies it, taken as local time, daylight saving time decided by
// the C library; nullopt when the setup leaves the file the time of installation.
std::optional<std::time_t> LocalTimeOf(const std::array<char, datafile::kTimestampSize>& stored);

}  // namespace dftool
