#include "install/file_times.h"

#include "install/datafile/entry_rules.h"

namespace install {

bool TimestampToFileTime(const std::array<char, datafile::kTimestampSize>& timestamp, FILETIME* out) {
    const auto t = datafile::ParseTimestamp(timestamp);
    if (!t) return false;
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(t->year);
    local.wMonth = static_cast<WORD>(t->month);
    local.wDay = static_cast<WORD>(t->day);
    local.wHour = static_cast<WORD>(t->hour);
    local.wMinute = static_cast<WORD>(t->minute);
    local.wSecond = static_cast<WORD>(t->second);
    // To UTC with the zone's present bias: Windows 2000 has no conversion by the date's own rules.
    FILETIME localTime{};
    return ::SystemTimeToFileTime(&local, &localTime) && ::LocalFileTimeToFileTime(&localTime, out);
}

}  // namespace install
