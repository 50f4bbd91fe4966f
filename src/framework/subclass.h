// Subclassing through the window procedure itself: comctl32's subclass helpers are exported by
// name only from Windows XP on, and comctl32 is not imported statically (common_controls.h).
#pragma once

#include <windows.h>

namespace win {

// Handles every message of a subclassed window; calls CallOriginal for what it does not handle.
using SubclassProc = LRESULT (*)(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, void* data);

// One subclass per window. It ends by itself when the window is destroyed.
bool Subclass(HWND hwnd, SubclassProc proc, void* data);
// Restores the window's own procedure (before the window goes away); harmless when not subclassed.
void Unsubclass(HWND hwnd);
// The window's own procedure, for the messages the subclass passes on.
LRESULT CallOriginal(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace win
