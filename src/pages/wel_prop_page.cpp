#include "pages/wel_prop_page.h"

#include "framework/fonts.h"
#include "pages/page_face.h"
#include "framework/property_sheet.h"
#include "framework/message_box.h"
#include "pages/warnings.h"
#include "resources/resource.h"

CWelPropPage::CWelPropPage()
    : win::PropertyPage(IDD_WELCOME),
      m_fontTitle(win::CreateBoldPointFont(160, pages::JapaneseProportionalFace())),
      m_fontText(win::CreatePointFont(120, pages::JapaneseProportionalFace())) {}

BOOL CWelPropPage::OnInitDialog() {
    const int statics[] = {IDC_TITLE, IDC_TEXT};
    ApplyStaticFonts(statics, 2);
    return TRUE;
}

bool CWelPropPage::OnSetActive() {
    HWND sheet = SheetHwnd();
    win::ShowButton(sheet, win::kBackButton, false);
    win::SetButtonText(sheet, win::kNextButton, IDS_BTN_NEXT_WELCOME);
    win::SetButtonText(sheet, win::kCancelButton, IDS_BTN_CANCEL);
    return true;
}

bool CWelPropPage::OnQueryCancel() { return pages::ConfirmCancel(Hwnd()); }

HFONT CWelPropPage::FontFor(int controlId) {
    return controlId == IDC_TITLE ? m_fontTitle.Get() : m_fontText.Get();
}
