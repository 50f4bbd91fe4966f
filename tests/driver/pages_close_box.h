#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

namespace gui_driver {

// The close box of a window's title bar, in screen coordinates, found where the window itself answers
// HTCLOSE (another process cannot read its system menu).
std::optional<RECT> CloseBoxRect(HWND window);

// Screen pixels inside the box (its raised frame left out) that are drawn black. An enabled close box
// draws its cross in the button text colour; a greyed one draws it in shadow grey and white.
int BlackGlyphPixels(const RECT& box);

// A left click at a point of the screen, as a person makes it with the mouse.
testing::AssertionResult ClickAt(POINT point);

POINT Centre(const RECT& rect);

}  // namespace gui_driver
