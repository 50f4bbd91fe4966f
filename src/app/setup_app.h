// The application object: its start-up routine is the whole life of the setup.
#pragma once

#include <windows.h>

#include <memory>

#include "app/main_frame.h"

class CSetupApp {
public:
    CSetupApp();
    CSetupApp(const CSetupApp&) = delete;
    CSetupApp& operator=(const CSetupApp&) = delete;

    // Runs the setup; returns false so that no message loop of its own follows.
    BOOL InitInstance();
    int ExitCode() const { return exitCode_; }
    CMainFrame* MainFrame() const { return mainFrame_.get(); }

    const wchar_t* m_pszDataFile;

private:
    int exitCode_;
    std::unique_ptr<CMainFrame> mainFrame_;
};

extern CSetupApp theApp;
