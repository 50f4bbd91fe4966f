#include "framework/property_sheet.h"

#include "framework/common_controls.h"
#include "framework/subclass.h"

namespace win {

namespace {
// The sheet callback carries no user data; only one modal sheet runs at a time.
PropertySheet* g_creating = nullptr;
}  // namespace

PropertySheet::PropertySheet(std::wstring caption, HWND parent, UINT startPage)
    : caption_(std::move(caption)), parent_(parent), startPage_(startPage) {}

INT_PTR PropertySheet::DoModal() {
    std::vector<HPROPSHEETPAGE> handles;
    for (PropertyPage* page : pages_) {
        PROPSHEETPAGEW psp = page->PageInfo();
        HPROPSHEETPAGE h = Comctl().CreatePropertySheetPageW(&psp);
        if (!h) {
            for (HPROPSHEETPAGE made : handles) Comctl().DestroyPropertySheetPage(made);
            return -1;
        }
        handles.push_back(h);
    }
    PROPSHEETHEADERW psh{};
    psh.dwSize = sizeof(psh);
    psh.dwFlags = flags_ | PSH_USECALLBACK | PSH_NOAPPLYNOW | (icon_ ? PSH_USEHICON : 0);
    psh.hwndParent = parent_;
    psh.hInstance = ::GetModuleHandleW(nullptr);
    psh.hIcon = icon_;
    psh.pszCaption = caption_.c_str();
    psh.nPages = static_cast<UINT>(handles.size());
    psh.nStartPage = startPage_;
    psh.phpage = handles.data();
    psh.pfnCallback = &PropertySheet::SheetCallback;
    g_creating = this;
    finished_ = false;
    INT_PTR r = Comctl().PropertySheetW(&psh);
    g_creating = nullptr;
    hwnd_ = nullptr;
    if (r < 0) return -1;
    return finished_ ? kFinishButton : IDCANCEL;
}

bool PropertySheet::OnSheetMessage(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

int CALLBACK PropertySheet::SheetCallback(HWND hwnd, UINT msg, LPARAM) {
    if (msg == PSCB_INITIALIZED && g_creating) {
        PropertySheet* sheet = g_creating;
        sheet->hwnd_ = hwnd;
        Subclass(hwnd, &PropertySheet::SheetProc, sheet);
        try {
            sheet->OnCreated();
        } catch (...) {  // nothing may unwind into the system's frames
        }
    }
    return 0;
}

LRESULT PropertySheet::SheetProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, void* data) {
    auto* sheet = static_cast<PropertySheet*>(data);
    LRESULT result = 0;
    if (sheet->OnSheetMessage(msg, wp, lp, &result)) return result;
    return CallOriginal(hwnd, msg, wp, lp);
}

}  // namespace win
