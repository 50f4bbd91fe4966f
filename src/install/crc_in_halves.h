// The CRC check of the data file with its second half run on a thread of its own, so that the
// check takes about half as long where a second processor is free.
#pragma once

#include "install/datafile/data_file_checks.h"
#include "install/win_data_file.h"

namespace install {

// As datafile::CheckCrc: the same result and the same positions, in the same order.
datafile::CheckResult CheckCrcInHalves(WinFileSource& source, const datafile::ProgressSink& progress);

}  // namespace install
