#include "install/datafile/data_file_checks.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <utility>
#include <vector>

#include "install/datafile/crc16.h"

namespace datafile {
namespace {

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

namespace {

// One half of the file and its register.
struct Half {
    std::uint64_t from, to;
    std::uint16_t reg;
    std::atomic<std::uint64_t> read{0};  // bytes run so far, for the bar
};

// Runs the register over the half a block at a time, calling `afterBlock` after each; stops
// early once `failed` is set by either half.
void Run(ByteSource& source, Half& half, std::atomic<bool>& failed, const std::function<void()>& afterBlock) {
    std::vector<std::uint8_t> buf(static_cast<std::size_t>(std::min<std::uint64_t>(half.to - half.from, kReadBlock)));
    for (std::uint64_t at = half.from; at < half.to && !failed.load();) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(buf.size(), half.to - at));
        std::size_t got = 0;
        if (!ReadSpan(source, at, buf.data(), want, &got) || got != want) {
            failed.store(true);
            return;
        }
        half.reg = CrcUpdate(half.reg, buf.data(), got);
        at += got;
        half.read += got;
        if (afterBlock) afterBlock();
    }
}

// Waits for the work beside on every way out, so that nothing it uses goes first.
struct Joined {
    Beside* beside;
    ~Joined() {
        if (beside) {
            while (!beside->Wait(kProgressPollMs)) {
            }
        }
    }
};

}  // namespace

CheckResult CheckCrc(ByteSource& source, const ProgressSink& progress, Beside* beside) {
    const std::uint64_t length = source.Size();
    const std::uint64_t middle = beside ? length / 2 : length;
    std::atomic<bool> failed{false};
    Half first{0, middle, kCrcInitial};
    Half second{middle, length, 0};
    CrcProgress positions(length, progress);
    const auto report = [&] { positions.Reached(first.read.load() + second.read.load()); };

    const bool helped = beside && beside->Start([&] {
        try {
            Run(source, second, failed, nullptr);
        } catch (...) {
            failed.store(true);  // no memory for the block: as an unreadable file
        }
    });
    Joined joined{helped ? beside : nullptr};
    Run(source, first, failed, report);
    if (helped) {
        while (!beside->Wait(kProgressPollMs)) report();
        joined.beside = nullptr;
    } else {
        Run(source, second, failed, report);  // not split, or nothing beside: the second half follows here
    }
    if (failed.load()) return CheckResult::Damaged;
    report();
    const std::uint16_t reg = CrcShift(first.reg, length - middle) ^ second.reg;
    return reg == kCrcResidue ? CheckResult::Passed : CheckResult::Damaged;
}

}  // namespace datafile
