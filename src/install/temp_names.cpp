#include "install/temp_names.h"

#include "install/shortcut_names.h"
#include "resources/names.h"

namespace install {

namespace {
constexpr std::size_t kDigits = 8;
const std::u16string_view kPrefix = names::kTempPrefix;
const std::u16string_view kSuffix = names::kTempSuffix;

bool IsHexDigit(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'); }
}  // namespace

std::u16string TempName(std::uint32_t n) {
    std::u16string name(kPrefix);
    for (int shift = 28; shift >= 0; shift -= 4) name += u"0123456789ABCDEF"[(n >> shift) & 0xF];
    return name += kSuffix;
}

std::u16string TempPattern() { return std::u16string(kPrefix) + u'*' + std::u16string(kSuffix); }

bool IsTempName(std::u16string_view name) {
    if (name.size() != kPrefix.size() + kDigits + kSuffix.size()) return false;
    if (!EqualsIgnoreAsciiCase(name.substr(0, kPrefix.size()), kPrefix) ||
        !EqualsIgnoreAsciiCase(name.substr(kPrefix.size() + kDigits), kSuffix))
        return false;
    for (char16_t c : name.substr(kPrefix.size(), kDigits)) {
        if (!IsHexDigit(c)) return false;
    }
    return true;
}

}  // namespace install
