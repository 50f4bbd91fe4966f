#include "install/datafile/entry_rules.h"

namespace datafile {
namespace {

bool IsAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

bool Digits(const std::array<char, kTimestampSize>& stored, std::size_t at, std::size_t count, int* value) {
    *value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (stored[i] < '0' || stored[i] > '9') return false;
        *value = *value * 10 + (stored[i] - '0');
    }
    return true;
}

}  // namespace

NameIssue JudgeInstalledName(const std::u16string& name) {
    if (name.empty()) return NameIssue::Empty;
    if (name.size() >= 2 && IsPathSeparator(name[0]) && IsPathSeparator(name[1])) return NameIssue::Network;
    if (IsPathSeparator(name[0])) return NameIssue::Absolute;
    if (name.size() >= 2 && IsAsciiLetter(name[0]) && name[1] == u':') return NameIssue::Drive;
    return JudgePathParts(name);
}

std::optional<Timestamp> ParseTimestamp(const std::array<char, kTimestampSize>& stored) {
    Timestamp t{};
    if (!Digits(stored, 0, 4, &t.year) || !Digits(stored, 4, 2, &t.month) || !Digits(stored, 6, 2, &t.day) ||
        !Digits(stored, 8, 2, &t.hour) || !Digits(stored, 10, 2, &t.minute) || !Digits(stored, 12, 2, &t.second)) {
        return std::nullopt;
    }
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (t.year < kFirstTimestampYear || t.year > kLastTimestampYear || t.month < 1 || t.month > 12 || t.hour > 23 ||
        t.minute > 59 || t.second > 59 || t.day < 1) {
        return std::nullopt;
    }
    const bool leap = (t.year % 4 == 0 && t.year % 100 != 0) || t.year % 400 == 0;
    if (t.day > kDays[t.month - 1] + (t.month == 2 && leap ? 1 : 0)) return std::nullopt;
    return t;
}

}  // namespace datafile
