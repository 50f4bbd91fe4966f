// The CRC check of the data file with its second half run on a thread of its own, so that the
// check takes about half as long where a second processor is free and the medium does not seek.
#pragma once

#include <string>

#include "install/datafile/data_file_checks.h"
#include "install/win_data_file.h"

namespace install {

// As datafile::CheckCrc: the same result and the same positions, in the same order.
// `dataFile` is the name it was opened by, for the kind of drive it lies on.
datafile::CheckResult CheckCrcInHalves(WinFileSource& source, const std::wstring& dataFile,
                                       const datafile::ProgressSink& progress);

}  // namespace install
