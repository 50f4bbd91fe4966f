// A second thread that copies one entry beside the worker's own, so that two files are written at
// once: each copy spends most of its time moving bytes, which a second processor halves. The worker
// hands over the entry after its own and still tells its log line and bar positions in turn.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "framework/handles.h"
#include "framework/thread.h"
#include "install/entry_copy.h"
#include "install/held_files.h"
#include "install/session_end.h"

namespace install {

class CopyLane {
public:
    // `enabled`: whether a second reader helps at all; without it nothing is ever handed over.
    // `session`: when it ends, the entry in hand stops at its next block.
    CopyLane(WinFileSource& source, bool enabled, const SessionEnd& session)
        : source_(source), enabled_(enabled), session_(session) {}
    ~CopyLane();
    CopyLane(const CopyLane&) = delete;
    CopyLane& operator=(const CopyLane&) = delete;

    // Creates the entry's output as a new file and starts filling it. False, with nothing written,
    // where the file exists already (it is replaced in its turn, as before) or no thread can be had.
    // With `hold`, the written file is then opened as HeldFiles holds it, on the lane's thread.
    bool Start(const datafile::EntryRecord& entry, const std::wstring& path, bool hold);
    bool Holding() const { return holding_; }
    // Waits for the entry, telling `progress` the bytes copied so far now and then and at the end.
    // A failed copy has removed its file, as the worker's own would.
    CopyResult Finish(const std::function<void(std::uint64_t)>& progress);
    // Stops the entry and removes its file: an earlier entry failed, so this one would not exist yet.
    void Abandon();
    // After a successful Finish of an entry started with `hold`: its held file.
    win::UniqueFile TakeHeld() { return std::move(held_); }

private:
    void Loop();  // on the lane's thread
    bool StartThread();
    void CopyEntry();  // on the lane's thread
    std::uint64_t Copied() const { return copied_.load(); }  // an entry is below 4 GiB

    WinFileSource& source_;
    bool enabled_;
    const SessionEnd& session_;
    std::unique_ptr<unsigned char[]> buffer_, compared_;
    win::UniqueHandle start_, done_;
    bool holding_ = false;
    // The entry in hand: set by the worker before `start_`, the lane's until `done_`.
    datafile::EntryRecord entry_;
    std::wstring path_;
    bool hold_ = false;
    win::UniqueFile out_, held_;
    CopyResult result_ = CopyResult::Ok;
    std::atomic<std::uint32_t> copied_{0};
    std::atomic<bool> abandon_{false};
    std::atomic<bool> quit_{false};
    win::Thread thread_;  // last: joined before anything it uses goes
};

}  // namespace install
