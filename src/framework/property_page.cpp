#include "framework/property_page.h"

namespace win {

PropertyPage::PropertyPage(UINT templateId) : templateId_(templateId) {}

PROPSHEETPAGEW PropertyPage::PageInfo() {
    PROPSHEETPAGEW psp{};
    psp.dwSize = sizeof(psp);
    psp.dwFlags = PSP_DEFAULT;
    psp.hInstance = ::GetModuleHandleW(nullptr);
    psp.pszTemplate = MAKEINTRESOURCEW(templateId_);
    psp.pfnDlgProc = &PropertyPage::DialogProc;
    psp.lParam = reinterpret_cast<LPARAM>(this);
    return psp;
}

bool PropertyPage::OnCommand(WORD, WORD, HWND) { return false; }
bool PropertyPage::OnMessage(UINT, WPARAM, LPARAM, INT_PTR*) { return false; }

void PropertyPage::ApplyStaticFonts(const int* ids, int count) {
    for (int i = 0; i < count; ++i) {
        if (HFONT font = FontFor(ids[i])) ::SendMessageW(Item(ids[i]), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

INT_PTR PropertyPage::Answer(LRESULT result) {
    // A dialog procedure hands notification results back through DWLP_MSGRESULT.
    ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CALLBACK PropertyPage::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    PropertyPage* page = nullptr;
    if (msg == WM_INITDIALOG) {
        page = reinterpret_cast<PropertyPage*>(reinterpret_cast<PROPSHEETPAGEW*>(lp)->lParam);
        ::SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
        page->hwnd_ = hwnd;
    } else {
        page = reinterpret_cast<PropertyPage*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!page) return FALSE;  // nothing reaches the object before WM_INITDIALOG
    try {
        return page->Dispatch(msg, wp, lp);
    } catch (...) {
        // Exceptions must not unwind through the system's frames.
        return FALSE;
    }
}

INT_PTR PropertyPage::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)) ? TRUE : FALSE;
    case WM_TIMER:
        OnTimer(wp);
        return TRUE;
    case WM_CLOSE:
        // Esc in a multi-line edit closes the page, not the sheet: treat it as Cancel.
        ::PostMessageW(SheetHwnd(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        return TRUE;
    case WM_CTLCOLORSTATIC: {
        HFONT font = FontFor(::GetDlgCtrlID(reinterpret_cast<HWND>(lp)));
        if (font) ::SelectObject(reinterpret_cast<HDC>(wp), font);
        return FALSE;  // colours and brush stay the dialog manager's
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lp);
        if (header->hwndFrom == SheetHwnd()) {
            switch (header->code) {
            case PSN_SETACTIVE: return Answer(OnSetActive() ? 0 : -1);
            case PSN_KILLACTIVE: return Answer(OnKillActive() ? FALSE : TRUE);
            case PSN_WIZNEXT: return Answer(OnWizardNext());
            case PSN_WIZBACK: return Answer(OnWizardBack());
            case PSN_WIZFINISH: return Answer(OnWizardFinish() ? FALSE : TRUE);
            case PSN_QUERYCANCEL: return Answer(OnQueryCancel() ? FALSE : TRUE);
            default: return FALSE;
            }
        }
        if (header->code == EN_PROTECTED && guardedEdit_ && header->hwndFrom == guardedEdit_->Hwnd())
            return Answer(guardedEdit_->ProtectedAnswer());
        return FALSE;
    }
    default: {
        INT_PTR result = FALSE;
        return OnMessage(msg, wp, lp, &result) ? result : FALSE;
    }
    }
}

}  // namespace win
