// The arithmetic of extraction's progress.
#pragma once

#include <cstdint>

#include "install/datafile/data_file.h"

namespace install {

// Progress of extraction: P(d) = 50 + floor(floor(100*d/total)*50/100).
int ExtractPosition(std::uint64_t done, std::uint64_t total);

// Tracks the bar through the copy of entries in blocks of any size, reporting exactly the
// positions that a copy in 260-byte steps would set, each only when it changes.
class ExtractProgress {
public:
    ExtractProgress(std::uint64_t total, datafile::ProgressSink sink);
    void BeginEntry(std::uint64_t size);
    void Copied(std::uint64_t bytes);  // bytes of the current entry just written
    void EndEntry();                   // after the last block (also for empty entries); counts
                                       // any bytes of the entry not yet announced
private:
    void Report(std::uint64_t done);
    std::uint64_t total_;
    datafile::ProgressSink sink_;
    std::uint64_t done_ = 0;        // bytes of finished entries
    std::uint64_t entrySize_ = 0;
    std::uint64_t entryCopied_ = 0;
    int last_ = -1;
};

}  // namespace install
