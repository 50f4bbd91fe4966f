#include "install/entry_copy.h"

#include "install/file_times.h"

namespace install {

HANDLE CreateOutput(const std::wstring& path) {
    HANDLE out = CreateNewOutput(path);
    if (out != INVALID_HANDLE_VALUE) return out;
    return ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

HANDLE CreateNewOutput(const std::wstring& path) {
    return ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void StampOutput(HANDLE out, const datafile::EntryRecord& entry) {
    FILETIME stamp{};
    if (TimestampToFileTime(entry.timestamp, &stamp)) ::SetFileTime(out, &stamp, nullptr, &stamp);
}

}  // namespace install
