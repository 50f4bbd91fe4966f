// The entry timestamps: local wall-clock digits YYYYMMDDhhmmss.
#pragma once

#include <windows.h>

#include <array>

namespace install {

// The file time (UTC) of an entry's timestamp, converted as the platform converts local
// times; false when it is not six numbers or names no local time from 1970 to 2037.
bool TimestampToFileTime(const std::array<char, 16>& timestamp, FILETIME* out);

}  // namespace install
