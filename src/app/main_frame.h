// The application's main window: never shown; it owns the start-up message boxes and
// lets the install worker reach the running wizard.
#pragma once

#include <windows.h>

class CSetupPropSheet;

class CMainFrame {
public:
    CMainFrame() = default;
    ~CMainFrame();
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    bool Create();
    HWND Hwnd() const { return hwnd_; }

    CSetupPropSheet* m_pSetupSheet = nullptr;  // not owning; valid while the wizard runs

private:
    HWND hwnd_ = nullptr;
};
