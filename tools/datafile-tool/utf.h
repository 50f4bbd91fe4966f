// UTF-8 and UTF-16 conversions for names and paths.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dftool {

// Strict decoding: nullopt for malformed, truncated, overlong or surrogate-encoding UTF-8.
std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8);

// Messages must always show something: unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace dftool
