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

}  // namespace datafile
