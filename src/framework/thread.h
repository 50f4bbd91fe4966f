// A thread that is always joined: its owner waits for it before anything the thread uses goes away.
#pragma once

#include <windows.h>

#include <memory>
#include <new>
#include <utility>

#include "framework/handles.h"

namespace win {

class Thread {
public:
    Thread() = default;
    ~Thread() { Join(); }
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Runs body() on a new thread; false, with nothing started, when no thread or memory can be had.
    template <class Body>
    bool Start(Body body) {
        Join();
        auto* task = new (std::nothrow) Task<Body>(std::move(body));
        if (!task) return false;
        handle_.Reset(::CreateThread(nullptr, 0, &Thread::Run, task, 0, nullptr));
        if (!handle_) delete task;
        return static_cast<bool>(handle_);
    }
    bool Started() const { return static_cast<bool>(handle_); }
    void Join();
    // Waits at most `ms` for the thread; true once it has ended (or none was started).
    bool JoinFor(DWORD ms);
    // Joins while handling the messages that other threads send to this one, so that a thread that
    // waits for this one's windows can still end. Returns once the thread or `orEvent` is done.
    void WaitPumping(HANDLE orEvent = nullptr);

private:
    struct TaskBase {
        virtual ~TaskBase() = default;
        virtual void Run() = 0;
    };
    template <class Body>
    struct Task : TaskBase {
        explicit Task(Body b) : body(std::move(b)) {}
        void Run() override { body(); }
        Body body;
    };
    static DWORD WINAPI Run(LPVOID task);

    UniqueHandle handle_;
};

}  // namespace win
