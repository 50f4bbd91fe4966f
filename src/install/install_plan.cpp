#include "install/install_plan.h"

#include <utility>

namespace install {
namespace {

// The copy that the positions follow moves 260 bytes a step.
constexpr std::uint64_t kProgressStep = 260;

}  // namespace

int ExtractPosition(std::uint64_t done, std::uint64_t total) {
    if (total == 0) return 100;  // nothing to copy is all copied
    return 50 + static_cast<int>(datafile::ScaledFloor(done, total, 100) * 50 / 100);
}

ExtractProgress::ExtractProgress(std::uint64_t total, datafile::ProgressSink sink)
    : total_(total), sink_(std::move(sink)) {}

void ExtractProgress::BeginEntry(std::uint64_t size) {
    entrySize_ = size;
    entryCopied_ = 0;
}

void ExtractProgress::Copied(std::uint64_t bytes) {
    const std::uint64_t before = entryCopied_;
    entryCopied_ = bytes >= entrySize_ - before ? entrySize_ : before + bytes;
    // The 260-byte blocks completed by this call are before/260+1 .. last. Positions only
    // rise, so each distinct one is reported once, and the blocks that repeat it are
    // skipped by bisection instead of one by one.
    const std::uint64_t last = entryCopied_ / kProgressStep;
    std::uint64_t k = before / kProgressStep + 1;
    while (k <= last) {
        Report(done_ + kProgressStep * k);
        std::uint64_t lo = k + 1, hi = last + 1;
        while (lo < hi) {
            const std::uint64_t mid = lo + (hi - lo) / 2;
            if (ExtractPosition(done_ + kProgressStep * mid, total_) > last_)
                hi = mid;
            else
                lo = mid + 1;
        }
        k = lo;
    }
}

void ExtractProgress::EndEntry() {
    Copied(entrySize_ - entryCopied_);  // blocks the caller did not announce still count
    Report(done_ + entrySize_);
    done_ += entrySize_;
    entrySize_ = 0;
    entryCopied_ = 0;
}

void ExtractProgress::Report(std::uint64_t done) {
    const int position = ExtractPosition(done, total_);
    if (position == last_) return;
    last_ = position;
    if (sink_) sink_(position);
}

}  // namespace install
