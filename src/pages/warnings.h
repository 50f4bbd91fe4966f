// The setup's own message boxes, shared by the pages and the start-up.
#pragma once

#include <windows.h>

namespace pages {

// The error box: caption "KORVENTA ｾｯﾄｱｯﾌﾟ", warning icon, OK.
void ShowWarning(HWND owner, UINT textId);
// The shared cancel confirmation of the first four pages; true when the wizard may close.
bool ConfirmCancel(HWND owner);

}  // namespace pages
