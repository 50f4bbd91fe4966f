// The installation progress page: starts the install worker and shows its log and bar.
// It is the worker's view: the log, the bar, and an owner for its message boxes.
#pragma once

#include <string>

#include "framework/handles.h"
#include "framework/property_page.h"
#include "framework/rich_edit.h"
#include "framework/thread.h"
#include "install/install_view.h"
#include "install/session_end.h"
#include "pages/dest_prop_page.h"
#include "pages/percent_progress_ctrl.h"
#include "pages/throttle.h"
#include "pages/wizard_outcome.h"

class CCopyFilePropPage : public win::PropertyPage, private install::IInstallView {
public:
    // `dataFile`: the data file's name; `dest`: the page whose destination, system folder and version
    // class are copied when this page's window is made; `outcome`: the wizard, told how it ended.
    CCopyFilePropPage(const wchar_t* dataFile, const CDestPropPage& dest, pages::IWizardOutcome& outcome);

    win::RichEdit m_richEdit;
    std::wstring m_strLog;
    win::UniqueFont m_fontTitle;
    win::UniqueFont m_fontText;
    CPercentProgressCtrl m_ctlProgress;

    // The session is about to end: false, with a reason for the system's list, while files are
    // written.
    bool QueryEndSession();
    // The session ends: a copy under way stops and removes what it had begun before this returns.
    // True when one did: the setup then ends as failed.
    bool EndSession();

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    bool OnQueryCancel() override;
    bool OnWizardFinish() override;
    void OnTimer(UINT_PTR id) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR* result) override;
    HFONT FontFor(int controlId) override;

private:
    void AppendLog(const std::wstring& text) override;
    void AppendLogSoon(const std::wstring& text) override;
    void FlushLog() override;
    void SetProgress(int position) override;
    void Warn(UINT textId) override;
    void Finished(install::Outcome outcome) override;

    // The window thread's end of the installation.
    void OnWorkerEnded(install::Outcome outcome);
    void Complete(UINT lastLineId);

    // The worker's side: text for the log, kept until the window thread takes it.
    void Receive(const std::wstring& text);
    // The window thread's side: what arrived, added to m_strLog and shown.
    void ShowArrivedLog();
    // Shows m_strLog in the log control at 9.5 points, protected, selection collapsed.
    void RefreshLog();
    void FormatLog(LONG start);

    const wchar_t* dataFile_;
    const CDestPropPage& dest_;
    pages::IWizardOutcome& outcome_;
    bool ended_ = false;  // the worker has ended: closing the wizard is harmless now
    install::InstallJob job_;
    install::SessionEnd session_;
    // Ready before the worker starts: the worker's failure for lack of memory is told without any.
    std::wstring outOfMemoryText_, caption_;

    win::CriticalSection arrivedLock_;
    std::wstring arrived_;    // from the worker, not yet in m_strLog
    size_t shownLength_ = 0;  // how much of the log the control shows; the log only grows
    // The worker's own: whether and when it last asked for a showing.
    pages::Throttle logShowing_{50};
    // Last: joined before anything it uses goes.
    win::Thread worker_;
};
