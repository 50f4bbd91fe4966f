#include "pages/copy_file_prop_page.h"

#include "framework/fonts.h"
#include "pages/page_face.h"
#include "framework/property_sheet.h"
#include "framework/wide.h"
#include "framework/message_box.h"
#include "pages/warnings.h"
#include "install/install_worker.h"
#include "framework/system_library.h"
#include "pages/dest_path_rules.h"
#include "resources/resource.h"

namespace {
constexpr UINT_PTR kStartTimer = 1;
constexpr UINT kStartDelayMs = 20;
// From the worker: log text has arrived. Posted, so that the worker never waits while the
// window thread lays out the log; sent where the log must be up to date before it goes on.
constexpr UINT kShowLog = WM_APP + 1;
// From the worker, its last act: it has ended, with the outcome in wParam.
constexpr UINT kWorkerEnded = WM_APP + 3;
constexpr LONG kLogTwips = 190;
}  // namespace

CCopyFilePropPage::CCopyFilePropPage(const wchar_t* dataFile, const CDestPropPage& dest, pages::IWizardOutcome& outcome)
    : win::PropertyPage(IDD_COPYFILE),
      m_fontTitle(win::CreateBoldPointFont(150, pages::JapaneseProportionalFace())),
      m_fontText(win::CreatePointFont(100, pages::JapaneseProportionalFace())),
      dataFile_(dataFile),
      dest_(dest),
      outcome_(outcome) {}

