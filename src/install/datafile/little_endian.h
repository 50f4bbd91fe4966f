// 32-bit numbers as four bytes, low byte first: the data file's numbers, and the CRC's words.
#pragma once

#include <cstdint>

namespace datafile {

inline std::uint32_t LoadLe32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

inline void StoreLe32(std::uint8_t* p, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace datafile
