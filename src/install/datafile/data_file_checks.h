// The three integrity checks, in the order the installer runs them.
#pragma once

#include "install/datafile/data_file.h"

namespace datafile {

enum class CheckResult {
    Passed,
    Damaged,  // wrong signature, later version, bad CRC, or a read error
};

CheckResult CheckSignature(ByteSource& source);  // the signature field holds kSignature
CheckResult CheckVersion(ByteSource& source);    // the version field sorts at or before kFormatVersion
// CRC-16/X-25 residue 0xF0B8 over the whole file; reports floor(100*n/(2*L)) after
// byte n, to the sink only when the value changes, ending at exactly 50.
CheckResult CheckCrc(ByteSource& source, const ProgressSink& progress);

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
