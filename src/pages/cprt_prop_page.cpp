#include "pages/cprt_prop_page.h"

#include "resources/agreement_texts.h"
#include "resources/resource.h"

CCprtPropPage::CCprtPropPage() : CAgreementPage(IDD_COPYRIGHT, resources::CopyrightText(), false) {}
