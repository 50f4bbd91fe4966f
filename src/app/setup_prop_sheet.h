// The setup wizard: five pages in a fixed order, its icon, and the taskbar button.
#pragma once

#include "framework/property_sheet.h"
#include "pages/wizard_outcome.h"
#include "pages/copy_file_prop_page.h"
#include "pages/cprt_prop_page.h"
#include "pages/dest_prop_page.h"
#include "pages/license_prop_page.h"
#include "pages/wel_prop_page.h"

class CSetupPropSheet : public win::PropertySheet, private pages::IWizardOutcome {
public:
    // `dataFile`: the data file's name, for the pages that read it.
    CSetupPropSheet(const std::wstring& caption, HWND parent, UINT startPage, const wchar_t* dataFile);

    INT_PTR DoModal();
    bool HasCompleted() const { return installCompleted_; }
    bool HasFailed() const { return installFailed_; }

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
    void InstallCompleted() override { installCompleted_ = true; }
    // Ended from the user-interface thread: stopping the process from the worker could catch that
    // thread inside the system and hang the exit.
    void InstallFailed() override;
    void Finished() override { MarkFinished(); }

    bool installCompleted_ = false;
    bool installFailed_ = false;
};
