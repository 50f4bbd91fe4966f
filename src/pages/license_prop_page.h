#pragma once

#include "pages/agreement_page.h"

// The software licence agreement, with the hanging indent of its numbered clauses.
class CLicensePropPage : public CAgreementPage {
public:
    CLicensePropPage();
};