BOOL CCopyFilePropPage::OnInitDialog() {
    m_richEdit.Attach(Item(IDC_RICHEDIT));
    m_ctlProgress.SubclassDlgItem(Hwnd(), IDC_PROGRESS);
    m_richEdit.SetText(m_strLog);
    // A long installation writes more than the default 32K characters of log.
    ::SendMessageW(m_richEdit.Hwnd(), EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    const int statics[] = {IDC_TITLE, IDC_TEXT};
    ApplyStaticFonts(statics, 2);

    job_.view = this;
    job_.session = &session_;
    outOfMemoryText_ = win::LoadText(IDS_WORKER_FAILED);
    caption_ = win::LoadText(IDS_CAPTION);
    job_.target.dataFile = dataFile_;
    job_.target.osClass = dest_.m_nOsClass;
    job_.target.destFolder = dest_.m_strDestDir;  // trimmed as the edit was read
    job_.target.systemFolder = dest_.m_strSystemDir;

    m_richEdit.SetEventMask(ENM_PROTECTED);
    GuardRichEdit(m_richEdit);
    ::SetTimer(Hwnd(), kStartTimer, kStartDelayMs, nullptr);
    return TRUE;
}

bool CCopyFilePropPage::OnSetActive() {
    HWND sheet = SheetHwnd();
    ::PostMessageW(sheet, PSM_SETWIZBUTTONS, 0, PSWIZB_DISABLEDFINISH);
    win::SetButtonText(sheet, win::kFinishButton, IDS_BTN_NEXT_WELCOME);
    win::ShowButton(sheet, win::kCancelButton, false);
    win::ShowButton(sheet, win::kBackButton, false);
    return true;
}

void CCopyFilePropPage::OnTimer(UINT_PTR id) {
    // Killed before the worker starts: a second timer message cannot start a second one.
    ::KillTimer(Hwnd(), id);
    if (id != kStartTimer || worker_.Started()) return;
    if (!worker_.Start([this] { install::RunInstallation(job_); })) {
        pages::ShowWarning(Hwnd(), IDS_WORKER_FAILED);
        ended_ = true;
        outcome_.InstallFailed();
    }
}

bool CCopyFilePropPage::OnQueryCancel() {
    // Nothing may interrupt the worker; once it has finished or failed, closing is harmless.
    return ended_;
}

bool CCopyFilePropPage::OnWizardFinish() {
    outcome_.Finished();
    return true;
}

bool CCopyFilePropPage::OnMessage(UINT msg, WPARAM wp, LPARAM, INT_PTR* result) {
    if (msg == kShowLog) {
        ShowArrivedLog();
    } else if (msg == kWorkerEnded) {
        OnWorkerEnded(static_cast<install::Outcome>(wp));
    } else {
        return false;
    }
    *result = 0;
    return true;
}

void CCopyFilePropPage::Finished(install::Outcome outcome) {
    ::PostMessageW(Hwnd(), kWorkerEnded, static_cast<WPARAM>(outcome), 0);
}

void CCopyFilePropPage::OnWorkerEnded(install::Outcome outcome) {
    worker_.Join();  // its last act was the message that brought us here
    ended_ = true;
    using ShutdownBlockReasonDestroyFn = BOOL(WINAPI*)(HWND);
    if (auto destroy = win::GetProc<ShutdownBlockReasonDestroyFn>(::GetModuleHandleW(L"user32.dll"), "ShutdownBlockReasonDestroy"))
        destroy(SheetHwnd());
    switch (outcome) {
    case install::Outcome::Completed: Complete(IDS_LOG_SUCCESS); return;
    case install::Outcome::ShortcutsFailed: Complete(IDS_LOG_SHORTCUT_FAILED); return;
    case install::Outcome::OutOfMemory:
        ::MessageBoxW(Hwnd(), outOfMemoryText_.c_str(), caption_.c_str(), MB_ICONWARNING | MB_OK);
        break;
    case install::Outcome::Failed: break;
    }
    outcome_.InstallFailed();
}

bool CCopyFilePropPage::QueryEndSession() {
    if (!session_.WritingNow()) return true;
    // Looked up: Windows before Vista has no list of the programs that hold the session up.
    using ShutdownBlockReasonCreateFn = BOOL(WINAPI*)(HWND, LPCWSTR);
    if (auto create = win::GetProc<ShutdownBlockReasonCreateFn>(::GetModuleHandleW(L"user32.dll"), "ShutdownBlockReasonCreate"))
        create(SheetHwnd(), win::LoadText(IDS_SHUTDOWN_REASON).c_str());
    return false;
}

bool CCopyFilePropPage::EndSession() {
    if (!session_.WritingNow()) return false;
    session_.Stop();
    // The worker may be sending to this thread (the log) meanwhile, so the wait handles that.
    worker_.WaitPumping(session_.LeftEvent());
    return true;
}

void CCopyFilePropPage::Receive(const std::wstring& text) {
    win::Lock lock(arrivedLock_);
    arrived_ += text;
}

void CCopyFilePropPage::ShowArrivedLog() {
    std::wstring added;
    {
        win::Lock lock(arrivedLock_);
        added.swap(arrived_);
    }
    if (added.empty()) return;  // an earlier message showed it already
    m_strLog += added;
    RefreshLog();
}

void CCopyFilePropPage::AppendLog(const std::wstring& text) {
    Receive(text);
    ::PostMessageW(Hwnd(), kShowLog, 0, 0);
}

void CCopyFilePropPage::AppendLogSoon(const std::wstring& text) {
    Receive(text);
    // Laying out and painting the control costs far more than writing a small file:
    // show the log at most every 50 ms and let FlushLog catch up.
    const DWORD now = ::GetTickCount();
    if (logShowing_.Wait(now) == 0) {
        ::PostMessageW(Hwnd(), kShowLog, 0, 0);
        logShowing_.Mark(now);
    }
}

void CCopyFilePropPage::FlushLog() {
    // Sent even with nothing pending: a posted showing may not have happened yet.
    ::SendMessageW(Hwnd(), kShowLog, 0, 0);
}

void CCopyFilePropPage::SetProgress(int position) { m_ctlProgress.SetPos(position); }

void CCopyFilePropPage::Warn(UINT textId) {
    FlushLog();  // the log shows the line of the step that failed
    pages::ShowWarning(Hwnd(), textId);
}

void CCopyFilePropPage::RefreshLog() {
    // The log only grows: append what the control does not show yet and format just that,
    // instead of replacing and re-laying out the whole text for every file. Every part is
    // protected as it arrives (the control is read-only anyway), so that completion need
    // not reformat the whole log while the user waits.
    if (shownLength_ > 0 && m_strLog.size() >= shownLength_) {
        GETTEXTLENGTHEX query{GTL_NUMCHARS | GTL_PRECISE, 1200};
        LONG end = static_cast<LONG>(::SendMessageW(m_richEdit.Hwnd(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0));
        m_richEdit.SetSel(end, end);
        m_richEdit.ReplaceSelection(m_strLog.substr(shownLength_));
        FormatLog(end);
    } else {
        m_richEdit.SetText(m_strLog);
        FormatLog(0);
    }
    shownLength_ = m_strLog.size();
}

void CCopyFilePropPage::FormatLog(LONG start) {
    // The log's display format: 9.5 points, protected, selection collapsed at the end.
    m_richEdit.SetSel(start, -1);
    CHARFORMATW cf{};
    cf.cbSize = sizeof(cf);
    m_richEdit.GetSelectionCharFormat(cf);
    cf.dwMask = CFM_SIZE | CFM_PROTECTED;
    cf.yHeight = kLogTwips;
    cf.dwEffects = CFE_PROTECTED;
    m_richEdit.SetSelectionCharFormat(cf);
    m_richEdit.SetSel(-1, -1);
}

void CCopyFilePropPage::Complete(UINT lastLineId) {
    Receive(win::LoadText(lastLineId));
    ShowArrivedLog();
    ::SetWindowTextW(Item(IDC_TITLE), win::LoadText(IDS_TITLE_COMPLETE).c_str());
    ::SetWindowTextW(Item(IDC_TEXT), L"");
    outcome_.InstallCompleted();
    ::EnableWindow(SheetButton(win::kFinishButton), TRUE);
}

HFONT CCopyFilePropPage::FontFor(int controlId) { return pages::TitleOrTextFont(controlId, m_fontTitle.Get(), m_fontText.Get()); }
