// The Windows version classes. The setup finds the running system's class (install/os_class.h); a
// data file's target type of 1 to 5 names the class whose system folder receives the entry.
#pragma once

#include <array>

namespace datafile {

constexpr int kOsQueryFailed = 0;
constexpr int kOsUnsupported = -1;  // not the NT family, or NT before 5
constexpr int kOsNt50 = 1;
constexpr int kOsNt5Other = 2;
constexpr int kOsNt6Minor0 = 3;
constexpr int kOsWow64 = 4;
constexpr int kOsNt6Other = 5;  // also the class that runs the driver setup

// Every class, in numeric order.
constexpr std::array<int, 7> kAllOsClasses = {kOsUnsupported, kOsQueryFailed, kOsNt50, kOsNt5Other,
                                              kOsNt6Minor0,   kOsWow64,       kOsNt6Other};

}  // namespace datafile
