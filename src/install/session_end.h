// Log-off and shutdown during the installation. While files are written the window thread refuses
// the end of the session; when the session ends anyway, the worker stops at its next block and
// removes what it had begun, and the window thread waits for that before the process goes.
#pragma once

#include <windows.h>

#include <atomic>

#include "framework/handles.h"

namespace install {

class SessionEnd {
public:
    SessionEnd();
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

    // The worker's side: files are being written for the life of a Writing.
    class Writing {
    public:
        explicit Writing(SessionEnd& owner);
        ~Writing();
        Writing(const Writing&) = delete;
        Writing& operator=(const Writing&) = delete;

    private:
        SessionEnd& owner_;
    };
    // Set once the session ends: every copy stops at its next block, every wait returns.
    HANDLE StopEvent() const { return stop_.Get(); }
    bool Stopped() const { return stopped_.load(); }

    // The window thread's side.
    bool WritingNow() const { return writing_.load(); }
    void Stop() {
        stopped_.store(true);
        ::SetEvent(stop_.Get());
    }
    // Set while no file is being written: after Stop, once the worker has cleaned up.
    HANDLE LeftEvent() const { return left_.Get(); }

private:
    std::atomic<bool> writing_{false};
    std::atomic<bool> stopped_{false};  // the same as stop_, read at every block without a system call
    win::UniqueHandle stop_;  // manual reset: stays set
    win::UniqueHandle left_;  // set while no file is being written
};

}  // namespace install
