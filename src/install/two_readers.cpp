#include "install/two_readers.h"

#include <windows.h>

namespace install {

bool TwoReadersHelp(const std::wstring& dataFile) {
    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    if (system.dwNumberOfProcessors < 2) return false;
    // The volume of the full path: for a bare name the function would answer the boot volume.
    wchar_t full[MAX_PATH] = {}, volume[MAX_PATH] = {};
    const DWORD n = ::GetFullPathNameW(dataFile.c_str(), MAX_PATH, full, nullptr);
    if (n == 0 || n >= MAX_PATH || !::GetVolumePathNameW(full, volume, MAX_PATH)) return false;
    const UINT type = ::GetDriveTypeW(volume);
    return type != DRIVE_CDROM && type != DRIVE_REMOVABLE;
}

}  // namespace install
