// Message boxes centred on the screen, with texts from the string table, and the wizard buttons' captions.
#pragma once

#include <windows.h>

namespace win {

// A message box centred on the screen, texts from the string table; returns the button pressed.
int ShowMessageBox(HWND owner, UINT textId, UINT captionId, UINT type);
// Sets a wizard button's caption from the string table.
void SetButtonText(HWND sheet, int buttonId, UINT textId);
void ShowButton(HWND sheet, int buttonId, bool show);

}  // namespace win
