// The Windows version class: which entries go where, and whether the driver setup runs.
#pragma once

#include <cstdint>
#include <functional>

#include "install/datafile/os_classes.h"

namespace install {

struct OsVersion {
    bool queried = false;  // the version query succeeded
    std::uint32_t platformId = 0;
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
};

constexpr std::uint32_t kPlatformNt = 2;

// isWow64 is asked only for major version 6 and later: a 64-bit Windows of major
// version 5 still counts as class 1 or 2.
int GetOsClass(const OsVersion& version, const std::function<bool()>& isWow64);

}  // namespace install
