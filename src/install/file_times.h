// The entry timestamps on Windows: the shared rule's local wall-clock time as a file time.
#pragma once

#include <windows.h>

#include <array>

#include "install/datafile/data_file.h"

namespace install {

// The file time (UTC) of an entry's timestamp; false when datafile::ParseTimestamp names no moment,
// and the file then keeps the time of installation.
bool TimestampToFileTime(const std::array<char, datafile::kTimestampSize>& timestamp, FILETIME* out);

}  // namespace install
