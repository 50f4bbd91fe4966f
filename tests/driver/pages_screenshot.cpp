#include "driver/pages_screenshot.h"

#include "driver/screenshot.h"

namespace gui_driver {

namespace {

// What Wine's X11 driver still needs to put the painted window on screen.
constexpr DWORD kPresentDelayMs = 200;

}  // namespace

testing::AssertionResult SavePaintedScreenshot(HWND window, const std::string& name) {
  // Painting another thread's windows now is done by sending them WM_PAINT, so this waits for it.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(kPresentDelayMs);
  return SaveScreenshot(window, std::wstring(name.begin(), name.end()));
}

}  // namespace gui_driver
