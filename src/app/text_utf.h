// Strict conversion between UTF-8 and UTF-16: invalid input is reported, never repaired.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace text {

// On failure, *errorOffset (if given) receives the index of the first byte or code unit
// that cannot be converted.
std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8, std::size_t* errorOffset = nullptr);
std::optional<std::string> Utf16ToUtf8(std::u16string_view utf16, std::size_t* errorOffset = nullptr);

}  // namespace text
