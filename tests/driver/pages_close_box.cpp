#include "driver/pages_close_box.h"

#include "driver/screen_capture.h"

namespace gui_driver {

namespace {

constexpr UINT kMessageTimeoutMs = 5000;
constexpr int kFrameWidth = 2;  // the raised edge around a caption button
constexpr int kBlackLimit = 0x30;

LRESULT HitTest(HWND window, int x, int y) {
  DWORD_PTR hit = HTNOWHERE;
  SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_NORMAL, kMessageTimeoutMs, &hit);
  return static_cast<LRESULT>(hit);
}

}  // namespace

std::optional<RECT> CloseBoxRect(HWND window) {
  RECT frame = {};
  if (!GetWindowRect(window, &frame)) return std::nullopt;
  // Walk leftwards along the title bar until the box is found and left again.
  const int captionBottom = frame.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION);
  for (int y = frame.top + 1; y < captionBottom; y += 2) {
    int right = -1;
    int left = -1;
    for (int x = frame.right - 1; x > frame.left; --x) {
      const bool onBox = HitTest(window, x, y) == HTCLOSE;
      if (onBox && right < 0) right = x;
      if (!onBox && right >= 0) {
        left = x + 1;
        break;
      }
    }
    if (right < 0 || left < 0) continue;
    const int middle = (left + right) / 2;
    int top = y;
    while (top > frame.top && HitTest(window, middle, top - 1) == HTCLOSE) --top;
    int bottom = y;
    while (bottom < captionBottom && HitTest(window, middle, bottom + 1) == HTCLOSE) ++bottom;
    return RECT{left, top, right + 1, bottom + 1};
  }
  return std::nullopt;
}

int BlackGlyphPixels(const RECT& box) {
  const RECT inside = {box.left + kFrameWidth, box.top + kFrameWidth, box.right - kFrameWidth,
                       box.bottom - kFrameWidth};
  const auto captured = CaptureScreen(inside);
  if (!captured) return -1;
  int black = 0;
  for (DWORD pixel : captured->pixels) {
    const DWORD r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    if (r < kBlackLimit && g < kBlackLimit && b < kBlackLimit) ++black;
  }
  return black;
}

POINT Centre(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

testing::AssertionResult ClickAt(POINT point) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) input.type = INPUT_MOUSE;
  // Absolute coordinates run from 0 to 65535 over the screen; aim at the pixel's middle.
  inputs[0].mi.dx = MulDiv(2 * point.x + 1, 32768, width);
  inputs[0].mi.dy = MulDiv(2 * point.y + 1, 32768, height);
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  if (SendInput(3, inputs, sizeof(INPUT)) != 3) {
    return testing::AssertionFailure() << "SendInput failed, error " << GetLastError();
  }
  return testing::AssertionSuccess();
}

}  // namespace gui_driver
