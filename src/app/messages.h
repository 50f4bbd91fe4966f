// Message boxes of the setup: every text and caption comes from the string table.
#pragma once

#include <windows.h>

namespace app {

// A message box centred on the screen, texts from the string table; returns the button pressed.
int ShowMessageBox(HWND owner, UINT textId, UINT captionId, UINT type);
// The error box: caption "KORVENTA ｾｯﾄｱｯﾌﾟ", warning icon, OK.
void ShowWarning(HWND owner, UINT textId);
// The shared cancel confirmation of the first four pages; true when the wizard may close.
bool ConfirmCancel(HWND owner);
// Sets a wizard button's caption from the string table.
void SetButtonText(HWND sheet, int buttonId, UINT textId);
void ShowButton(HWND sheet, int buttonId, bool show);

}  // namespace app
