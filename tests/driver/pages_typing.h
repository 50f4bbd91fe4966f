#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

namespace gui_driver {

// Types `text` on the keyboard, one character at a time, into `expectedFocus`, which must have the focus.
testing::AssertionResult TypeText(HWND expectedFocus, const std::wstring& text);

// Holds the keys down in order and releases them in reverse, as for Ctrl+V or Alt+F4.
testing::AssertionResult PressChord(HWND expectedFocus, std::initializer_list<WORD> keys);

// Leaves `text` on the clipboard, as a copy in another program would.
testing::AssertionResult PutOnClipboard(const std::wstring& text);

// Start and end of an edit control's selection (read without pointers, so it works across processes).
std::pair<DWORD, DWORD> EditSelection(HWND edit);

}  // namespace gui_driver
