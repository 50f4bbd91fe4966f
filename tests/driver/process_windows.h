#pragma once

#include <windows.h>

#include <vector>

namespace gui_driver {

// Top-level windows of one process, visible or not, in z-order.
std::vector<HWND> TopLevelWindows(DWORD processId);
std::vector<HWND> VisibleTopLevelWindows(DWORD processId);

// A dialog window (class #32770).
bool IsDialog(HWND window);

}  // namespace gui_driver
