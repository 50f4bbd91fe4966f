#include "app/setup_prop_sheet.h"

#include "app/exit_codes.h"
#include "resources/resource.h"

CSetupPropSheet::CSetupPropSheet(const std::wstring& caption, HWND parent, UINT startPage, const wchar_t* dataFile)
    : win::PropertySheet(caption, parent, startPage), m_copyFilePage(dataFile, m_destPage, *this), m_destPage(dataFile) {
    AddPage(m_welPage);
    AddPage(m_licensePage);
    AddPage(m_cprtPage);
    AddPage(m_destPage);
    AddPage(m_copyFilePage);
}

INT_PTR CSetupPropSheet::DoModal() {
    SetIcon(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SETUP)));
    return win::PropertySheet::DoModal();
}

void CSetupPropSheet::InstallFailed() {
    installFailed_ = true;
    ::PostMessageW(Hwnd(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

void CSetupPropSheet::OnCreated() {
    // A minimise box and a taskbar button of its own, although its owner is hidden.
    HWND hwnd = Hwnd();
    ::SetWindowLongPtrW(hwnd, GWL_STYLE, ::GetWindowLongPtrW(hwnd, GWL_STYLE) | WS_MINIMIZEBOX);
    ::SetWindowLongPtrW(hwnd, GWL_EXSTYLE, ::GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | WS_EX_APPWINDOW);
    ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool CSetupPropSheet::OnSheetMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
    if (msg == WM_QUERYENDSESSION) {
        *result = m_copyFilePage.QueryEndSession();
        return true;
    }
    if (msg == WM_ENDSESSION) {
        // The system ends the process once this returns; a copy that was stopped has removed its
        // files by then, and the installation has failed.
        if (wp && m_copyFilePage.EndSession()) ::ExitProcess(kExitFailed);
        *result = 0;
        return true;
    }
    if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_CLOSE) {
        // One cancel query per close request: the sheet's own handling would ask twice.
        // The destination page greys the close box for the rest of the run: then the
        // command does nothing, from the box, from Alt+F4 or posted.
        UINT state = ::GetMenuState(::GetSystemMenu(Hwnd(), FALSE), SC_CLOSE, MF_BYCOMMAND);
        bool disabled = state != static_cast<UINT>(-1) && (state & (MF_DISABLED | MF_GRAYED));
        if (!disabled) ::PostMessageW(Hwnd(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        *result = 0;
        return true;
    }
    return false;
}
