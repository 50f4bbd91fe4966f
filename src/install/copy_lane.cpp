#include "install/copy_lane.h"

#include <new>

namespace install {

namespace {
constexpr DWORD kProgressWaitMs = 15;  // how often the bar hears of the lane's entry meanwhile
}  // namespace

CopyLane::~CopyLane() {
    if (holding_) Abandon();
    if (thread_) {
        ::InterlockedExchange(&quit_, 1);
        ::SetEvent(start_.Get());
        ::WaitForSingleObject(thread_.Get(), INFINITE);
    }
}

bool CopyLane::StartThread() {
    buffer_.reset(new (std::nothrow) unsigned char[kCopyBlock]);
    start_.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    done_.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (buffer_ && start_ && done_) thread_.Reset(::CreateThread(nullptr, 0, &CopyLane::Run, this, 0, nullptr));
    return static_cast<bool>(thread_);
}

bool CopyLane::Start(const datafile::EntryRecord& entry, const std::wstring& path) {
    if (!enabled_ || holding_) return false;
    if (!thread_ && !StartThread()) {
        enabled_ = false;  // the worker copies everything itself, as on one processor
        return false;
    }
    entry_ = entry;
    path_ = path;
    out_.Reset(CreateNewOutput(path_));
    if (!out_) return false;
    ::InterlockedExchange(&copied_, 0);
    ::InterlockedExchange(&stop_, 0);
    holding_ = true;
    ::SetEvent(start_.Get());
    return true;
}

CopyResult CopyLane::Finish(const std::function<void(std::uint64_t)>& progress) {
    while (::WaitForSingleObject(done_.Get(), kProgressWaitMs) == WAIT_TIMEOUT) progress(Copied());
    holding_ = false;
    progress(Copied());
    return result_;
}

void CopyLane::Abandon() {
    ::InterlockedExchange(&stop_, 1);
    ::WaitForSingleObject(done_.Get(), INFINITE);
    holding_ = false;
    if (result_ == CopyResult::Ok) ::DeleteFileW(path_.c_str());  // a failed copy has gone already
}

DWORD WINAPI CopyLane::Run(LPVOID self) {
    CopyLane& lane = *static_cast<CopyLane*>(self);
    for (;;) {
        ::WaitForSingleObject(lane.start_.Get(), INFINITE);
        if (lane.quit_) return 0;
        lane.CopyEntry();
        ::SetEvent(lane.done_.Get());
    }
}

void CopyLane::CopyEntry() {
    result_ = CopyContent(source_, out_.Get(), entry_, buffer_.get(), kCopyBlock, [this](std::size_t got) {
        ::InterlockedExchangeAdd(&copied_, static_cast<LONG>(got));
        return !stop_;
    });
    if (result_ == CopyResult::Ok) StampOutput(out_.Get(), entry_);
    out_.Reset();
    // A partial file is worse than none.
    if (result_ != CopyResult::Ok) ::DeleteFileW(path_.c_str());
}

}  // namespace install
