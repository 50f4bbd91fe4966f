// The three integrity checks, in the order the installer runs them.
#pragma once

#include "install/datafile/data_file.h"

namespace datafile {

enum class CheckResult {
    Passed,
    Damaged,  // wrong signature, later version, bad CRC, or a read error
};

CheckResult CheckSignature(ByteSource& source);  // bytes 0..3 == "KJ38"
CheckResult CheckVersion(ByteSource& source);    // bytes 16..19 sort at or before "V1.0"
// CRC-16/X-25 residue 0xF0B8 over the whole file; reports floor(100*n/(2*L)) after
// byte n, to the sink only when the value changes, ending at exactly 50.
CheckResult CheckCrc(ByteSource& source, const ProgressSink& progress);

// The same check over the file's bytes handed in order, in pieces of any size, so that the
// caller decides how they are read. Reports exactly what CheckCrc reports.
class CrcCheck {
public:
    CrcCheck(std::uint64_t length, ProgressSink progress);
    void Feed(const std::uint8_t* data, std::size_t size);  // at most the bytes still due
    std::uint64_t Remaining() const { return length_ - done_; }
    // Passed when all `length` bytes came and the register ends at the residue.
    CheckResult Result() const;

private:
    std::uint64_t length_;
    ProgressSink progress_;
    std::uint16_t reg_;
    std::uint64_t done_ = 0;
    std::uint64_t nextReport_ = 1;
};

}  // namespace datafile
