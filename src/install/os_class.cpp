#include "install/os_class.h"

namespace install {

using namespace datafile;

int GetOsClass(const OsVersion& version, const std::function<bool()>& isWow64) {
    if (!version.queried) return kOsQueryFailed;
    if (version.platformId != kPlatformNt) return kOsUnsupported;
    if (version.major == 5) return version.minor == 0 ? kOsNt50 : kOsNt5Other;
    if (version.major < 6) return kOsUnsupported;
    if (isWow64 && isWow64()) return kOsWow64;
    return version.minor == 0 ? kOsNt6Minor0 : kOsNt6Other;
}

}  // namespace install
