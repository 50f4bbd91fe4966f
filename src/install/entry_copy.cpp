#include "install/entry_copy.h"

#include "framework/handles.h"
#include "framework/wide.h"
#include "install/file_times.h"
#include "install/temp_names.h"

namespace install {

namespace {
constexpr std::uint32_t kTempAttempts = 1000;
}  // namespace

HANDLE CreateNewOutput(const std::wstring& path) {
    return ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool CanReplace(const std::wstring& path) {
    return static_cast<bool>(win::UniqueFile(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
}

HANDLE CreateTempOutput(const std::wstring& folder, std::wstring* path) {
    for (std::uint32_t n = 0; n < kTempAttempts; ++n) {
        *path = folder + L"\\" + win::ToWide(TempName(::GetCurrentProcessId() + n));
        HANDLE out = CreateNewOutput(*path);
        if (out != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return out;
    }
    return INVALID_HANDLE_VALUE;
}

bool MoveOver(const std::wstring& temp, const std::wstring& path, const datafile::EntryRecord& entry) {
    if (!::MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
    win::UniqueFile stamped(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (stamped) StampOutput(stamped.Get(), entry);
    return true;
}

void RemoveLeftTemps(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    win::UniqueFind find(::FindFirstFileW((folder + L"\\" + win::ToWide(TempPattern())).c_str(), &found));
    for (bool more = static_cast<bool>(find); more; more = ::FindNextFileW(find.Get(), &found)) {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && IsTempName(win::ToU16(found.cFileName)))
            ::DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    }
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

void StampOutput(HANDLE out, const datafile::EntryRecord& entry) {
    FILETIME stamp{};
    if (TimestampToFileTime(entry.timestamp, &stamp)) ::SetFileTime(out, &stamp, nullptr, &stamp);
}

}  // namespace install
