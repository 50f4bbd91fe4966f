#include "install/datafile/crc16.h"

#include <array>

#include "install/datafile/little_endian.h"

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define DATAFILE_CRC_CLMUL 1
#include <cpuid.h>
#include <immintrin.h>
#endif

namespace datafile {
namespace {

constexpr std::uint16_t kReflectedPoly = 0x8408;

using Table = std::array<std::uint16_t, 256>;

constexpr Table MakeByteTable() {
    Table t{};
    for (unsigned k = 0; k < 256; ++k) {
        unsigned v = k;
        for (int bit = 0; bit < 8; ++bit) v = (v & 1) ? (v >> 1) ^ kReflectedPoly : v >> 1;
        t[k] = static_cast<std::uint16_t>(v);
    }
    return t;
}

// slices[k][b]: the register after byte b and then k zero bytes, starting from 0.
constexpr std::array<Table, 8> MakeSlices() {
    std::array<Table, 8> s{};
    s[0] = MakeByteTable();
    for (int k = 1; k < 8; ++k)
        for (int b = 0; b < 256; ++b) {
            std::uint16_t prev = s[k - 1][b];
            s[k][b] = static_cast<std::uint16_t>((prev >> 8) ^ s[0][prev & 0xFF]);
        }
    return s;
}

constexpr std::array<Table, 8> kSlices = MakeSlices();

std::uint16_t UpdateBytewise(std::uint16_t reg, const std::uint8_t* p, std::size_t len) {
    const Table& t = kSlices[0];
    for (std::size_t i = 0; i < len; ++i) reg = static_cast<std::uint16_t>(t[(reg ^ p[i]) & 0xFF] ^ (reg >> 8));
    return reg;
}

std::uint16_t UpdateSlicing8(std::uint16_t reg, const std::uint8_t* p, std::size_t len) {
    const auto& s = kSlices;
    for (; len >= 8; p += 8, len -= 8) {
        std::uint32_t lo = LoadLe32(p) ^ reg;
        std::uint32_t hi = LoadLe32(p + 4);
        reg = static_cast<std::uint16_t>(
            s[7][lo & 0xFF] ^ s[6][(lo >> 8) & 0xFF] ^ s[5][(lo >> 16) & 0xFF] ^ s[4][lo >> 24] ^
            s[3][hi & 0xFF] ^ s[2][(hi >> 8) & 0xFF] ^ s[1][(hi >> 16) & 0xFF] ^ s[0][hi >> 24]);
    }
    return UpdateBytewise(reg, p, len);
}

#ifdef DATAFILE_CRC_CLMUL

// Folding in the reflected domain: a 16-byte block is a polynomial whose first bit has
// the highest degree, so its low quadword holds the high half. The CRC register is
// XOR-ed into the first block, after which the register is (message * x^16) mod G;
// folding keeps a 128-bit value congruent to the message read so far, and the
// byte-wise tables finish it.
constexpr std::uint32_t kPoly = 0x11021;  // G(x) = x^16 + x^12 + x^5 + 1

// x^e mod G, as 64-bit reflected operand. The product of two reflected 64-bit operands
// comes out one degree low, hence e - 1.
constexpr std::uint64_t FoldConstant(unsigned e) {
    std::uint32_t r = 1;
    for (unsigned i = 0; i < e - 1; ++i) {
        r <<= 1;
        if (r & 0x10000) r ^= kPoly;
    }
    std::uint64_t reflected = 0;
    for (int d = 0; d < 16; ++d)
        if (r & (1u << d)) reflected |= std::uint64_t(1) << (63 - d);
    return reflected;
}

constexpr std::uint64_t kFold512High = FoldConstant(512 + 64);
constexpr std::uint64_t kFold512Low = FoldConstant(512);
constexpr std::uint64_t kFold128High = FoldConstant(128 + 64);
constexpr std::uint64_t kFold128Low = FoldConstant(128);
constexpr std::uint64_t kFold1024High = FoldConstant(1024 + 64);
constexpr std::uint64_t kFold1024Low = FoldConstant(1024);

#define CLMUL_TARGET __attribute__((target("sse2,pclmul")))

CLMUL_TARGET inline __m128i Constants(std::uint64_t forHigh, std::uint64_t forLow) {
    return _mm_set_epi32(static_cast<int>(forLow >> 32), static_cast<int>(forLow),
                         static_cast<int>(forHigh >> 32), static_cast<int>(forHigh));
}

CLMUL_TARGET inline __m128i Load(const std::uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

CLMUL_TARGET inline __m128i Fold(__m128i x, __m128i k, __m128i next) {
    return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11)),
                         next);
}

