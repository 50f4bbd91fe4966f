#include "install/read_ahead.h"

#include <algorithm>
#include <utility>

namespace install {

namespace {

// Big enough that a read costs little beside its bytes, small enough that the blocks in
// flight keep the memory the same for any size of file.
constexpr std::size_t kBlockSize = 1 << 20;
constexpr LONG kBlocks = 4;

}  // namespace

ReadAhead::ReadAhead(WinFileSource& source, std::vector<ByteRange> ranges)
    : source_(source), ranges_(std::move(ranges)) {
    blocks_.resize(kBlocks);
    for (Block& block : blocks_) block.bytes.resize(kBlockSize);
    freeSlots_.Reset(::CreateSemaphoreW(nullptr, kBlocks, kBlocks, nullptr));
    fullSlots_.Reset(::CreateSemaphoreW(nullptr, 0, kBlocks, nullptr));
    if (freeSlots_ && fullSlots_) thread_.Reset(::CreateThread(nullptr, 0, &ThreadProc, this, 0, nullptr));
}

ReadAhead::~ReadAhead() {
    if (!thread_) return;
    ::InterlockedExchange(&stop_, 1);
    ::ReleaseSemaphore(freeSlots_.Get(), 1, nullptr);  // wakes a reader waiting for room
    ::WaitForSingleObject(thread_.Get(), INFINITE);
}

DWORD WINAPI ReadAhead::ThreadProc(LPVOID self) {
    static_cast<ReadAhead*>(self)->ReadBlocks();
    return 0;
}

void ReadAhead::ReadBlocks() {
    for (std::size_t i = 0;; ++i) {
        ::WaitForSingleObject(freeSlots_.Get(), INFINITE);
        if (stop_) return;
        Block& block = blocks_[i % blocks_.size()];
        Fill(block);
        const bool last = !block.ok || block.size == 0;
        ::ReleaseSemaphore(fullSlots_.Get(), 1, nullptr);
        if (last) return;
    }
}

void ReadAhead::Fill(Block& block) {
    block.size = 0;
    block.ok = true;
    // Each range is read by itself: a failure in one leaves the bytes of the ones before it
    // whole, so that the consumer meets it where a read per range would have.
    while (range_ < ranges_.size() && block.size < block.bytes.size()) {
        const ByteRange& range = ranges_[range_];
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(block.bytes.size() - block.size, range.size - inRange_));
        std::size_t got = 0;
        if (want > 0 &&
            (!source_.ReadAt(range.offset + inRange_, block.bytes.data() + block.size, want, &got) || got != want)) {
            block.ok = false;  // the bytes before stay usable
            return;
        }
        block.size += want;
        inRange_ += want;
        if (inRange_ == range.size) {
            ++range_;
            inRange_ = 0;
        }
    }
}

bool ReadAhead::Take(std::size_t want, const std::uint8_t** data, std::size_t* got) {
    *got = 0;
    if (ended_) return false;
    if (holding_ && offsetInBlock_ == blocks_[(consumed_ - 1) % blocks_.size()].size) {
        if (!blocks_[(consumed_ - 1) % blocks_.size()].ok) {
            ended_ = true;  // the failed read comes after this block's bytes
            return false;
        }
        holding_ = false;
        if (thread_) ::ReleaseSemaphore(freeSlots_.Get(), 1, nullptr);
    }
    if (!holding_) {
        Block& next = blocks_[consumed_ % blocks_.size()];
        if (thread_)
            ::WaitForSingleObject(fullSlots_.Get(), INFINITE);
        else
            Fill(next);
        ++consumed_;
        holding_ = true;
        offsetInBlock_ = 0;
        if (next.size == 0) {
            ended_ = true;  // a failed read or the end: the reader has stopped
            return false;
        }
    }
    const Block& block = blocks_[(consumed_ - 1) % blocks_.size()];
    *data = block.bytes.data() + offsetInBlock_;
    *got = std::min(want, block.size - offsetInBlock_);
    offsetInBlock_ += *got;
    return true;
}

}  // namespace install
