#include "install/install_worker.h"

#include "app/framework/wide.h"
#include "app/setup_app.h"
#include "app/setup_prop_sheet.h"
#include "install/install_steps.h"
#include "resources/resource.h"

DWORD WINAPI InstallThreadProc(LPVOID) {
    CCopyFilePropPage& page = theApp.MainFrame()->m_pSetupSheet->m_copyFilePage;

    page.m_strLog = win::LoadText(IDS_LOG_CHECK);
    page.RefreshLog();
    if (!install::CheckSignature(page) || !install::CheckVersion(page) || !install::CheckCrc(page) ||
        !install::ExtractFiles(page)) {
        // The failing step has told the user; the setup ends here.
        theApp.MainFrame()->m_pSetupSheet->EndAfterFailure();
        return 1;
    }

    page.m_strLog += win::LoadText(IDS_LOG_SHORTCUT);
    page.RefreshLog();
    std::wstring finalLog = page.m_strLog;
    if (install::CreateShortcuts(page)) {
        finalLog += win::LoadText(IDS_LOG_SUCCESS);
    } else {
        page.Warn(IDS_SHORTCUT_FAILED);
        finalLog += win::LoadText(IDS_LOG_SHORTCUT_FAILED);
    }
    page.ShowCompletion(finalLog);
    return 0;
}
