#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace gui_driver {

// A screenshot of a page that has just come up can catch it before its statics are painted: have the
// whole window painted first, then take the picture (see SaveScreenshot).
testing::AssertionResult SavePaintedScreenshot(HWND window, const std::string& name);

}  // namespace gui_driver
