#include "pages/license_prop_page.h"

#include "resources/agreement_texts.h"
#include "resources/resource.h"

CLicensePropPage::CLicensePropPage() : CAgreementPage(IDD_LICENSE, resources::LicenseText(), true) {}
