// CRC-16/X-25: polynomial 0x1021 bit-reflected (0x8408), register starts at 0xFFFF.
// A file whose last two bytes are the CRC of the rest (low byte first) leaves the
// register at the residue 0xF0B8 after all of its bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace datafile {

constexpr std::uint16_t kCrcInitial = 0xFFFF;
constexpr std::uint16_t kCrcResidue = 0xF0B8;

// Byte-wise: the reference. Slicing8: portable, eight bytes per step.
// Clmul: carry-less multiplication folding, x86 only, where the processor has it.
// Clmul256: the same on 256-bit vectors, where the processor has them and the system saves
// them across thread switches (not before Windows 7 SP1).
enum class CrcMethod { Bytewise, Slicing8, Clmul, Clmul256 };

bool CrcMethodAvailable(CrcMethod method);
// The fastest method that this processor runs.
CrcMethod FastestCrcMethod();

// Runs the register over len bytes. An unavailable method falls back to Slicing8.
std::uint16_t CrcUpdate(CrcMethod method, std::uint16_t reg, const std::uint8_t* data, std::size_t len);
// The same with the fastest method.
std::uint16_t CrcUpdate(std::uint16_t reg, const std::uint8_t* data, std::size_t len);

// The register after `zeros` zero bytes, in a number of steps that grows with the count's
// bits, not the count. Because the register is linear in its start and in the data,
// CrcShift(CrcUpdate(r, a), |b|) ^ CrcUpdate(0, b) == CrcUpdate(r, a followed by b):
// the halves of a file can be run apart and joined.
std::uint16_t CrcShift(std::uint16_t reg, std::uint64_t zeros);

// The CRC to store in a trailer: register over the data, then complemented.
std::uint16_t CrcX25(const std::uint8_t* data, std::size_t len);

}  // namespace datafile
