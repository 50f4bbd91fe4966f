// The setup wizard: five pages in a fixed order, its icon, and the taskbar button.
#pragma once

#include <atomic>

#include "app/framework/property_sheet.h"
#include "pages/copy_file_prop_page.h"
#include "pages/cprt_prop_page.h"
#include "pages/dest_prop_page.h"
#include "pages/license_prop_page.h"
#include "pages/wel_prop_page.h"

class CSetupPropSheet : public win::PropertySheet {
public:
    CSetupPropSheet(const std::wstring& caption, HWND parent, UINT startPage);

    INT_PTR DoModal();
    // Set by the install worker when the files are in place.
    void SetInstallCompleted() { installCompleted_ = true; }
    bool InstallCompleted() const { return installCompleted_; }
    // A failed step has told the user; the wizard closes and the setup ends with an error.
    // Ended from the user-interface thread: stopping the process from the worker could catch
    // that thread inside the system and hang the exit.
    void EndAfterFailure();
    bool InstallFailed() const { return installFailed_; }

    // Declaration order fixes construction order; the wizard order is set by AddPage.
    CWelPropPage m_welPage;
    CLicensePropPage m_licensePage;
    CCprtPropPage m_cprtPage;
    CCopyFilePropPage m_copyFilePage;
    CDestPropPage m_destPage;

protected:
    void OnCreated() override;
    bool OnSheetMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    std::atomic<bool> installCompleted_{false};
    std::atomic<bool> installFailed_{false};
};
