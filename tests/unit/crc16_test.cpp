#include "install/datafile/crc16.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace datafile {
namespace {

const CrcMethod kMethods[] = {CrcMethod::Bytewise, CrcMethod::Slicing8, CrcMethod::Clmul, CrcMethod::Clmul256};

// Every method gives the check value, and the fast ones agree with the byte-wise table for any data,
// length, start register, alignment and way of splitting the run.
TEST(Crc16, EveryMethodMatchesTheBytewiseRegister) {
    const std::uint8_t check[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    for (CrcMethod m : kMethods)
        EXPECT_EQ(static_cast<std::uint16_t>(~CrcUpdate(m, kCrcInitial, check, 9)), 0x906E) << static_cast<int>(m);
    EXPECT_EQ(CrcX25(check, 9), 0x906E);
    std::mt19937 rng(20240611);
    std::vector<std::uint8_t> data(70000);
    for (auto& b : data) b = static_cast<std::uint8_t>(rng());
    for (int round = 0; round < 400; ++round) {
        const std::uint8_t* p = data.data() + rng() % 16;
        const std::size_t len = rng() % (round < 350 ? 301 : data.size() - 15);
        const std::uint16_t reg0 = static_cast<std::uint16_t>(rng()), expected = CrcUpdate(CrcMethod::Bytewise, reg0, p, len);
        const std::size_t split = rng() % (len + 1);
        for (CrcMethod m : kMethods) {
            SCOPED_TRACE(testing::Message() << "method " << static_cast<int>(m) << " len " << len);
            EXPECT_EQ(CrcUpdate(m, reg0, p, len), expected);
            EXPECT_EQ(CrcUpdate(m, CrcUpdate(m, reg0, p, split), p + split, len - split), expected);
        }
        EXPECT_EQ(CrcUpdate(reg0, p, len), expected);
        EXPECT_EQ(CrcShift(CrcUpdate(reg0, p, split), len - split) ^ CrcUpdate(0, p + split, len - split), expected);
    }
}

}  // namespace
}  // namespace datafile
