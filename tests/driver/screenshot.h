#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace gui_driver {

// Saves what the screen shows in the window's rectangle as <KORVENTA_SHOTS>\<name>.bmp (message boxes in
// front of it included). Without KORVENTA_SHOTS nothing is saved.
testing::AssertionResult SaveScreenshot(HWND window, const std::wstring& name);

}  // namespace gui_driver
