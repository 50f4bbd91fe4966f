// The welcome page: a title, one paragraph, Next and Cancel.
#pragma once

#include "framework/handles.h"
#include "framework/property_page.h"

class CWelPropPage : public win::PropertyPage {
public:
    CWelPropPage();

    win::UniqueFont m_fontTitle;
    win::UniqueFont m_fontText;

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    bool OnQueryCancel() override;
    HFONT FontFor(int controlId) override;
};
