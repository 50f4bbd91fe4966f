#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "driver/wait_for.h"

namespace gui_driver {

// A message box of the program under test: a visible top-level dialog of its process that is not the
// wizard. Buttons are answered by id; their captions depend on the locale.
class MessageBoxWindow {
 public:
  explicit MessageBoxWindow(HWND box) : box_(box) {}

  HWND Handle() const { return box_; }
  bool Exists() const { return IsWindow(box_) != FALSE; }
  std::wstring Caption() const;
  std::wstring Text() const;
  // A box without an icon still has the icon static, only with no icon set in it.
  bool HasIcon() const;
  // Ids of the shown buttons (IDOK, IDCANCEL, IDYES, IDNO, ...), in ascending order.
  std::vector<int> Buttons() const;
  HWND Owner() const { return GetWindow(box_, GW_OWNER); }
  // Centred on the screen's work area (to a pixel), whatever its owner.
  testing::AssertionResult CentredOnScreen() const;
  // Presses the button and waits until the box has closed: a closing box is still found as a message box
  // for a moment, which a check for "no message box" that follows at once would take for a new one.
  testing::AssertionResult Answer(int buttonId) const;

 private:
  HWND box_;
};

std::vector<MessageBoxWindow> FindMessageBoxes(DWORD processId);
std::optional<MessageBoxWindow> WaitForMessageBox(DWORD processId, Millis timeout = kDefaultTimeout);

// True when no message box of the process comes up within `period`.
testing::AssertionResult NoMessageBoxWithin(DWORD processId, Millis period);

}  // namespace gui_driver
