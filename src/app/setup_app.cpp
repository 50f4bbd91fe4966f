#include "app/setup_app.h"

#include "app/exit_codes.h"
#include "framework/common_controls.h"
#include "framework/system_library.h"
#include "framework/wide.h"
#include "framework/message_box.h"
#include "pages/warnings.h"
#include "app/setup_prop_sheet.h"
#include "resources/names.h"
#include "resources/resource.h"

CSetupApp theApp;

CSetupApp::CSetupApp()
    : m_pszDataFile(reinterpret_cast<const wchar_t*>(names::kDataFile)), exitCode_(kExitCancelled) {}

BOOL CSetupApp::InitInstance() {
    // The pages' rich edit class must exist before any page is created; the library
    // stays loaded until the process ends.
    win::LoadSystemLibrary(reinterpret_cast<const wchar_t*>(names::kRichEditLibrary));
    if (!win::LoadCommonControls(ICC_PROGRESS_CLASS)) {
        exitCode_ = kExitFailed;
        return FALSE;
    }

    // Kept open to the end of the process, so the name stays taken while we run.
    HANDLE mutex = ::CreateMutexW(nullptr, TRUE, reinterpret_cast<const wchar_t*>(names::kMutex));
    if (mutex && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        exitCode_ = kExitAlreadyRunning;
        return FALSE;
    }

    mainFrame_ = std::make_unique<CMainFrame>();
    mainFrame_->Create();

    HANDLE data = ::CreateFileW(m_pszDataFile, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (data == INVALID_HANDLE_VALUE) {
        pages::ShowWarning(mainFrame_->Hwnd(), IDS_DATAFILE_MISSING_AT_START);
        exitCode_ = kExitFailed;
        return FALSE;
    }
    ::CloseHandle(data);

    CSetupPropSheet sheet(win::LoadText(IDS_SHEET_CAPTION), nullptr, 0, m_pszDataFile);
    mainFrame_->m_pSetupSheet = &sheet;
    sheet.SetWizardMode();
    INT_PTR result = sheet.DoModal();
    if (result == win::kFinishButton) {
        win::ShowMessageBox(mainFrame_->Hwnd(), IDS_SETUP_COMPLETE, IDS_CAPTION, MB_OK);
    }
    if (sheet.HasFailed()) {
        exitCode_ = kExitFailed;
    } else if (sheet.HasCompleted()) {
        exitCode_ = kExitFinished;  // the files are in place however the wizard was closed
    } else if (result == win::kFinishButton) {
        exitCode_ = kExitFinished;
    } else if (result < 0) {
        exitCode_ = kExitFailed;
    } else {
        exitCode_ = kExitCancelled;
    }
    mainFrame_->m_pSetupSheet = nullptr;
    return FALSE;
}