// Finishes a 128-bit value congruent to the message so far: folds in the 16-byte blocks left,
// then the byte-wise tables take the value and the last bytes.
CLMUL_TARGET std::uint16_t FinishClmul(__m128i x, const std::uint8_t* p, std::size_t len) {
    const __m128i k128 = Constants(kFold128High, kFold128Low);
    for (; len >= 16; p += 16, len -= 16) x = Fold(x, k128, Load(p));
    alignas(16) std::uint8_t folded[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(folded), x);
    return UpdateSlicing8(UpdateSlicing8(0, folded, sizeof folded), p, len);
}

CLMUL_TARGET std::uint16_t UpdateClmul(std::uint16_t reg, const std::uint8_t* p, std::size_t len) {
    if (len < 64) return UpdateSlicing8(reg, p, len);
    __m128i x0 = _mm_xor_si128(Load(p), _mm_cvtsi32_si128(reg));
    __m128i x1 = Load(p + 16), x2 = Load(p + 32), x3 = Load(p + 48);
    p += 64;
    len -= 64;
    const __m128i k512 = Constants(kFold512High, kFold512Low);
    for (; len >= 64; p += 64, len -= 64) {
        x0 = Fold(x0, k512, Load(p));
        x1 = Fold(x1, k512, Load(p + 16));
        x2 = Fold(x2, k512, Load(p + 32));
        x3 = Fold(x3, k512, Load(p + 48));
    }
    const __m128i k128 = Constants(kFold128High, kFold128Low);
    return FinishClmul(Fold(Fold(Fold(x0, k128, x1), k128, x2), k128, x3), p, len);
}

// Four registers of two blocks each, 128 bytes a step. Only unaligned loads, and no more live
// vectors than registers: the 64-bit Windows compiler cannot align a stack slot for one.
#define CLMUL256_TARGET __attribute__((target("avx2,vpclmulqdq,pclmul")))

CLMUL256_TARGET inline __m256i Load256(const std::uint8_t* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

CLMUL256_TARGET inline __m256i Fold256(__m256i x, __m256i k, __m256i next) {
    return _mm256_xor_si256(
        _mm256_xor_si256(_mm256_clmulepi64_epi128(x, k, 0x00), _mm256_clmulepi64_epi128(x, k, 0x11)), next);
}

CLMUL256_TARGET std::uint16_t UpdateClmul256(std::uint16_t reg, const std::uint8_t* p, std::size_t len) {
    if (len < 256) return UpdateClmul(reg, p, len);
    __m256i x0 = _mm256_xor_si256(Load256(p), _mm256_castsi128_si256(_mm_cvtsi32_si128(reg)));
    __m256i x1 = Load256(p + 32), x2 = Load256(p + 64), x3 = Load256(p + 96);
    p += 128;
    len -= 128;
    const __m256i k1024 = _mm256_broadcastsi128_si256(Constants(kFold1024High, kFold1024Low));
    for (; len >= 128; p += 128, len -= 128) {
        x0 = Fold256(x0, k1024, Load256(p));
        x1 = Fold256(x1, k1024, Load256(p + 32));
        x2 = Fold256(x2, k1024, Load256(p + 64));
        x3 = Fold256(x3, k1024, Load256(p + 96));
    }
    // The eight blocks in order, each folded over the next.
    const __m128i k128 = Constants(kFold128High, kFold128Low);
    __m128i x = _mm256_castsi256_si128(x0);
    x = Fold(x, k128, _mm256_extracti128_si256(x0, 1));
    x = Fold(x, k128, _mm256_castsi256_si128(x1));
    x = Fold(x, k128, _mm256_extracti128_si256(x1, 1));
    x = Fold(x, k128, _mm256_castsi256_si128(x2));
    x = Fold(x, k128, _mm256_extracti128_si256(x2, 1));
    x = Fold(x, k128, _mm256_castsi256_si128(x3));
    x = Fold(x, k128, _mm256_extracti128_si256(x3, 1));
    return FinishClmul(x, p, len);
}

bool ProcessorHasClmul() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return false;
    return (c & bit_PCLMUL) && (d & bit_SSE2);
}

