// Names of the shortcut files and of the program they point to.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace install {

// Numbers 2 to 1000 are tried after the plain name; 1001 is taken whatever is there.
constexpr int kLastTestedShortcutNumber = 1000;

// n == 1: folder + "\QTX KORVENTA.LNK"; n >= 2: folder + "\QTX KORVENTA(n).LNK".
std::u16string ShortcutPath(std::u16string_view folder, int n);

// The pattern that lists the destination folder's own entries.
std::u16string SearchPattern(std::u16string_view folder);

// An entry of the searched folder, joined with exactly one backslash.
std::u16string TargetPath(std::u16string_view folder, std::u16string_view name);

// Only A-Z and a-z fold; every other character, full-width letters included, must match.
bool EqualsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b);

// Whether the path and its terminating null fit in a buffer of 260 characters.
constexpr std::size_t kPathBufferLength = 260;
bool FitsMaxPath(std::u16string_view path);

}  // namespace install
