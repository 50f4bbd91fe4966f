// A page that shows a document the user accepts with Yes or refuses with No.
#pragma once

#include <string>
#include <vector>

#include "framework/handles.h"
#include "framework/property_page.h"
#include "framework/rich_edit.h"

class CAgreementPage : public win::PropertyPage {
public:
    CAgreementPage(UINT templateId, std::u16string document, bool indentClauses);

    win::RichEdit m_richEdit;
    std::wstring m_strText;
    std::vector<std::wstring> m_arrText;
    int m_nFocusCount = -1;
    win::UniqueFont m_fontTitle;
    win::UniqueFont m_fontText;

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    bool OnQueryCancel() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    HFONT FontFor(int controlId) override;

private:
    void SetDefaultCharFormat();
    void LoadAgreementText();
    void IndentClauses();
    void OnDocumentFocus();

    std::u16string document_;
    bool indentClauses_;
};
