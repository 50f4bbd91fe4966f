#include "pages/agreement_page.h"

#include <cstring>

#include "framework/fonts.h"
#include "pages/page_face.h"
#include "framework/property_sheet.h"
#include "framework/wide.h"
#include "framework/message_box.h"
#include "pages/warnings.h"
#include "resources/resource.h"

namespace {
constexpr DWORD kReadOnlyOptions = ECO_READONLY | ECO_WANTRETURN | ECO_AUTOWORDSELECTION;  // 0x1801
constexpr DWORD kFocusedOptions = kReadOnlyOptions | ECO_AUTOVSCROLL;                       // 0x1841
constexpr LONG kClauseIndentTwips = 200;
// The preamble and the body of article 2 end in these CRs; they wrap without indent.
constexpr int kUnindentedCr1 = 3;
constexpr int kUnindentedCr2 = 12;
}  // namespace

CAgreementPage::CAgreementPage(UINT templateId, std::u16string document, bool indentClauses)
    : win::PropertyPage(templateId),
      m_fontTitle(win::CreateBoldPointFont(150, pages::JapaneseProportionalFace())),
      m_fontText(win::CreatePointFont(100, pages::JapaneseProportionalFace())),
      document_(std::move(document)),
      indentClauses_(indentClauses) {}

BOOL CAgreementPage::OnInitDialog() {
    m_richEdit.Attach(Item(IDC_RICHEDIT));
    const int statics[] = {IDC_TITLE, IDC_TEXT};
    ApplyStaticFonts(statics, 2);
    SetDefaultCharFormat();
    LoadAgreementText();
    if (indentClauses_) IndentClauses();
    m_richEdit.SetOptions(kReadOnlyOptions);
    // Switched on only now, after the text is loaded and formatted: the document stays as it is.
    m_richEdit.SetEventMask(ENM_PROTECTED);
    GuardRichEdit(m_richEdit);
    return TRUE;
}

void CAgreementPage::SetDefaultCharFormat() {
    CHARFORMATA cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_SIZE | CFM_FACE | CFM_PROTECTED;
    cf.dwEffects = CFE_PROTECTED;
    cf.yHeight = 200;
    cf.bPitchAndFamily = FF_MODERN | VARIABLE_PITCH;
    // The 8-bit record takes the face in the Japanese code page.
    ::WideCharToMultiByte(932, 0, pages::JapaneseProportionalFace().c_str(), -1, cf.szFaceName, LF_FACESIZE - 1, nullptr,
                          nullptr);
    m_richEdit.SetDefaultCharFormat(cf);
}

void CAgreementPage::LoadAgreementText() {
    m_strText = win::ToWide(document_);
    m_arrText.push_back(m_strText);
    m_richEdit.SetText(m_strText);
}

void CAgreementPage::IndentClauses() {
    PARAFORMAT pf{};
    pf.cbSize = sizeof(pf);
    pf.dwMask = PFM_OFFSET;
    pf.dxOffset = kClauseIndentTwips;
    LONG offset = 0;
    int crNumber = 0;
    for (const std::wstring& block : m_arrText) {
        std::wstring work = block;  // handled CRs are overwritten here, not in the control
        for (size_t pos = work.find(L'\r'); pos != std::wstring::npos; pos = work.find(L'\r')) {
            ++crNumber;
            work[pos] = L' ';
            if (crNumber == kUnindentedCr1 || crNumber == kUnindentedCr2) continue;
            LONG at = offset + static_cast<LONG>(pos);
            m_richEdit.SetSel(at, at);
            m_richEdit.SetParaFormat(pf);
        }
        offset += static_cast<LONG>(block.size());
    }
}

bool CAgreementPage::OnSetActive() {
    HWND sheet = SheetHwnd();
    win::ShowButton(sheet, win::kBackButton, true);
    win::SetButtonText(sheet, win::kBackButton, IDS_BTN_BACK);
    win::SetButtonText(sheet, win::kNextButton, IDS_BTN_YES);
    win::SetButtonText(sheet, win::kCancelButton, IDS_BTN_NO);
    m_nFocusCount = -1;
    return true;
}

bool CAgreementPage::OnQueryCancel() { return pages::ConfirmCancel(Hwnd()); }

bool CAgreementPage::OnCommand(WORD id, WORD code, HWND) {
    if (id != IDC_RICHEDIT) return false;
    if (code == EN_SETFOCUS) {
        OnDocumentFocus();
        return true;
    }
    if (code == EN_KILLFOCUS) {
        m_richEdit.SetOptions(kReadOnlyOptions);
        return true;
    }
    return false;
}

void CAgreementPage::OnDocumentFocus() {
    if (++m_nFocusCount == 0) {
        m_richEdit.SetOptions(kFocusedOptions);
        m_richEdit.SetSel(0, 0);
    } else {
        // The caret goes into the visible part, so the view does not move.
        LONG start = m_richEdit.LineIndex(m_richEdit.FirstVisibleLine());
        m_richEdit.SetSel(start, start);
        m_richEdit.SetOptions(kFocusedOptions);
    }
}

HFONT CAgreementPage::FontFor(int controlId) { return pages::TitleOrTextFont(controlId, m_fontTitle.Get(), m_fontText.Get()); }
