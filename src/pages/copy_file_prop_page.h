// The installation progress page: starts the install worker and shows its log and bar.
// It also serves the worker: the log, the bar, and an owner for its message boxes.
#pragma once

#include <string>

#include "app/framework/handles.h"
#include "app/framework/property_page.h"
#include "app/framework/rich_edit.h"
#include "pages/percent_progress_ctrl.h"

class CCopyFilePropPage : public win::PropertyPage {
public:
    CCopyFilePropPage();

    // Shows m_strLog in the log control at 9.5 points, selection collapsed.
    void RefreshLog();
    // The same for a line per file: shown at once or within a moment, by FlushLog at the latest.
    void RefreshLogSoon();
    void FlushLog();
    // A message box of the installation, owned by this page, after the log is up to date.
    void Warn(UINT textId);
    // The worker's last step: the final log line, the protected log, title and finish.
    void ShowCompletion(const std::wstring& finalLog);

    win::RichEdit m_richEdit;
    std::wstring m_strLog;
    win::UniqueFont m_fontTitle;
    win::UniqueFont m_fontText;
    CPercentProgressCtrl m_ctlProgress;
    int m_nOsKind = 0;
    std::wstring m_strDestFolder;
    std::wstring m_strSystemFolder;

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    bool OnQueryCancel() override;
    bool OnWizardFinish() override;
    void OnTimer(UINT_PTR id) override;
    bool OnControlNotify(NMHDR* header, LRESULT* result) override;
    HFONT FontFor(int controlId) override;

private:
    void ShowLog(const std::wstring& text);

    size_t shownLength_ = 0;  // how much of the log the control shows; the worker only appends
    bool pendingLog_ = false;
    DWORD lastLogTick_ = 0;
};
