#include "entry_name.h"

#include <cstdio>

#include "codepage.h"
#include "install/datafile/data_file.h"
#include "install/datafile/data_file_validation.h"
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

std::string CheckNameShape(const std::u16string& name) {
    if (name.empty()) return "the name is empty";
    for (char16_t c : name) {
        // C1 controls too: the Windows code page 932 table maps 0x80 to U+0080, iconv does not.
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return "the name holds a control character (" + CodePoint(c) + ")";
        if (std::u16string(u"<>:\"/|?*").find(c) != std::u16string::npos) {
            return "the character \"" + Utf16ToUtf8(std::u16string(1, c)) +
                   "\" is not allowed in Windows file names";
        }
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t end = name.find(u'\\', start);
        const std::u16string part = name.substr(start, end == std::u16string::npos ? end : end - start);
        if (part.empty() || part == u"." || part == u"..") {
            return "the name must be a relative path without empty, \".\" or \"..\" parts";
        }
        if (end == std::u16string::npos) break;
        start = end + 1;
    }
    return {};
}

EncodedName EncodeEntryName(const std::string& utf8, std::uint8_t targetType) {
    EncodedName result;
    const auto utf16 = Utf8ToUtf16(utf8);
    if (!utf16) {
        result.error = "the name is not valid UTF-8";
        return result;
    }
    std::string shape = CheckNameShape(*utf16);
    if (shape.empty() && targetType != 0) {
        // Entries of other types may land in the system folder under the shortened name.
        shape = CheckNameShape(datafile::RemovePrefix(*utf16));
        if (!shape.empty()) shape = "after removal of its \"%\" prefix, " + shape;
    }
    if (!shape.empty()) {
        result.error = shape;
        return result;
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
    result.bytes = *bytes;
    return result;
}

std::string DisplayName(const std::string& cp932) {
    if (const auto utf16 = DecodeCp932(cp932)) return Utf16ToUtf8(*utf16);
    std::string out;
    char buf[8];
    for (unsigned char b : cp932) {
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            out.push_back(static_cast<char>(b));
        } else {
            std::snprintf(buf, sizeof buf, "\\x%02X", b);
            out += buf;
        }
    }
    return out;
}

}  // namespace dftool
