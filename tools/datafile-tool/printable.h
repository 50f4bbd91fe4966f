// Stored bytes for messages and listings.
#pragma once

#include <string>
#include <string_view>

namespace dftool {

// Printable ASCII as it is; every other byte, and the backslash that would make the escapes
// ambiguous, as \xNN.
std::string Escaped(std::string_view bytes);

}  // namespace dftool
