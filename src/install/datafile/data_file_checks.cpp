#include "install/datafile/data_file_checks.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "install/datafile/crc16.h"

namespace datafile {
namespace {

constexpr std::size_t kCrcReadBlock = 1 << 20;
constexpr unsigned kCrcProgressEnd = 50;

// Four bytes into a zero-filled buffer: bytes a short file cannot supply stay 0.
bool ReadFourPadded(ByteSource& source, std::uint64_t offset, unsigned char (&buf)[kHeaderFieldSize + 1]) {
    std::memset(buf, 0, sizeof buf);
    std::size_t got = 0;
    return ReadSpan(source, offset, buf, kHeaderFieldSize, &got);
}

// Smallest byte count n with floor(end * n / length) >= position.
std::uint64_t FirstCountReaching(unsigned position, std::uint64_t length) {
    return position * (length / kCrcProgressEnd) +
           (position * (length % kCrcProgressEnd) + kCrcProgressEnd - 1) / kCrcProgressEnd;
}

}  // namespace

CheckResult CheckSignature(ByteSource& source) {
    unsigned char buf[kHeaderFieldSize + 1];
    if (!ReadFourPadded(source, kSignatureOffset, buf)) return CheckResult::Damaged;
    return std::strcmp(reinterpret_cast<const char*>(buf), kSignature) == 0 ? CheckResult::Passed
                                                                             : CheckResult::Damaged;
}

CheckResult CheckVersion(ByteSource& source) {
    unsigned char buf[kHeaderFieldSize + 1];
    if (!ReadFourPadded(source, kVersionOffset, buf)) return CheckResult::Damaged;
    const auto* supported = reinterpret_cast<const unsigned char*>(kFormatVersion);
    // As strcmp on unsigned bytes: the stored text may sort at or before the supported one.
    std::size_t i = 0;
    while (supported[i] != 0 && supported[i] == buf[i]) ++i;
    return supported[i] >= buf[i] ? CheckResult::Passed : CheckResult::Damaged;
}

CrcProgress::CrcProgress(std::uint64_t length, ProgressSink sink) : length_(length), sink_(std::move(sink)) {}

void CrcProgress::Reached(std::uint64_t done) {
    while (next_ <= std::min(done, length_)) {
        const auto position = static_cast<unsigned>(ScaledFloor(next_, length_, kCrcProgressEnd));
        if (sink_) sink_(static_cast<int>(position));
        next_ = position == kCrcProgressEnd ? length_ + 1 : FirstCountReaching(position + 1, length_);
    }
}

CheckResult CheckCrc(ByteSource& source, const ProgressSink& progress) {
    const std::uint64_t length = source.Size();
    std::vector<std::uint8_t> buf(static_cast<std::size_t>(std::min<std::uint64_t>(length, kCrcReadBlock)));
    std::uint16_t reg = kCrcInitial;
    CrcProgress positions(length, progress);
    for (std::uint64_t done = 0; done < length;) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(buf.size(), length - done));
        std::size_t got = 0;
        if (!ReadSpan(source, done, buf.data(), want, &got) || got != want) return CheckResult::Damaged;
        reg = CrcUpdate(reg, buf.data(), got);
        done += got;
        positions.Reached(done);
    }
    return reg == kCrcResidue ? CheckResult::Passed : CheckResult::Damaged;
}

}  // namespace datafile
