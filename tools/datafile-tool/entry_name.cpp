#include "entry_name.h"

#include <cstdio>

#include "codepage.h"
#include "install/datafile/entry_rules.h"
#include "install/datafile/installed_name.h"
#include "install/datafile/os_classes.h"
#include "printable.h"
#include "utf.h"

namespace dftool {

namespace {

std::string CodePoint(char32_t c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(c));
    return buf;
}

// The first character of the name that code page 932 cannot hold (or holds only as a
// different character), for the message.
std::string FirstUnrepresentable(const std::u16string& name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        std::size_t len = 1;
        char32_t c = name[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < name.size()) {
            len = 2;
            c = 0x10000 + ((c - 0xD800) << 10) + (name[i + 1] - 0xDC00);
        }
        const std::u16string one = name.substr(i, len);
        const auto bytes = EncodeCp932(one);
        if (!bytes || DecodeCp932(*bytes) != one) {
            return "\"" + Utf16ToUtf8(one) + "\" (" + CodePoint(c) + ")";
        }
        i += len - 1;
    }
    return "?";
}

}  // namespace

EncodedName EncodeEntryName(const std::string& utf8, std::uint8_t targetType) {
    EncodedName result;
    const auto utf16 = Utf8ToUtf16(utf8);
    if (!utf16) {
        result.error = "the name is not valid UTF-8";
        return result;
    }
    for (char16_t c : *utf16) {
        // C1 controls: the Windows code page 932 table maps 0x80 to U+0080, iconv does not.
        if (c >= 0x7F && c <= 0x9F) {
            result.error = "the name holds a control character (" + CodePoint(c) + ")";
            return result;
        }
    }
    // The round trip refuses characters that would come back as different ones.
    const auto bytes = EncodeCp932(*utf16);
    if (!bytes || DecodeCp932(*bytes) != *utf16) {
        result.error = "code page 932 cannot hold the character " + FirstUnrepresentable(*utf16);
        return result;
    }
    if (bytes->size() > datafile::kNameSize) {
        result.error = "the name takes " + std::to_string(bytes->size()) +
                       " bytes in code page 932; at most " + std::to_string(datafile::kNameSize) +
                       " fit";
        return result;
    }
    // The name as the setup installs it on each class that installs it.
    datafile::EntryRecord record;
    record.name = *bytes;
    record.targetType = targetType;
    for (int osClass : datafile::kAllOsClasses) {
        const datafile::EntryLanding landing = datafile::InstalledName(record, osClass, DecodeStoredName);
        if (landing.place == datafile::Placement::Skip) continue;
        const datafile::NameIssue issue = datafile::JudgeInstalledName(landing.name);
        if (issue != datafile::NameIssue::None) {
            result.error = (landing.name == *utf16 ? "" : "after removal of its \"%\" prefix, ") +
                           datafile::DescribeNameIssue(issue);
            return result;
        }
    }
    result.bytes = *bytes;
    return result;
}

std::u16string DecodeStoredName(const std::string& bytes) {
    if (auto text = DecodeCp932(bytes)) return *text;
    std::u16string raw;
    for (unsigned char b : bytes) raw.push_back(b);
    return raw;
}

std::string DisplayName(const std::string& cp932) {
    if (const auto utf16 = DecodeCp932(cp932)) return Utf16ToUtf8(*utf16);
    return Escaped(cp932);
}

}  // namespace dftool
