#include "timestamp.h"

#include <cstdio>

namespace dftool {

namespace {

struct Fields {
    int year, month, day, hour, minute, second;
};

bool InRange(const Fields& f) {
    // The setup's time type ends in 2037; before 1970 there is no file time to set.
    return f.year >= 1970 && f.year <= 2037 && f.month >= 1 && f.month <= 12 && f.day >= 1 &&
           f.day <= 31 && f.hour >= 0 && f.hour <= 23 && f.minute >= 0 && f.minute <= 59 &&
           f.second >= 0 && f.second <= 59;
}

bool DayExists(const Fields& f) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (f.year % 4 == 0 && f.year % 100 != 0) || f.year % 400 == 0;
    const int last = kDays[f.month - 1] + (f.month == 2 && leap ? 1 : 0);
    return f.day <= last;
}

}  // namespace

std::string CheckTimestamp(const std::string& text) {
    if (text.size() != 14) return "the timestamp must have 14 digits (YYYYMMDDhhmmss)";
    for (char c : text) {
        if (c < '0' || c > '9') return "the timestamp must have 14 digits (YYYYMMDDhhmmss)";
    }
    const auto num = [&](std::size_t pos, std::size_t len) { return std::stoi(text.substr(pos, len)); };
    const Fields f{num(0, 4), num(4, 2), num(6, 2), num(8, 2), num(10, 2), num(12, 2)};
    if (!InRange(f) || !DayExists(f)) {
        return "the timestamp is not a valid date and time from 1970 to 2037";
    }
    return {};
}

std::optional<std::time_t> LocalTimeOf(const std::array<char, datafile::kTimestampSize>& stored) {
    char text[datafile::kTimestampSize + 1] = {};
    for (std::size_t i = 0; i < stored.size(); ++i) text[i] = stored[i];
    Fields f{};
    if (std::sscanf(text, "%4d%2d%2d%2d%2d%2d", &f.year, &f.month, &f.day, &f.hour, &f.minute,
                    &f.second) != 6 ||
        !InRange(f) || !DayExists(f)) {
        return std::nullopt;
    }
    std::tm tm{};
    tm.tm_year = f.year - 1900;
    tm.tm_mon = f.month - 1;
    tm.tm_mday = f.day;
    tm.tm_hour = f.hour;
    tm.tm_min = f.minute;
    tm.tm_sec = f.second;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1)) return std::nullopt;
    return t;
}

}  // namespace dftool
