#include "install/win_data_file.h"

#include <algorithm>
#include <vector>

namespace install {

WinFileSource::WinFileSource(win::UniqueFile file) : file_(std::move(file)) {
    LARGE_INTEGER size{};
    if (file_ && ::GetFileSizeEx(file_.Get(), &size)) size_ = static_cast<std::uint64_t>(size.QuadPart);
}

WinFileSource::~WinFileSource() {
    for (std::atomic<HANDLE>& spare : spareEvents_) {
        if (HANDLE event = spare.exchange(nullptr)) ::CloseHandle(event);
    }
}

HANDLE WinFileSource::TakeEvent() {
    for (std::atomic<HANDLE>& spare : spareEvents_) {
        if (HANDLE event = spare.exchange(nullptr)) return event;
    }
    return ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

void WinFileSource::GiveBack(HANDLE event) {
    for (std::atomic<HANDLE>& spare : spareEvents_) {
        HANDLE none = nullptr;
        if (spare.compare_exchange_strong(none, event)) return;
    }
    ::CloseHandle(event);
}

bool WinFileSource::ReadAt(std::uint64_t offset, void* buf, std::size_t len, std::size_t* got) {
    *got = 0;
    // Each read waits on an event of its own: two threads share the handle, and Windows would
    // serialise their reads on a handle opened for synchronous I/O.
    struct Borrowed {
        WinFileSource& owner;
        HANDLE event;
        ~Borrowed() {
            if (event) owner.GiveBack(event);
        }
    } done{*this, TakeEvent()};
    if (!done.event) return false;
    auto* out = static_cast<unsigned char*>(buf);
    while (*got < len) {
        const std::uint64_t at = offset + *got;
        OVERLAPPED where{};
        where.Offset = static_cast<DWORD>(at);
        where.OffsetHigh = static_cast<DWORD>(at >> 32);
        where.hEvent = done.event;
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(len - *got, 1u << 30));
        DWORD read = 0;
        if (!::ReadFile(file_.Get(), out + *got, chunk, &read, &where) &&
            (::GetLastError() != ERROR_IO_PENDING || !::GetOverlappedResult(file_.Get(), &where, &read, TRUE))) {
            return ::GetLastError() == ERROR_HANDLE_EOF;
        }
        if (read == 0) break;  // end of file
        *got += read;
    }
    return true;
}

WinFileSource OpenDataFile(const std::wstring& name) {
    return WinFileSource(win::UniqueFile(::CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_OVERLAPPED,
                                                       nullptr)));
}

std::u16string DecodeAnsiName(const std::string& name) {
    if (name.empty()) return std::u16string();
    int n = ::MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
    std::vector<wchar_t> buf(static_cast<size_t>(n > 0 ? n : 0));
    if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), buf.data(), n);
    return std::u16string(buf.begin(), buf.end());
}

}  // namespace install
