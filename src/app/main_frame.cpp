#include "app/main_frame.h"

#include "framework/wide.h"
#include "resources/resource.h"

namespace {
const wchar_t kFrameClass[] = L"KorventaSetupFrame";
}

CMainFrame::~CMainFrame() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

bool CMainFrame::Create() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = instance;
    wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_SETUP));
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kFrameClass;
    ::RegisterClassExW(&wc);
    hwnd_ = ::CreateWindowExW(0, kFrameClass, win::LoadText(IDS_CAPTION).c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (hwnd_) ::ShowWindow(hwnd_, SW_HIDE);
    return hwnd_ != nullptr;
}
