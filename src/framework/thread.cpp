#include "framework/thread.h"

namespace win {

void Thread::Join() {
    if (!handle_) return;
    ::WaitForSingleObject(handle_.Get(), INFINITE);
    handle_.Reset();
}

bool Thread::JoinFor(DWORD ms) {
    if (handle_ && ::WaitForSingleObject(handle_.Get(), ms) == WAIT_TIMEOUT) return false;
    handle_.Reset();
    return true;
}

void Thread::WaitPumping(HANDLE orEvent) {
    if (!handle_) return;
    HANDLE waits[2] = {handle_.Get(), orEvent};
    const DWORD count = orEvent ? 2 : 1;
    for (;;) {
        const DWORD r = ::MsgWaitForMultipleObjects(count, waits, FALSE, INFINITE, QS_SENDMESSAGE);
        if (r != WAIT_OBJECT_0 + count) break;
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // delivers the sent messages
    }
    if (::WaitForSingleObject(handle_.Get(), 0) == WAIT_OBJECT_0) handle_.Reset();
}

DWORD WINAPI Thread::Run(LPVOID task) {
    std::unique_ptr<TaskBase> owned(static_cast<TaskBase*>(task));
    try {
        owned->Run();
    } catch (...) {
        // Nothing may unwind into the system's frames; the body reports its own failures.
    }
    return 0;
}

}  // namespace win
