#include "utf.h"

#include "app/text_utf.h"

namespace dftool {

std::optional<std::u16string> Utf8ToUtf16(const std::string& utf8) { return text::Utf8ToUtf16(utf8); }

std::string Utf16ToUtf8(const std::u16string& utf16) {
    // Messages must always show something: unpaired surrogates become U+FFFD.
    std::u16string clean = utf16;
    for (std::size_t i = 0; i < clean.size(); ++i) {
        const char16_t c = clean[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        const bool low = c >= 0xDC00 && c <= 0xDFFF;
        if (high && i + 1 < clean.size() && clean[i + 1] >= 0xDC00 && clean[i + 1] <= 0xDFFF) {
            ++i;
        } else if (high || low) {
            clean[i] = 0xFFFD;
        }
    }
    return text::Utf16ToUtf8(clean).value_or(std::string());
}

}  // namespace dftool