bool ProcessorHasClmul256() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & bit_PCLMUL) || !(c & bit_OSXSAVE) || !(c & bit_AVX)) return false;
    // The system saves the SSE and AVX register state (XCR0 bits 1 and 2) on thread switches.
    unsigned xcr0 = 0, xcr0High = 0;
    __asm__ volatile("xgetbv" : "=a"(xcr0), "=d"(xcr0High) : "c"(0));
    if ((xcr0 & 6) != 6) return false;
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d)) return false;
    return (b & bit_AVX2) && (c & bit_VPCLMULQDQ);
}

#endif

}  // namespace

bool CrcMethodAvailable(CrcMethod method) {
#ifdef DATAFILE_CRC_CLMUL
    static const bool clmul = ProcessorHasClmul(), clmul256 = ProcessorHasClmul256();
    if (method == CrcMethod::Clmul) return clmul;
    if (method == CrcMethod::Clmul256) return clmul256;
    return true;
#else
    return method != CrcMethod::Clmul && method != CrcMethod::Clmul256;
#endif
}

CrcMethod FastestCrcMethod() {
    for (CrcMethod method : {CrcMethod::Clmul256, CrcMethod::Clmul})
        if (CrcMethodAvailable(method)) return method;
    return CrcMethod::Slicing8;
}

std::uint16_t CrcUpdate(CrcMethod method, std::uint16_t reg, const std::uint8_t* data, std::size_t len) {
    switch (method) {
    case CrcMethod::Bytewise:
        return UpdateBytewise(reg, data, len);
    case CrcMethod::Clmul:
#ifdef DATAFILE_CRC_CLMUL
        if (CrcMethodAvailable(CrcMethod::Clmul)) return UpdateClmul(reg, data, len);
#endif
        break;
    case CrcMethod::Clmul256:
#ifdef DATAFILE_CRC_CLMUL
        if (CrcMethodAvailable(CrcMethod::Clmul256)) return UpdateClmul256(reg, data, len);
#endif
        break;
    case CrcMethod::Slicing8:
        break;
    }
    return UpdateSlicing8(reg, data, len);
}

std::uint16_t CrcUpdate(std::uint16_t reg, const std::uint8_t* data, std::size_t len) {
    static const CrcMethod fastest = FastestCrcMethod();
    return CrcUpdate(fastest, reg, data, len);
}

std::uint16_t CrcShift(std::uint16_t reg, std::uint64_t zeros) {
    // power[k] is the register that bit k of the start turns into after 2^i zero bytes.
    std::array<std::uint16_t, 16> power{};
    const std::uint8_t zero = 0;
    for (int k = 0; k < 16; ++k) power[k] = UpdateBytewise(static_cast<std::uint16_t>(1u << k), &zero, 1);
    const auto apply = [](const std::array<std::uint16_t, 16>& m, std::uint16_t v) {
        std::uint16_t r = 0;
        for (int k = 0; v != 0; ++k, v >>= 1)
            if (v & 1) r ^= m[k];
        return r;
    };
    while (zeros != 0) {
        if (zeros & 1) reg = apply(power, reg);
        zeros >>= 1;
        if (zeros != 0) {
            std::array<std::uint16_t, 16> squared{};
            for (int k = 0; k < 16; ++k) squared[k] = apply(power, power[k]);
            power = squared;
        }
    }
    return reg;
}

std::uint16_t CrcX25(const std::uint8_t* data, std::size_t len) {
    return static_cast<std::uint16_t>(~CrcUpdate(kCrcInitial, data, len));
}

}  // namespace datafile
