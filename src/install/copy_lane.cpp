#include "install/copy_lane.h"

#include <new>

namespace install {

CopyLane::~CopyLane() {
    if (holding_) Abandon();
    if (thread_.Started()) {
        quit_.store(true);
        ::SetEvent(start_.Get());
        thread_.Join();
    }
}

bool CopyLane::StartThread() {
    buffer_.reset(new (std::nothrow) unsigned char[datafile::kReadBlock]);
    compared_.reset(new (std::nothrow) unsigned char[datafile::kReadBlock]);
    start_.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    done_.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    return buffer_ && compared_ && start_ && done_ && thread_.Start([this] { Loop(); });
}

bool CopyLane::Start(const datafile::EntryRecord& entry, const std::wstring& path, bool hold) {
    if (!enabled_ || holding_) return false;
    if (!thread_.Started() && !StartThread()) {
        enabled_ = false;  // the worker copies everything itself, as on one processor
        return false;
    }
    entry_ = entry;
    path_ = path;
    hold_ = hold;
    held_.Reset();
    out_.Reset(CreateNewOutput(path_));
    if (!out_) return false;
    copied_.store(0);
    abandon_.store(false);
    holding_ = true;
    ::SetEvent(start_.Get());
    return true;
}

CopyResult CopyLane::Finish(const std::function<void(std::uint64_t)>& progress) {
    while (::WaitForSingleObject(done_.Get(), datafile::kProgressPollMs) == WAIT_TIMEOUT) progress(Copied());
    holding_ = false;
    progress(Copied());
    return result_;
}

void CopyLane::Abandon() {
    abandon_.store(true);
    ::WaitForSingleObject(done_.Get(), INFINITE);
    holding_ = false;
    if (result_ == CopyResult::Ok) ::DeleteFileW(path_.c_str());  // a failed copy has gone already
}

void CopyLane::Loop() {
    for (;;) {
        ::WaitForSingleObject(start_.Get(), INFINITE);
        if (quit_.load()) return;
        CopyEntry();
        ::SetEvent(done_.Get());
    }
}

void CopyLane::CopyEntry() {
    result_ = CopyContent(source_, out_.Get(), entry_, buffer_.get(), datafile::kReadBlock, [this](std::size_t got) {
        copied_ += static_cast<std::uint32_t>(got);
        return !abandon_.load() && !session_.Stopped();
    });
    if (result_ == CopyResult::Ok) StampOutput(out_.Get(), entry_);
    out_.Reset();
    if (result_ == CopyResult::Ok && hold_) {
        held_ = OpenUnchanged(path_, source_, entry_, buffer_.get(), compared_.get());
        if (!held_) result_ = CopyResult::WriteFailed;
    }
    // A partial file is worse than none.
    if (result_ != CopyResult::Ok) ::DeleteFileW(path_.c_str());
}

}  // namespace install
