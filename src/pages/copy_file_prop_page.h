// The installation progress page: starts the install worker and shows its log and bar.
// It is the worker's view: the log, the bar, and an owner for its message boxes.
#pragma once

#include <string>

#include "app/framework/handles.h"
#include "app/framework/property_page.h"
#include "app/framework/rich_edit.h"
#include "install/install_view.h"
#include "pages/percent_progress_ctrl.h"

class CCopyFilePropPage : public win::PropertyPage, private install::IInstallView {
public:
    CCopyFilePropPage();

    win::RichEdit m_richEdit;
    std::wstring m_strLog;
    win::UniqueFont m_fontTitle;
    win::UniqueFont m_fontText;
    CPercentProgressCtrl m_ctlProgress;

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    bool OnQueryCancel() override;
    bool OnWizardFinish() override;
    void OnTimer(UINT_PTR id) override;
    HFONT FontFor(int controlId) override;

private:
    void AppendLog(const std::wstring& text) override;
    void AppendLogSoon(const std::wstring& text) override;
    void FlushLog() override;
    void SetProgress(int position) override;
    void Warn(UINT textId) override;
    void Complete(const std::wstring& lastLine) override;
    void Fail() override;

    // Shows m_strLog in the log control at 9.5 points, protected, selection collapsed.
    void RefreshLog();
    void FormatLog(LONG start);

    install::InstallJob job_;

    size_t shownLength_ = 0;  // how much of the log the control shows; the worker only appends
    bool pendingLog_ = false;
    DWORD lastLogTick_ = 0;
};
