#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "driver/wait_for.h"

namespace gui_driver {

// The sheet's buttons, addressed by control id as a person addresses them by sight.
enum class WizardButton : int { Back = 12323, Next = 12324, Finish = 12325, Cancel = IDCANCEL };

struct ButtonState {
  bool exists = false;
  bool visible = false;
  bool enabled = false;
  std::wstring caption;
};

// The wizard: the process's top-level dialog with a Next button (found by its parts, not its caption,
// which changes with the active page).
class Wizard {
 public:
  explicit Wizard(HWND sheet) : sheet_(sheet) {}

  HWND Handle() const { return sheet_; }
  bool Exists() const { return IsWindow(sheet_) != FALSE; }
  std::wstring Caption() const;
  LONG_PTR Style() const { return GetWindowLongPtrW(sheet_, GWL_STYLE); }
  LONG_PTR ExStyle() const { return GetWindowLongPtrW(sheet_, GWL_EXSTYLE); }

  ButtonState Button(WizardButton button) const;
  // A person can press only what is shown and enabled; anything else fails the test.
  testing::AssertionResult Press(WizardButton button) const;

  HWND CurrentPage() const;
  HWND PageControl(int id) const;
  // The active page's title line (static 1018), which tells the pages apart.
  std::wstring PageTitle() const;
  // Captions, visibility and enabled state of the four buttons, for failure messages.
  std::string DescribeButtons() const;

 private:
  HWND sheet_;
};

std::optional<Wizard> FindWizard(DWORD processId);
// Waits until the wizard is on screen.
std::optional<Wizard> WaitForWizard(DWORD processId, Millis timeout = kDefaultTimeout);

}  // namespace gui_driver
