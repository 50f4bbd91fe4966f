// Entry names: what may be stored, and how a stored name reads back.
#pragma once

#include <cstdint>
#include <string>

namespace dftool {

struct EncodedName {
    std::string bytes;  // code page 932, at most 32 bytes; empty when refused
    std::string error;  // why the name was refused; empty when accepted
};

// A manifest name (UTF-8) as it will be stored for an entry of the given target type.
EncodedName EncodeEntryName(const std::string& utf8, std::uint8_t targetType);

// The tool's decoder for the shared name rules: code page 932; bytes that are not pass through one
// to one, so that the rules still see the separators and dots (verify refuses such a name).
std::u16string DecodeStoredName(const std::string& bytes);

// A stored name for display: UTF-8, or the bytes as \xNN escapes when they are not
// valid code page 932.
std::string DisplayName(const std::string& cp932);

}  // namespace dftool
