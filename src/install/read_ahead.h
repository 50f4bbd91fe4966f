// The data file's bytes for a pass over it, read on a thread of its own a few blocks ahead of
// the consumer, so that reading overlaps checking or writing instead of alternating with it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/framework/handles.h"
#include "install/win_data_file.h"

namespace install {

struct ByteRange {
    std::uint64_t offset;
    std::uint64_t size;
};

class ReadAhead {
public:
    // Streams the concatenation of `ranges`, in order. The source must not be used otherwise
    // until this object is gone.
    ReadAhead(WinFileSource& source, std::vector<ByteRange> ranges);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next bytes of the stream, at most `want` (> 0) of them: false at the end, or where a
    // read failed or came short; the bytes stay valid until the next call.
    bool Take(std::size_t want, const std::uint8_t** data, std::size_t* got);

private:
    struct Block {
        std::vector<std::uint8_t> bytes;
        std::size_t size = 0;  // bytes read
        bool ok = false;       // false: a read failed right after them, and the stream ends
    };

    static DWORD WINAPI ThreadProc(LPVOID self);
    void ReadBlocks();
    void Fill(Block& block);  // the next block of the stream, from the reader's position

    WinFileSource& source_;
    std::vector<ByteRange> ranges_;
    std::size_t range_ = 0;  // the reader's position: range and offset in it
    std::uint64_t inRange_ = 0;
    std::vector<Block> blocks_;
    std::size_t consumed_ = 0;  // blocks taken in by the consumer
    std::size_t offsetInBlock_ = 0;
    bool holding_ = false;  // the consumer holds block consumed_ - 1
    bool ended_ = false;    // a read failed or the stream is over
    volatile LONG stop_ = 0;
    win::UniqueHandle freeSlots_;
    win::UniqueHandle fullSlots_;
    win::UniqueHandle thread_;  // absent: the consumer reads each block itself
};

}  // namespace install
