#pragma once

#include <windows.h>

#include <gtest/gtest.h>

namespace gui_driver {

// Brings the control's window to the front and gives it the keyboard focus, as a click into it would.
testing::AssertionResult FocusControl(HWND control);

// The control that has the keyboard focus in the thread that owns `window`.
HWND FocusedControl(HWND window);

// Presses and releases one key on the keyboard, which goes to the focused control of the window in front.
// `expectedFocus` must have the focus then, so the key cannot land somewhere else unnoticed.
testing::AssertionResult PressKey(HWND expectedFocus, WORD virtualKey);

}  // namespace gui_driver
