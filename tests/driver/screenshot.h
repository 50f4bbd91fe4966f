#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace gui_driver {

// Saves what the screen shows in the window's rectangle as <KORVENTA_SHOTS>\<name>.bmp (message boxes in
// front of it included). Without KORVENTA_SHOTS nothing is saved.
testing::AssertionResult SaveScreenshot(HWND window, const std::string& name);

// A page that has just come up can be caught before its statics are painted: this has the whole window
// painted first, then takes the picture.
testing::AssertionResult SavePaintedScreenshot(HWND window, const std::string& name);

}  // namespace gui_driver
