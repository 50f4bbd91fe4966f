// UTF-8 and UTF-16 conversions for names and paths.
#pragma once

#include <optional>
#include <string>

namespace dftool {

// Strict decoding: nullopt for malformed, overlong or surrogate-encoding UTF-8.
std::optional<std::u16string> Utf8ToUtf16(const std::string& utf8);

// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const std::u16string& utf16);

}  // namespace dftool
