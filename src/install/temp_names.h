// The setup's own temporary files: written beside a file they replace, and recognised by the next
// run, which removes what an interrupted one left.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace install {

// "~KVSETUP" + eight upper-case hexadecimal digits of `n` + ".tmp".
std::u16string TempName(std::uint32_t n);
// The pattern that finds candidates in a folder; IsTempName decides.
std::u16string TempPattern();
// Only names that TempName makes (letters of the prefix and suffix in any case).
bool IsTempName(std::u16string_view name);

}  // namespace install
