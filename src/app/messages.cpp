#include "app/messages.h"

#include "app/framework/wide.h"
#include "resources/resource.h"

namespace app {

void ShowWarning(HWND owner, UINT textId) {
    ::MessageBoxW(owner, win::LoadText(textId).c_str(), win::LoadText(IDS_CAPTION).c_str(), MB_ICONWARNING | MB_OK);
}

bool ConfirmCancel(HWND owner) {
    int answer = ::MessageBoxW(owner, win::LoadText(IDS_CANCEL_QUESTION).c_str(),
                               win::LoadText(IDS_CANCEL_CAPTION).c_str(), MB_ICONWARNING | MB_YESNO);
    // Only an explicit Yes ends the setup: Esc closes a Yes/No box with IDCANCEL on some
    // systems, and that must not throw the installation away.
    return answer == IDYES;
}

void SetButtonText(HWND sheet, int buttonId, UINT textId) {
    ::SetWindowTextW(::GetDlgItem(sheet, buttonId), win::LoadText(textId).c_str());
}

void ShowButton(HWND sheet, int buttonId, bool show) {
    ::ShowWindow(::GetDlgItem(sheet, buttonId), show ? SW_SHOW : SW_HIDE);
}

}  // namespace app
