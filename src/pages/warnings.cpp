#include "pages/warnings.h"

#include "framework/message_box.h"
#include "resources/resource.h"

namespace pages {

void ShowWarning(HWND owner, UINT textId) { win::ShowMessageBox(owner, textId, IDS_CAPTION, MB_ICONWARNING | MB_OK); }

bool ConfirmCancel(HWND owner) {
    const int answer = win::ShowMessageBox(owner, IDS_CANCEL_QUESTION, IDS_CANCEL_CAPTION, MB_ICONWARNING | MB_YESNO);
    // Only an explicit Yes ends the setup: Esc closes a Yes/No box with IDCANCEL on some
    // systems, and that must not throw the installation away.
    return answer == IDYES;
}

}  // namespace pages
