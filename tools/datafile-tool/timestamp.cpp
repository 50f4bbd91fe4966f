#include "timestamp.h"

#include <algorithm>

#include "install/datafile/entry_rules.h"

namespace dftool {

std::string TimestampRuleText() {
    return std::to_string(datafile::kTimestampDigits) + " digits of a real date and time from " +
           std::to_string(datafile::kFirstTimestampYear) + " to " + std::to_string(datafile::kLastTimestampYear);
}

std::string CheckTimestamp(const std::string& text) {
    std::array<char, datafile::kTimestampSize> stored{};
    if (text.size() == datafile::kTimestampDigits) std::copy(text.begin(), text.end(), stored.begin());
    if (datafile::ParseTimestamp(stored)) return {};
    return "the timestamp is not " + TimestampRuleText() + " (YYYYMMDDhhmmss)";
}

std::optional<std::time_t> LocalTimeOf(const std::array<char, datafile::kTimestampSize>& stored) {
    const auto t = datafile::ParseTimestamp(stored);
    if (!t) return std::nullopt;
    std::tm tm{};
    tm.tm_year = t->year - 1900;
    tm.tm_mon = t->month - 1;
    tm.tm_mday = t->day;
    tm.tm_hour = t->hour;
    tm.tm_min = t->minute;
    tm.tm_sec = t->second;
    tm.tm_isdst = -1;
    const std::time_t result = std::mktime(&tm);
    if (result == static_cast<std::time_t>(-1)) return std::nullopt;
    return result;
}

}  // namespace dftool
