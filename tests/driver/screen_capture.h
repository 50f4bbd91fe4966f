#pragma once

#include <windows.h>

#include <optional>
#include <vector>

namespace gui_driver {

// What the screen shows in a rectangle, message boxes and other windows in front included.
struct ScreenPixels {
  int width = 0;
  int height = 0;
  std::vector<DWORD> pixels;  // top row first, each 0x00RRGGBB

  DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

std::optional<ScreenPixels> CaptureScreen(const RECT& rect);

// A COLORREF (0x00BBGGRR) as a captured pixel.
DWORD PixelOf(COLORREF colour);

}  // namespace gui_driver
