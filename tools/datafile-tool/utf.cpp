#include "utf.h"

namespace dftool {

namespace {

void AppendUtf16(char32_t c, std::u16string* out) {
    if (c < 0x10000) {
        out->push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        out->push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out->push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

void AppendUtf8(char32_t c, std::string* out) {
    if (c < 0x80) {
        out->push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (c >> 6)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (c >> 12)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (c >> 18)));
        out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}  // namespace

std::optional<std::u16string> Utf8ToUtf16(const std::string& utf8) {
    std::u16string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        int extra;
        char32_t c;
        char32_t min;
        if (lead < 0x80) {
            extra = 0, c = lead, min = 0;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1, c = lead & 0x1F, min = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, c = lead & 0x0F, min = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, c = lead & 0x07, min = 0x10000;
        } else {
            return std::nullopt;
        }
        if (utf8.size() - i <= static_cast<std::size_t>(extra)) return std::nullopt;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char b = static_cast<unsigned char>(utf8[i + k]);
            if ((b & 0xC0) != 0x80) return std::nullopt;
            c = (c << 6) | (b & 0x3F);
        }
        if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
        AppendUtf16(c, &out);
        i += extra + 1;
    }
    return out;
}

std::string Utf16ToUtf8(const std::u16string& utf16) {
    std::string out;
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(c, &out);
    }
    return out;
}

}  // namespace dftool
