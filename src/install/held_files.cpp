#include "install/held_files.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "install/datafile/data_file_checks.h"

namespace install {

win::UniqueFile OpenUnchanged(const std::wstring& path, WinFileSource& source, const datafile::EntryRecord& entry,
                              unsigned char* expected, unsigned char* found) {
    win::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.Get(), &size) || static_cast<std::uint64_t>(size.QuadPart) != entry.size)
        return win::UniqueFile();
    for (std::uint64_t done = 0; done < entry.size;) {
        const DWORD want = static_cast<DWORD>(std::min<std::uint64_t>(datafile::kReadBlock, entry.size - done));
        std::size_t got = 0;
        DWORD read = 0;
        if (!source.ReadAt(entry.offset + done, expected, want, &got) || got != want ||
            !::ReadFile(file.Get(), found, want, &read, nullptr) || read != want || std::memcmp(expected, found, want) != 0)
            return win::UniqueFile();
        done += want;
    }
    return file;
}

bool HeldFiles::Hold(const std::wstring& path, WinFileSource& source, const datafile::EntryRecord& entry) {
    if (!expected_) {
        expected_.reset(new (std::nothrow) unsigned char[datafile::kReadBlock]);
        found_.reset(new (std::nothrow) unsigned char[datafile::kReadBlock]);
        if (!expected_ || !found_) return false;
    }
    return Keep(OpenUnchanged(path, source, entry, expected_.get(), found_.get()));
}

bool HeldFiles::Keep(win::UniqueFile file) {
    if (!file) return false;
    held_.push_back(std::move(file));
    return true;
}

}  // namespace install
