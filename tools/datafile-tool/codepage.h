// Code page 932, the encoding of names inside the data file. The one place where the
// native and the Windows build differ: iconv here, the Win32 conversions there.
#pragma once

#include <optional>
#include <string>

namespace dftool {

// nullopt when some character has no code page 932 form.
std::optional<std::string> EncodeCp932(const std::u16string& text);

// nullopt when the bytes are not valid code page 932.
std::optional<std::u16string> DecodeCp932(const std::string& bytes);

}  // namespace dftool
