#include "framework/message_box.h"

#include "framework/wide.h"

namespace win {

namespace {
// The hook of the message box this thread is about to show.
thread_local HHOOK t_centreHook = nullptr;

LRESULT CALLBACK CentreOnActivate(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE) {
        // The box is about to appear: centre it on its monitor's work area, as Windows places
        // message boxes. Some systems centre it on its owner, which may be hidden off screen.
        HWND box = reinterpret_cast<HWND>(wp);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        RECT rc{};
        if (::GetWindowRect(box, &rc) &&
            ::GetMonitorInfoW(::MonitorFromWindow(box, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
            const RECT& work = monitor.rcWork;
            int x = work.left + ((work.right - work.left) - (rc.right - rc.left)) / 2;
            int y = work.top + ((work.bottom - work.top) - (rc.bottom - rc.top)) / 2;
            ::SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ::UnhookWindowsHookEx(t_centreHook);
        t_centreHook = nullptr;
        return 0;
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}
}  // namespace

int ShowMessageBox(HWND owner, UINT textId, UINT captionId, UINT type) {
    t_centreHook = ::SetWindowsHookExW(WH_CBT, &CentreOnActivate, nullptr, ::GetCurrentThreadId());
    int answer = ::MessageBoxW(owner, LoadText(textId).c_str(), LoadText(captionId).c_str(), type);
    if (t_centreHook) {  // the box never activated
        ::UnhookWindowsHookEx(t_centreHook);
        t_centreHook = nullptr;
    }
    return answer;
}

void SetButtonText(HWND sheet, int buttonId, UINT textId) {
    ::SetWindowTextW(::GetDlgItem(sheet, buttonId), LoadText(textId).c_str());
}

void ShowButton(HWND sheet, int buttonId, bool show) {
    ::ShowWindow(::GetDlgItem(sheet, buttonId), show ? SW_SHOW : SW_HIDE);
}

}  // namespace win
