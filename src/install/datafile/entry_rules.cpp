#include "install/datafile/entry_rules.h"

namespace datafile {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool IsAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

char16_t Upper(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F)) {
        return static_cast<char16_t>(c - 0x20);
    }
    if (c == 0x3C2) return 0x3A3;  // final sigma
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
    if (c >= 0xFF41 && c <= 0xFF5A) return static_cast<char16_t>(c - 0x20);  // full-width Latin
    return c;
}

// CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9: Windows opens the device whatever follows the base
// name, so "nul.txt" and "com1 .log" are the device too.
bool IsReservedDevice(const std::u16string& component) {
    std::size_t end = component.find(u'.');
    if (end == std::u16string::npos) end = component.size();
    while (end > 0 && component[end - 1] == u' ') --end;
    std::u16string base;
    for (std::size_t i = 0; i < end; ++i) base += Upper(component[i]);
    if (base == u"CON" || base == u"PRN" || base == u"AUX" || base == u"NUL") return true;
    return base.size() == 4 && (base.compare(0, 3, u"COM") == 0 || base.compare(0, 3, u"LPT") == 0) &&
           base[3] >= u'1' && base[3] <= u'9';
}

NameIssue JudgeComponent(const std::u16string& component) {
    if (component.empty()) return NameIssue::EmptyComponent;
    if (component.find_first_not_of(u". ") == std::u16string::npos) return NameIssue::DotsOnly;
    for (char16_t c : component) {
        if (c < 0x20 || std::u16string(u"<>:\"|?*").find(c) != std::u16string::npos) {
            return NameIssue::ForbiddenCharacter;
        }
    }
    const char16_t last = component.back();
    if (last == u'.' || last == u' ') return NameIssue::TrailingDotOrBlank;
    if (IsReservedDevice(component)) return NameIssue::ReservedDevice;
    return NameIssue::None;
}

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
    if (name.size() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1])) return NameIssue::Network;
    if (IsSeparator(name[0])) return NameIssue::Absolute;
    if (name.size() >= 2 && IsAsciiLetter(name[0]) && name[1] == u':') return NameIssue::Drive;
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || IsSeparator(name[i])) {
            const NameIssue issue = JudgeComponent(name.substr(begin, i - begin));
            if (issue != NameIssue::None) return issue;
            begin = i + 1;
        }
    }
    return NameIssue::None;
}

std::string DescribeNameIssue(NameIssue issue) {
    switch (issue) {
    case NameIssue::None: return "the name is sound";
    case NameIssue::Empty: return "the name is empty";
    case NameIssue::Absolute: return "the name is an absolute path";
    case NameIssue::Drive: return "the name starts with a drive";
    case NameIssue::Network: return "the name is a network path";
    case NameIssue::EmptyComponent: return "the name has an empty part (a doubled or trailing backslash)";
    case NameIssue::DotsOnly: return "the name has a part of only dots and blanks, such as \"..\"";
    case NameIssue::ForbiddenCharacter: return "the name holds a character that Windows refuses in file names";
    case NameIssue::TrailingDotOrBlank: return "a part of the name ends in a dot or a blank, which Windows drops";
    case NameIssue::ReservedDevice: return "a part of the name is a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9)";
    }
    return "the name is refused";
}

std::u16string CaseFolded(const std::u16string& name) {
    std::u16string folded = name;
    for (char16_t& c : folded) c = IsSeparator(c) ? u'\\' : Upper(c);
    return folded;
}

std::optional<Timestamp> ParseTimestamp(const std::array<char, kTimestampSize>& stored) {
    Timestamp t{};
    if (!Digits(stored, 0, 4, &t.year) || !Digits(stored, 4, 2, &t.month) || !Digits(stored, 6, 2, &t.day) ||
        !Digits(stored, 8, 2, &t.hour) || !Digits(stored, 10, 2, &t.minute) || !Digits(stored, 12, 2, &t.second)) {
        return std::nullopt;
    }
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    // The setup's time arithmetic ends in 2037; before 1970 there is no file time to set.
    if (t.year < 1970 || t.year > 2037 || t.month < 1 || t.month > 12 || t.hour > 23 || t.minute > 59 ||
        t.second > 59 || t.day < 1) {
        return std::nullopt;
    }
    const bool leap = (t.year % 4 == 0 && t.year % 100 != 0) || t.year % 400 == 0;
    if (t.day > kDays[t.month - 1] + (t.month == 2 && leap ? 1 : 0)) return std::nullopt;
    return t;
}

}  // namespace datafile
