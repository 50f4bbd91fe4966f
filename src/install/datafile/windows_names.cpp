#include "install/datafile/windows_names.h"

namespace datafile {
namespace {

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
bool IsReservedDevice(std::u16string_view component) {
    std::size_t end = component.find(u'.');
    if (end == std::u16string_view::npos) end = component.size();
    while (end > 0 && component[end - 1] == u' ') --end;
    std::u16string base;
    for (std::size_t i = 0; i < end; ++i) base += Upper(component[i]);
    if (base == u"CON" || base == u"PRN" || base == u"AUX" || base == u"NUL") return true;
    return base.size() == 4 && (base.compare(0, 3, u"COM") == 0 || base.compare(0, 3, u"LPT") == 0) &&
           base[3] >= u'1' && base[3] <= u'9';
}

NameIssue JudgeComponent(std::u16string_view component) {
    if (component.empty()) return NameIssue::EmptyComponent;
    if (component.find_first_not_of(u". ") == std::u16string_view::npos) return NameIssue::DotsOnly;
    for (char16_t c : component) {
        if (c < 0x20 || std::u16string_view(u"<>:\"|?*").find(c) != std::u16string_view::npos) {
            return NameIssue::ForbiddenCharacter;
        }
    }
    const char16_t last = component.back();
    if (last == u'.' || last == u' ') return NameIssue::TrailingDotOrBlank;
    if (IsReservedDevice(component)) return NameIssue::ReservedDevice;
    return NameIssue::None;
}

}  // namespace

bool IsPathSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

NameIssue JudgePathParts(std::u16string_view path) {
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || IsPathSeparator(path[i])) {
            const NameIssue issue = JudgeComponent(path.substr(begin, i - begin));
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

std::u16string CaseFolded(std::u16string_view name) {
    std::u16string folded(name);
    for (char16_t& c : folded) c = IsPathSeparator(c) ? u'\\' : Upper(c);
    return folded;
}

}  // namespace datafile
