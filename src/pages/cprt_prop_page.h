#pragma once

#include "pages/agreement_page.h"

// The copyright notice.
class CCprtPropPage : public CAgreementPage {
public:
    CCprtPropPage();
};
