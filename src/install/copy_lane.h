// A second thread that copies one entry beside the worker's own, so that two files are written at
// once: each copy spends most of its time moving bytes, which a second processor halves. The worker
// hands over the entry after its own and still tells its log line and bar positions in turn.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/framework/handles.h"
#include "install/entry_copy.h"

namespace install {

class CopyLane {
public:
    // `enabled`: whether a second reader helps at all; without it nothing is ever handed over.
    CopyLane(WinFileSource& source, bool enabled) : source_(source), enabled_(enabled) {}
    ~CopyLane();
    CopyLane(const CopyLane&) = delete;
    CopyLane& operator=(const CopyLane&) = delete;

    // Creates the entry's output as a new file and starts filling it. False, with nothing written,
    // where the file exists already (it is replaced in its turn, as before) or no thread can be had.
    bool Start(const datafile::EntryRecord& entry, const std::wstring& path);
    bool Holding() const { return holding_; }
    // Waits for the entry, telling `progress` the bytes copied so far now and then and at the end.
    // A failed copy has removed its file, as the worker's own would.
    CopyResult Finish(const std::function<void(std::uint64_t)>& progress);
    // Stops the entry and removes its file: an earlier entry failed, so this one would not exist yet.
    void Abandon();

private:
    static DWORD WINAPI Run(LPVOID self);
    bool StartThread();
    void CopyEntry();  // on the lane's thread
    std::uint64_t Copied() const { return static_cast<DWORD>(copied_); }  // an entry is below 4 GiB

    WinFileSource& source_;
    bool enabled_;
    std::unique_ptr<unsigned char[]> buffer_;
    win::UniqueHandle start_, done_, thread_;
    bool holding_ = false;
    // The entry in hand: set by the worker before `start_`, the lane's until `done_`.
    datafile::EntryRecord entry_;
    std::wstring path_;
    win::UniqueFile out_;
    CopyResult result_ = CopyResult::Ok;
    volatile LONG copied_ = 0;
    volatile LONG stop_ = 0;
    volatile LONG quit_ = 0;
};

}  // namespace install
