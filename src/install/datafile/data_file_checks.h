// The three integrity checks, in the order the installer runs them.
#pragma once

#include <cstddef>
#include <functional>

#include "install/datafile/data_file.h"

namespace datafile {

enum class CheckResult {
    Passed,
    Damaged,  // wrong signature, later version, bad CRC, or a read error
};

CheckResult CheckSignature(ByteSource& source);  // the signature field holds kSignature
CheckResult CheckVersion(ByteSource& source);    // the version field sorts at or before kFormatVersion
// The block in which the data file is read, checked and copied.
constexpr std::size_t kReadBlock = 1 << 20;
// How often a caller that waits for work beside it tells the bar how far that work has come.
constexpr unsigned kProgressPollMs = 15;

// Runs a piece of work beside the caller: a thread, where the platform gives one.
class Beside {
public:
    virtual ~Beside() = default;
    // False when the work cannot start; the caller then does it itself.
    virtual bool Start(std::function<void()> work) = 0;
    // Waits at most `ms` for the work; true once it has ended.
    virtual bool Wait(unsigned ms) = 0;
};

// CRC-16/X-25 residue 0xF0B8 over the whole file; reports floor(100*n/(2*L)) after
// byte n, to the sink only when the value changes, ending at exactly 50. With `beside`, the
// file's second half runs there while the caller runs the first, and the two registers are
// joined; the positions are the same, in the same order. The source must allow reads from two
// threads at once.
CheckResult CheckCrc(ByteSource& source, const ProgressSink& progress, Beside* beside = nullptr);

// The CRC check's positions for callers that read the file their own way: each new
// floor(100*n/(2*L)) up to the byte count given, once and in order, ending at exactly 50.
class CrcProgress {
public:
    CrcProgress(std::uint64_t length, ProgressSink sink);
    void Reached(std::uint64_t done);

private:
    std::uint64_t length_;
    ProgressSink sink_;
    std::uint64_t next_ = 1;  // the byte count at which the position next changes
};

}  // namespace datafile
