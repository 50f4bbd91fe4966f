// The data file as the installer reads it: opened by its bare name, without sharing, so that a
// file another process holds open counts as missing, and held from the first check to the end of
// extraction, so that nothing can change it between its checks and its use.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "framework/handles.h"
#include "install/datafile/data_file.h"

namespace install {

class WinFileSource : public datafile::ByteSource {
public:
    explicit WinFileSource(win::UniqueFile file);
    ~WinFileSource();
    WinFileSource(const WinFileSource&) = delete;
    WinFileSource& operator=(const WinFileSource&) = delete;
    std::uint64_t Size() const override { return size_; }
    // Safe to call from two threads at once.
    bool ReadAt(std::uint64_t offset, void* buf, std::size_t len, std::size_t* got) override;
    bool Ok() const { return static_cast<bool>(file_); }
    void Close() { file_.Reset(); }

private:
    HANDLE TakeEvent();
    void GiveBack(HANDLE event);

    win::UniqueFile file_;
    std::uint64_t size_ = 0;
    // Each read waits on an event of its own; these are kept for the next reads, one per reading
    // thread at a time.
    std::atomic<HANDLE> spareEvents_[4] = {};
};

// Opens the data file; Ok() is false when it cannot be opened.
WinFileSource OpenDataFile(const std::wstring& name);

// Converts a name from the system's ANSI code page, as the names are stored.
std::u16string DecodeAnsiName(const std::string& name);

}  // namespace install
