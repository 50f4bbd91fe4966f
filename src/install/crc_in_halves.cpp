#include "install/crc_in_halves.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <vector>

#include "app/framework/thread.h"
#include "install/datafile/crc16.h"
#include "install/two_readers.h"

namespace install {

namespace {

constexpr std::size_t kReadBlock = 1 << 20;
constexpr DWORD kProgressWaitMs = 15;  // how often the bar hears of the other half meanwhile

struct Half {
    WinFileSource* source;
    std::uint64_t from;
    std::uint64_t to;
    std::uint16_t reg;
    std::atomic<bool>* failed;  // shared: once a read of either half fails, the result is decided
    std::atomic<std::uint32_t> read{0};  // bytes run so far, for the bar; a half is below 4 GiB
};

std::uint64_t ReadSoFar(const Half& half) { return half.read.load(); }

// Runs the register over the half, a block at a time, calling `afterBlock` after each.
void Run(Half& half, std::vector<std::uint8_t>& buf, const std::function<void()>& afterBlock) {
    for (std::uint64_t at = half.from; at < half.to && !*half.failed;) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(buf.size(), half.to - at));
        std::size_t got = 0;
        if (!half.source->ReadAt(at, buf.data(), want, &got) || got != want) {
            half.failed->store(true);
            return;
        }
        half.reg = datafile::CrcUpdate(half.reg, buf.data(), got);
        at += got;
        half.read += static_cast<std::uint32_t>(got);
        if (afterBlock) afterBlock();
    }
}

void RunSecondHalf(Half& half) {
    try {
        std::vector<std::uint8_t> buf(kReadBlock);
        Run(half, buf, nullptr);
    } catch (...) {
        half.failed->store(true);  // no memory for the block: as an unreadable file
    }
}

}  // namespace

datafile::CheckResult CheckCrcInHalves(WinFileSource& source, const std::wstring& dataFile,
                                       const datafile::ProgressSink& progress) {
    const std::uint64_t length = source.Size();
    const bool split = TwoReadersHelp(dataFile);
    const std::uint64_t middle = split ? length / 2 : length;
    std::atomic<bool> failed{false};
    Half first{&source, 0, middle, datafile::kCrcInitial, &failed};
    Half second{&source, middle, length, 0, &failed};
    std::vector<std::uint8_t> buf(kReadBlock);
    datafile::CrcProgress positions(length, progress);
    const auto report = [&] { positions.Reached(ReadSoFar(first) + ReadSoFar(second)); };

    // Joined on every way out, an exception included, before the halves it reads go.
    win::Thread thread;
    const bool helped = split && thread.Start([&second] { RunSecondHalf(second); });
    Run(first, buf, report);
    if (helped) {
        while (!thread.JoinFor(kProgressWaitMs)) report();
    } else {
        Run(second, buf, report);  // not split, or no second thread: the second half follows here
    }
    if (failed.load()) return datafile::CheckResult::Damaged;
    report();
    const std::uint16_t reg = datafile::CrcShift(first.reg, length - middle) ^ second.reg;
    return reg == datafile::kCrcResidue ? datafile::CheckResult::Passed : datafile::CheckResult::Damaged;
}

}  // namespace install
