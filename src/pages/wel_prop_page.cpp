#include "pages/wel_prop_page.h"

#include "app/framework/fonts.h"
#include "app/framework/property_sheet.h"
#include "app/messages.h"
#include "resources/resource.h"

CWelPropPage::CWelPropPage()
    : win::PropertyPage(IDD_WELCOME),
      m_fontTitle(win::CreateBoldPointFont(160, win::JapaneseProportionalFace())),
      m_fontText(win::CreatePointFont(120, win::JapaneseProportionalFace())) {}

BOOL CWelPropPage::OnInitDialog() {
    const int statics[] = {IDC_TITLE, IDC_TEXT};
    ApplyStaticFonts(statics, 2);
    return TRUE;
}

bool CWelPropPage::OnSetActive() {
    HWND sheet = SheetHwnd();
    app::ShowButton(sheet, win::kBackButton, false);
    app::SetButtonText(sheet, win::kNextButton, IDS_BTN_NEXT_WELCOME);
    app::SetButtonText(sheet, win::kCancelButton, IDS_BTN_CANCEL);
    return true;
}

bool CWelPropPage::OnQueryCancel() { return app::ConfirmCancel(Hwnd()); }

HFONT CWelPropPage::FontFor(int controlId) {
    return controlId == IDC_TITLE ? m_fontTitle.Get() : m_fontText.Get();
}
