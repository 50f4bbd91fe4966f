#include "install/datafile/crc16.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace datafile {
namespace {

const CrcMethod kMethods[] = {CrcMethod::Bytewise, CrcMethod::Slicing8, CrcMethod::Clmul};

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

TEST(Crc16, CheckValueOfEveryMethod) {
    const auto data = Bytes("123456789");
    for (CrcMethod m : kMethods) {
        SCOPED_TRACE(static_cast<int>(m));
        EXPECT_EQ(static_cast<std::uint16_t>(~CrcUpdate(m, kCrcInitial, data.data(), data.size())), 0x906E);
    }
    EXPECT_EQ(CrcX25(data.data(), data.size()), 0x906E);
}

TEST(Crc16, TrailerLowByteFirstLeavesTheResidue) {
    for (const std::string& text : {std::string(), std::string("K"), std::string("123456789"), std::string(1000, '\xA5')}) {
        auto data = Bytes(text);
        const std::uint16_t crc = CrcX25(data.data(), data.size());
        data.push_back(static_cast<std::uint8_t>(crc & 0xFF));
        data.push_back(static_cast<std::uint8_t>(crc >> 8));
        EXPECT_EQ(CrcUpdate(kCrcInitial, data.data(), data.size()), kCrcResidue) << text.size();
        std::swap(data[data.size() - 1], data[data.size() - 2]);
        if (data[data.size() - 1] != data[data.size() - 2]) {
            EXPECT_NE(CrcUpdate(kCrcInitial, data.data(), data.size()), kCrcResidue) << "high byte first";
        }
    }
}

// Every fast method must agree with the byte-wise table for any data, length, start
// register, alignment and way of splitting the run.
TEST(Crc16, EveryMethodMatchesTheBytewiseRegister) {
    std::mt19937 rng(20240611);
    std::vector<std::uint8_t> data(70000);
    for (auto& b : data) b = static_cast<std::uint8_t>(rng());
    std::uniform_int_distribution<std::size_t> start(0, 15);
    for (int round = 0; round < 400; ++round) {
        const std::size_t offset = start(rng);
        const std::size_t maxLen = round < 350 ? 300 : data.size() - 16;
        const std::size_t len = std::uniform_int_distribution<std::size_t>(0, maxLen)(rng);
        const auto reg0 = static_cast<std::uint16_t>(rng());
        const std::uint8_t* p = data.data() + offset;
        const std::uint16_t expected = CrcUpdate(CrcMethod::Bytewise, reg0, p, len);
        const std::size_t split = len ? std::uniform_int_distribution<std::size_t>(0, len)(rng) : 0;
        for (CrcMethod m : kMethods) {
            SCOPED_TRACE(testing::Message() << "method " << static_cast<int>(m) << " len " << len);
            EXPECT_EQ(CrcUpdate(m, reg0, p, len), expected);
            EXPECT_EQ(CrcUpdate(m, CrcUpdate(m, reg0, p, split), p + split, len - split), expected);
        }
        EXPECT_EQ(CrcUpdate(reg0, p, len), expected);
    }
}

}  // namespace
}  // namespace datafile
